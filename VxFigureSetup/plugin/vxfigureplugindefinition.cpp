#include "vxfigureplugindefinition.h"

#include "vxtclassfactory.h"

#include "vxfiguresetuppane.h"
#include "vxfiguresetuppaneaction.h"
#include "vxfsclearhierarchyaction.h"
#include "vxfscopyfromfigureaction.h"
#include "vxfscreatefigureaction.h"
#include "vxfsloadphiaction.h"
#include "vxfsloadpresetaction.h"
#include "vxfsregioneditoraction.h"
#include "vxfssavepresetaction.h"
#include "vxupdategeometryaction.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyitem.h"

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

// Scripts reach the pane's document and its items through the pane's and the document's
// invokables; QtScript converts only pointer types the meta-type system knows.
void registerDocumentTypes()
{
    qRegisterMetaType<VxFSHierarchy*>("VxFSHierarchy*");
    qRegisterMetaType<VxFSHierarchyItem*>("VxFSHierarchyItem*");
    qRegisterMetaType<VxFSGeomItem*>("VxFSGeomItem*");
    qRegisterMetaType<VxFSGeomGroup*>("VxFSGeomGroup*");
    qRegisterMetaType<VxFSHierarchyIKChain*>("VxFSHierarchyIKChain*");
    vxRegisterFigureSetupFigureType();
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

    registerDocumentTypes();
    // One line per registered class; the order is the order the host lists them in.
    addClass<VxFigureSetupPane>(plugin, "E7E24D58-D0B4-4899-BB3E-1327F258E63F");
    addClass<VxFigureSetupPaneAction>(plugin, "05CE2058-643B-46f3-9187-A70BDB05A3B8");
    addClass<VxFSCopyFromFigureAction>(plugin, "5E51A0EA-0D4B-4eca-9F8C-876BA6C561C9");
    addClass<VxFSLoadPresetAction>(plugin, "35FBE0AA-334C-4e35-8D22-4D952EEAB4F5");
    addClass<VxFSSavePresetAction>(plugin, "46147D7E-3BAF-4446-9107-9743BA01C859");
    addClass<VxFSLoadPHIAction>(plugin, "F481D2F0-AFF8-4edf-8AB0-3AAC279C4E50");
    addClass<VxFSCreateFigureAction>(plugin, "92658A3E-AD2C-4434-811D-0723709E7A12");
    addClass<VxFSClearHierarchyAction>(plugin, "AC18CFEB-4225-495b-B0F6-E07D7EE3BC64");
    addClass<VxFSRegionEditorAction>(plugin, "3F21248A-355E-4763-87F6-A7DA3AB909C6");
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
