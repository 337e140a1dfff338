#include "vxversion.h"

void VxVersion::set(int major, int minor, int release, int build)
{
    m_major = major;
    m_minor = minor;
    m_release = release;
    m_build = build;
}

QString VxVersion::toString() const
{
    return QStringLiteral("%1.%2.%3.%4").arg(m_major).arg(m_minor).arg(m_release).arg(m_build);
}

bool VxVersion::operator==(const VxVersion& other) const
{
    return m_major == other.m_major && m_minor == other.m_minor && m_release == other.m_release
        && m_build == other.m_build;
}

VxVersion VxVersion::sdkVersion()
{
    return VxVersion(4, 22, 0, 7);
}

bool VxVersion::isCompatibleSDK(const VxVersion& built, QString* reason)
{
    const VxVersion host = sdkVersion();
    if (built.getMajor() != host.getMajor() || built.getMinor() > host.getMinor()) {
        if (reason) {
            *reason = QStringLiteral("built against SDK %1, but this host provides SDK %2")
                          .arg(built.toString(), host.toString());
        }
        return false;
    }
    return true;
}
