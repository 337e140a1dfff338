#include "vxguid.h"

bool VxGuid::fromString(const QString& text)
{
    QString braced = text.trimmed();
    if (!braced.startsWith(QLatin1Char('{')))
        braced = QLatin1Char('{') + braced + QLatin1Char('}');
    m_uuid = QUuid(braced);
    return !m_uuid.isNull();
}

QString VxGuid::toString() const
{
    return m_uuid.toString(QUuid::WithoutBraces).toUpper();
}
