#pragma once

#include "vxsdkglobal.h"

#include <QString>

#include <memory>

class QSettings;

// A group of the host's settings, stored in the settings file in the application's data
// folder. Every write reaches the disk before the call returns.
class VXSDK_EXPORT VxAppSettings
{
public:
    // `group` is a path such as "VxFigureSetup" or "Panes/Figure Setup".
    explicit VxAppSettings(const QString& group);
    ~VxAppSettings();

    QString getGroup() const { return m_group; }

    QString getStringValue(const QString& key, const QString& defaultValue = QString(),
                           bool* found = nullptr) const;
    void setStringValue(const QString& key, const QString& value);
    int getIntValue(const QString& key, int defaultValue = 0, bool* found = nullptr) const;
    void setIntValue(const QString& key, int value);
    bool getBoolValue(const QString& key, bool defaultValue = false, bool* found = nullptr) const;
    void setBoolValue(const QString& key, bool value);
    bool contains(const QString& key) const;
    void remove(const QString& key);

private:
    QString m_group;
    std::unique_ptr<QSettings> m_settings;
};
