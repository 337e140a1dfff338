#pragma once

#include "vxversion.h"

#include <QList>
#include <QString>

class VxPlugin;

// A plug-in library the host accepted.
struct VxLoadedPlugin
{
    QString filePath;       // canonical path of the library
    VxVersion sdkVersion;   // what the plug-in was built against
    VxPlugin* definition;   // owned by the library
};

// Loads plug-in libraries through their two exports, getSDKVersion and getPluginDefinition,
// and registers every factory of an accepted plug-in with vxApp. A library that lacks the
// exports, was built against an incompatible SDK or gives no definition is refused with one
// line in the host log (echoed to stderr) naming the file and the reason.
//
// Libraries are never unloaded: the host keeps referring to their definitions and factories
// for the life of the process, and even a refused library's static initialisation may have
// registered meta-types that point into it.
class VxPluginLoader
{
public:
    // The host's own plug-in folder: "plugins" next to the executable.
    static QString defaultPluginFolder();

    // Loads every library in the folder in file-name order. A missing folder is not an
    // error. Returns the number of libraries refused.
    int loadFolder(const QString& folder);

    // Loads one library, or every library of a folder. False when anything was refused;
    // `error` then holds the (last) reason.
    bool load(const QString& path, QString* error = nullptr);

    const QList<VxLoadedPlugin>& getPlugins() const { return m_plugins; }

private:
    bool loadLibrary(const QString& path, QString* error);
    void registerFactories(const VxLoadedPlugin& plugin);
    bool refuse(const QString& path, const QString& reason, QString* error);

    QList<VxLoadedPlugin> m_plugins;
};
