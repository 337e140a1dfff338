#include "vxfigureplugindefinition.h"

#include "vxtclassfactory.h"
#include "vxupdategeometryaction.h"

#include "vxapp.h"
#include "vxmeshsmoothmorphbakeraction.h"
#include "vxmeshsmoothresetbaseaction.h"
#include "vxplugin.h"

namespace {

// Registers the pointer type "T*", then builds T's factory (one object with static storage
// duration per T) and adds it to the definition. Called once per class, in the order the
// host lists the classes.
template<typename T>
void addClass(VxPlugin& plugin, const char* classIdText)
{
    VxTClassFactory<T>::ensurePointerTypeRegistered();
    const VxGuid classId(QString::fromLatin1(classIdText));
    static VxTClassFactory<T> factory(&T::staticMetaObject, classId);
    factory.setScriptOwnership(QScriptEngine::QtOwnership);
    plugin.addClassFactory(&factory);
}

QString currentDocumentationPath()
{
    return vxApp ? vxApp->getDocumentationPath() : QString();
}

VxPlugin& buildDefinition()
{
    static VxPlugin plugin(QStringLiteral("Figure Setup Pane"), QString(), QString(),
                           VxVersion(0, 0, 0, 0));
    plugin.setAuthor(QStringLiteral("Vexel Software"));
    plugin.setVersion(1, 15, 0, 15);
    plugin.setDescription(VxFigurePluginDefinition::makeDescription(currentDocumentationPath()));

    // One line per registered class; the order is the order the host lists them in.
    addClass<VxUpdateGeometryAction>(plugin, "C9858769-B9B6-4124-9E63-61400E324CF4");
    addClass<VxMeshSmoothResetBaseAction>(plugin, "E9FB3C23-E363-4cb0-ABBD-FB538C1865C4");
    addClass<VxMeshSmoothMorphBakerAction>(plugin, "B2531B2C-916C-4EBA-83E5-B6464F538B76");
    return plugin;
}

// Built once, on first use; safe to reach from other static initialisers.
VxPlugin& definition()
{
    static VxPlugin& plugin = buildDefinition();
    return plugin;
}

// Static initialisation builds the definition as soon as the library is loaded.
[[maybe_unused]] const VxPlugin& g_builtAtLoad = definition();

} // namespace

VxPlugin* VxFigurePluginDefinition::get()
{
    VxPlugin& plugin = definition();
    if (vxApp)
        plugin.setDescription(makeDescription(vxApp->getDocumentationPath()));
    return &plugin;
}

QString VxFigurePluginDefinition::makeDescription(const QString& documentationPath)
{
    const QString readme = QStringLiteral("%1/") + readmeRelativePath();
    return QStringLiteral("<a href='%1'>Product Documentation</a>").arg(documentationUrl())
        + QStringLiteral("<br>")
        + QStringLiteral("<a href='%1'>Product ReadMe</a>").arg(readme.arg(documentationPath, 0, QLatin1Char(' ')))
        + QStringLiteral("<br><br>")
        + QStringLiteral("The Figure Setup plug-in. This plug-in provides the ability to create and "
                         "modify the skeleton of a figure. Including manipulation of geometry, "
                         "alternate geometry, joint rotation, welding, and IK.");
}

QString VxFigurePluginDefinition::readmeRelativePath()
{
    return QStringLiteral("Plugins/FigureSetup/FigureSetupREADME.htm");
}

QString VxFigurePluginDefinition::documentationUrl()
{
    return QStringLiteral("https://docs.vexel.example/figure-setup/");
}
