#include "vxappsettings.h"

#include "vxapp.h"

#include <QSettings>

namespace {
QString settingsFile()
{
    if (vxApp)
        return vxApp->getSettingsFilePath();
    return QSettings().fileName();
}
} // namespace

VxAppSettings::VxAppSettings(const QString& group)
    : m_group(group), m_settings(std::make_unique<QSettings>(settingsFile(), QSettings::IniFormat))
{
    if (!m_group.isEmpty())
        m_settings->beginGroup(m_group);
}

VxAppSettings::~VxAppSettings() = default;

QString VxAppSettings::getStringValue(const QString& key, const QString& defaultValue,
                                      bool* found) const
{
    const bool present = m_settings->contains(key);
    if (found)
        *found = present;
    return present ? m_settings->value(key).toString() : defaultValue;
}

void VxAppSettings::setStringValue(const QString& key, const QString& value)
{
    m_settings->setValue(key, value);
    m_settings->sync();
}

int VxAppSettings::getIntValue(const QString& key, int defaultValue, bool* found) const
{
    bool ok = false;
    const int value = m_settings->value(key).toInt(&ok);
    if (found)
        *found = ok;
    return ok ? value : defaultValue;
}

void VxAppSettings::setIntValue(const QString& key, int value)
{
    m_settings->setValue(key, value);
    m_settings->sync();
}

bool VxAppSettings::getBoolValue(const QString& key, bool defaultValue, bool* found) const
{
    const bool present = m_settings->contains(key);
    if (found)
        *found = present;
    return present ? m_settings->value(key).toBool() : defaultValue;
}

void VxAppSettings::setBoolValue(const QString& key, bool value)
{
    m_settings->setValue(key, value);
    m_settings->sync();
}

bool VxAppSettings::contains(const QString& key) const
{
    return m_settings->contains(key);
}

void VxAppSettings::remove(const QString& key)
{
    m_settings->remove(key);
    m_settings->sync();
}
