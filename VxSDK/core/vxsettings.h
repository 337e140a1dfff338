#pragma once

#include "vxsdkglobal.h"

#include <QString>
#include <QVariant>
#include <QVariantMap>

// A set of named values handed to an operation, such as the options a script passes to an
// importer. Unlike VxAppSettings nothing here reaches the disk: the values live as long as
// the object.
class VXSDK_EXPORT VxSettings
{
public:
    VxSettings() = default;
    virtual ~VxSettings();

    int getNumValues() const { return m_values.size(); }
    bool hasValue(const QString& key) const { return m_values.contains(key); }
    QVariant getValue(const QString& key, const QVariant& defaultValue = QVariant()) const;
    void setValue(const QString& key, const QVariant& value);

    // Replaces every value by those of `map` (a script's object or a trigger-settings map),
    // so values left from an earlier call cannot leak into the next operation.
    void fromMap(const QVariantMap& map) { m_values = map; }
    QVariantMap toMap() const { return m_values; }

private:
    QVariantMap m_values;
};
