// A plug-in for the host tests that registers a pane and the action that shows and hides
// it, as a figure-setup style plug-in does.
#include "vxclassfactory.h"
#include "vxpane.h"
#include "vxpaneaction.h"
#include "vxplugin.h"
#include "vxversion.h"

namespace {

class VxTestPluginPane : public VxPane
{
    Q_OBJECT
public:
    Q_INVOKABLE VxTestPluginPane() : VxPane(tr("Test Setup")) {}
};

class VxTestPluginPaneAction : public VxPaneAction
{
    Q_OBJECT
public:
    Q_INVOKABLE VxTestPluginPaneAction() : VxPaneAction(QStringLiteral("VxTestPluginPane")) {}
};

VxTHostClassFactory<VxTestPluginPane> g_pane(VxGuid(QStringLiteral("3C4D5E6F-7081-4293-A4B5-C6D7E8F90A1B")));
VxTHostClassFactory<VxTestPluginPaneAction> g_paneAction(VxGuid(QStringLiteral("4D5E6F70-8192-43A4-B5C6-D7E8F90A1B2C")));

VxPlugin& definition()
{
    static VxPlugin plugin(QStringLiteral("Test Pane"), QStringLiteral("Host tests"),
                           QStringLiteral("A pane and its action for the host tests."), VxVersion(0, 1, 0, 0));
    static bool filled = false;
    if (!filled) {
        plugin.addClassFactory(&g_pane);
        plugin.addClassFactory(&g_paneAction);
        filled = true;
    }
    return plugin;
}

} // namespace

extern "C" {
Q_DECL_EXPORT VxVersion getSDKVersion()
{
    return VxVersion::sdkVersion();
}

Q_DECL_EXPORT VxPlugin* getPluginDefinition()
{
    return &definition();
}
}

#include "vxtestpaneplugin.moc"
