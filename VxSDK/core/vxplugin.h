#pragma once

#include "vxsdkglobal.h"
#include "vxversion.h"

#include <QList>
#include <QString>

class VxClassFactory;

// What a plug-in tells the host about itself. The plug-in keeps the definition and its
// factories alive for as long as the library is loaded; the host only refers to them.
class VXSDK_EXPORT VxPlugin
{
public:
    VxPlugin(const QString& name, const QString& author, const QString& description,
             const VxVersion& version);
    ~VxPlugin();

    QString getName() const { return m_name; }
    QString getAuthor() const { return m_author; }
    void setAuthor(const QString& author) { m_author = author; }
    QString getDescription() const { return m_description; }
    void setDescription(const QString& description) { m_description = description; }
    VxVersion getVersion() const { return m_version; }
    void setVersion(const VxVersion& version) { m_version = version; }
    void setVersion(int major, int minor, int release, int build);

    // The definition refers to the factory; it does not take ownership.
    void addClassFactory(VxClassFactory* factory);
    int getNumClassFactories() const { return m_factories.size(); }
    VxClassFactory* getClassFactory(int index) const { return m_factories.value(index); }
    const QList<VxClassFactory*>& getClassFactories() const { return m_factories; }

private:
    QString m_name;
    QString m_author;
    QString m_description;
    VxVersion m_version;
    QList<VxClassFactory*> m_factories;
};

// The two functions every plug-in library exports, by these undecorated names.
using VxGetSDKVersionFunction = VxVersion (*)();
using VxGetPluginDefinitionFunction = VxPlugin* (*)();
