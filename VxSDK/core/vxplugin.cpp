#include "vxplugin.h"

VxPlugin::VxPlugin(const QString& name, const QString& author, const QString& description,
                   const VxVersion& version)
    : m_name(name), m_author(author), m_description(description), m_version(version)
{
}

VxPlugin::~VxPlugin() = default;

void VxPlugin::setVersion(int major, int minor, int release, int build)
{
    m_version.set(major, minor, release, build);
}

void VxPlugin::addClassFactory(VxClassFactory* factory)
{
    if (factory && !m_factories.contains(factory))
        m_factories.append(factory);
}
