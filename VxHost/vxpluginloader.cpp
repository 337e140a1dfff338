#include "vxpluginloader.h"

#include "vxapp.h"
#include "vxclassfactory.h"
#include "vxplugin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <cstdio>
#include <memory>

namespace {
const char* const kVersionExport = "getSDKVersion";
const char* const kDefinitionExport = "getPluginDefinition";

void report(const QString& line)
{
    // vxApp's log echoes to stderr; without it, stderr is all there is.
    if (vxApp)
        vxApp->log(line);
    else
        std::fprintf(stderr, "%s\n", qPrintable(line));
}
} // namespace

QString VxPluginLoader::defaultPluginFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/plugins");
}

int VxPluginLoader::loadFolder(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists())
        return 0;
    int refused = 0;
    const QFileInfoList entries = dir.entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (!QLibrary::isLibrary(entry.fileName()))
            continue;
        if (!loadLibrary(entry.filePath(), nullptr))
            ++refused;
    }
    return refused;
}

bool VxPluginLoader::load(const QString& path, QString* error)
{
    const QFileInfo info(path);
    if (!info.exists())
        return refuse(path, QStringLiteral("no such file or folder"), error);
    if (!info.isDir())
        return loadLibrary(path, error);

    const QFileInfoList entries = QDir(path).entryInfoList(QDir::Files, QDir::Name);
    bool allLoaded = true;
    bool anyLibrary = false;
    for (const QFileInfo& entry : entries) {
        if (!QLibrary::isLibrary(entry.fileName()))
            continue;
        anyLibrary = true;
        allLoaded = loadLibrary(entry.filePath(), error) && allLoaded;
    }
    if (!anyLibrary)
        return refuse(path, QStringLiteral("the folder holds no library"), error);
    return allLoaded;
}

bool VxPluginLoader::loadLibrary(const QString& path, QString* error)
{
    if (!vxApp)
        return refuse(path, QStringLiteral("the host's application object does not exist yet"), error);

    const QString canonical = QFileInfo(path).canonicalFilePath();
    for (const VxLoadedPlugin& loaded : qAsConst(m_plugins)) {
        if (loaded.filePath == canonical) {
            report(QStringLiteral("Plug-in %1 is already loaded; loading it again is skipped.").arg(path));
            return true;
        }
    }

    // Resolving every symbol now turns a library with missing dependencies into a refusal
    // here instead of a crash later.
    auto library = std::make_unique<QLibrary>(canonical.isEmpty() ? path : canonical);
    library->setLoadHints(QLibrary::ResolveAllSymbolsHint);
    if (!library->load())
        return refuse(path, library->errorString(), error);

    const auto getVersion = reinterpret_cast<VxGetSDKVersionFunction>(library->resolve(kVersionExport));
    const auto getDefinition = reinterpret_cast<VxGetPluginDefinitionFunction>(library->resolve(kDefinitionExport));
    if (!getVersion && !getDefinition)
        return refuse(path, QStringLiteral("it exports neither getSDKVersion nor getPluginDefinition; it is not a plug-in of this host"), error);
    if (!getVersion || !getDefinition) {
        return refuse(path, QStringLiteral("it does not export %1")
                                .arg(QLatin1String(getVersion ? kDefinitionExport : kVersionExport)),
                      error);
    }

    // The definition of an incompatible plug-in is never asked for: its layout may differ.
    const VxVersion built = getVersion();
    QString reason;
    if (!VxVersion::isCompatibleSDK(built, &reason))
        return refuse(path, reason, error);

    VxPlugin* definition = getDefinition();
    if (!definition)
        return refuse(path, QStringLiteral("getPluginDefinition returned no definition"), error);

    const VxLoadedPlugin plugin{canonical, built, definition};
    m_plugins.append(plugin);
    registerFactories(plugin);
    // The QLibrary object goes, the library stays loaded: QLibrary unloads only on request.
    return true;
}

void VxPluginLoader::registerFactories(const VxLoadedPlugin& plugin)
{
    for (VxClassFactory* factory : plugin.definition->getClassFactories()) {
        if (!factory || !factory->getMetaObject()) {
            report(QStringLiteral("Plug-in %1 lists a class factory without a class; it is skipped.")
                       .arg(plugin.filePath));
            continue;
        }
        const QString name = factory->className();
        if (vxApp->findClassFactory(name)) {
            report(QStringLiteral("Plug-in %1 registers the class %2 again; its factory takes the place of the earlier one.")
                       .arg(plugin.filePath, name));
        }
        vxApp->registerClassFactory(factory);
    }
}

bool VxPluginLoader::refuse(const QString& path, const QString& reason, QString* error)
{
    const QString line = QStringLiteral("Cannot load plug-in %1: %2").arg(path, reason);
    report(line);
    if (error)
        *error = line;
    return false;
}
