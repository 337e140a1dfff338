#pragma once

#include "vxsdkglobal.h"

#include <QString>

// A four-part version: major.minor.release.build.
class VXSDK_EXPORT VxVersion
{
public:
    VxVersion() = default;
    VxVersion(int major, int minor, int release, int build)
        : m_major(major), m_minor(minor), m_release(release), m_build(build) {}

    int getMajor() const { return m_major; }
    int getMinor() const { return m_minor; }
    int getRelease() const { return m_release; }
    int getBuild() const { return m_build; }
    void set(int major, int minor, int release, int build);

    QString toString() const;
    bool operator==(const VxVersion& other) const;
    bool operator!=(const VxVersion& other) const { return !(*this == other); }

    // The version of the host core library this build provides.
    static VxVersion sdkVersion();
    // A plug-in built against `built` runs on this host when the major versions match and
    // the host is at least as new in its minor version; release and build never break it.
    static bool isCompatibleSDK(const VxVersion& built, QString* reason = nullptr);

private:
    int m_major = 0;
    int m_minor = 0;
    int m_release = 0;
    int m_build = 0;
};
