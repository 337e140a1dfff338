#pragma once

#include "vxsettings.h"

// Options for a file reader or writer (the host importer's options a script or a trigger
// setting supplies). A type of its own so that an importer's options cannot be mistaken for
// other settings at a call site; readers ignore keys they do not know.
class VXSDK_EXPORT VxFileIOSettings : public VxSettings
{
public:
    VxFileIOSettings() = default;
    explicit VxFileIOSettings(const QVariantMap& map) { fromMap(map); }
};
