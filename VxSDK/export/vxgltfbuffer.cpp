#include "vxgltfbuffer.h"

#include <algorithm>
#include <limits>

namespace {
QString typeName(int components)
{
    switch (components) {
    case 1:
        return QStringLiteral("SCALAR");
    case 2:
        return QStringLiteral("VEC2");
    case 3:
        return QStringLiteral("VEC3");
    case 4:
        return QStringLiteral("VEC4");
    default:
        return QStringLiteral("MAT4");
    }
}

qint64 padded(qint64 size)
{
    return (size + 3) & ~qint64(3);
}
} // namespace

int VxGltfBuffer::addFloats(const std::vector<float>& values, int components, Target target, bool withBounds)
{
    const int count = int(values.size() / size_t(components));
    QJsonArray min, max;
    if (withBounds && count > 0) {
        for (int c = 0; c < components; ++c) {
            float lo = std::numeric_limits<float>::max();
            float hi = std::numeric_limits<float>::lowest();
            for (int i = 0; i < count; ++i) {
                lo = std::min(lo, values[size_t(i * components + c)]);
                hi = std::max(hi, values[size_t(i * components + c)]);
            }
            // Written as doubles holding the exact float, so readers comparing the bounds
            // with the data in float see the same numbers.
            min.append(double(lo));
            max.append(double(hi));
        }
    }
    const int view = addView(values.data(), qint64(values.size() * sizeof(float)), target);
    return view < 0 ? -1 : addAccessor(view, Float, count, components, min, max);
}

int VxGltfBuffer::addUnsignedShorts(const std::vector<uint16_t>& values, int components, Target target)
{
    const int view = addView(values.data(), qint64(values.size() * sizeof(uint16_t)), target);
    return view < 0 ? -1 : addAccessor(view, UnsignedShort, int(values.size() / size_t(components)), components);
}

int VxGltfBuffer::addUnsignedInts(const std::vector<uint32_t>& values, int components, Target target)
{
    const int view = addView(values.data(), qint64(values.size() * sizeof(uint32_t)), target);
    return view < 0 ? -1 : addAccessor(view, UnsignedInt, int(values.size() / size_t(components)), components);
}

int VxGltfBuffer::addBytes(const QByteArray& bytes)
{
    return addView(bytes.constData(), bytes.size(), NoTarget);
}

int VxGltfBuffer::addView(const void* bytes, qint64 size, Target target)
{
    const qint64 offset = m_data.size();
    if (offset + padded(size) > kMaxSize)
        return -1;
    m_data.append(static_cast<const char*>(bytes), int(size));
    m_data.append(int(padded(size) - size), '\0');
    QJsonObject view{{QStringLiteral("buffer"), 0},
                     {QStringLiteral("byteOffset"), offset},
                     {QStringLiteral("byteLength"), size}};
    if (target != NoTarget)
        view.insert(QStringLiteral("target"), int(target));
    m_views.append(view);
    return m_views.size() - 1;
}

int VxGltfBuffer::addAccessor(int view, int componentType, int count, int components, const QJsonArray& min,
                              const QJsonArray& max)
{
    QJsonObject accessor{{QStringLiteral("bufferView"), view},
                         {QStringLiteral("componentType"), componentType},
                         {QStringLiteral("count"), count},
                         {QStringLiteral("type"), typeName(components)}};
    if (!min.isEmpty()) {
        accessor.insert(QStringLiteral("min"), min);
        accessor.insert(QStringLiteral("max"), max);
    }
    m_accessors.append(accessor);
    return m_accessors.size() - 1;
}
