#include "vximportoptions.h"

#include "vxfileiosettings.h"

#include <cmath>

namespace {

const QString kScale = QStringLiteral("Scale");
const QString kZUp = QStringLiteral("ZUp");

// Scripts hand booleans over as bool, numbers or text; anything else is not a yes or a no.
bool toStrictBool(const QVariant& value, bool* result)
{
    switch (value.userType()) {
    case QMetaType::Bool:
        *result = value.toBool();
        return true;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        *result = value.toDouble() != 0.0;
        return true;
    case QMetaType::QString: {
        const QString text = value.toString().trimmed().toLower();
        if (text == QLatin1String("true") || text == QLatin1String("1")) {
            *result = true;
            return true;
        }
        if (text == QLatin1String("false") || text == QLatin1String("0")) {
            *result = false;
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

} // namespace

bool VxImportOptions::fromSettings(const VxFileIOSettings& settings, VxImportOptions* options, QString* error,
                                   QStringList* ignoredKeys)
{
    VxImportOptions parsed;
    const QVariantMap values = settings.toMap();
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (it.key() == kScale) {
            bool ok = false;
            const double scale = it.value().toDouble(&ok);
            if (!ok || !std::isfinite(scale) || scale <= 0.0 || !std::isfinite(float(scale))) {
                if (error)
                    *error = QStringLiteral("importer setting \"Scale\" must be a number above 0, not \"%1\"")
                                 .arg(it.value().toString());
                return false;
            }
            parsed.m_scale = scale;
        } else if (it.key() == kZUp) {
            if (!toStrictBool(it.value(), &parsed.m_zUp)) {
                if (error)
                    *error = QStringLiteral("importer setting \"ZUp\" must be true or false, not \"%1\"")
                                 .arg(it.value().toString());
                return false;
            }
        } else if (ignoredKeys) {
            ignoredKeys->append(it.key());
        }
    }
    if (options)
        *options = parsed;
    return true;
}

bool VxImportOptions::apply(std::vector<float>& positions) const
{
    if (isIdentity())
        return true;
    const float scale = float(m_scale);
    for (size_t i = 0; i + 2 < positions.size(); i += 3) {
        const float x = positions[i] * scale;
        const float y = positions[i + 1] * scale;
        const float z = positions[i + 2] * scale;
        positions[i] = x;
        // A quarter turn round X takes +Z (up in the file) to +Y and keeps the mesh
        // right-handed: (x, y, z) -> (x, z, -y).
        positions[i + 1] = m_zUp ? z : y;
        positions[i + 2] = m_zUp ? -y : z;
        if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z))
            return false;
    }
    return true;
}
