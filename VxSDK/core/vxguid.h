#pragma once

#include "vxsdkglobal.h"

#include <QString>
#include <QUuid>

// A class identifier. Parsed from the registry form "E7E24D58-D0B4-4899-BB3E-1327F258E63F"
// (with or without braces, any letter case) and printed back in upper case without braces.
class VXSDK_EXPORT VxGuid
{
public:
    VxGuid() = default;
    explicit VxGuid(const QString& text) { fromString(text); }

    // Returns false and leaves the identifier null when the text is not a GUID.
    bool fromString(const QString& text);
    QString toString() const;
    bool isNull() const { return m_uuid.isNull(); }

    bool operator==(const VxGuid& other) const { return m_uuid == other.m_uuid; }
    bool operator!=(const VxGuid& other) const { return m_uuid != other.m_uuid; }

private:
    QUuid m_uuid;
};
