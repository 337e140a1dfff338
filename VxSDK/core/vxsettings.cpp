#include "vxsettings.h"

VxSettings::~VxSettings() = default;

QVariant VxSettings::getValue(const QString& key, const QVariant& defaultValue) const
{
    return m_values.value(key, defaultValue);
}

void VxSettings::setValue(const QString& key, const QVariant& value)
{
    m_values.insert(key, value);
}
