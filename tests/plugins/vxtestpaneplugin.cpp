// A plug-in for the host tests that registers a pane, the action that shows and hides it,
// and an edit action under a pane-scoped menu path: what a figure-setup style plug-in
// registers, small enough to check by eye in a screenshot.
#include "vxactionmenu.h"
#include "vxappsettings.h"
#include "vxclassfactory.h"
#include "vxeditaction.h"
#include "vxpane.h"
#include "vxpaneaction.h"
#include "vxplugin.h"
#include "vxversion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

class VxTestPluginPane : public VxPane
{
    Q_OBJECT
public:
    Q_INVOKABLE VxTestPluginPane() : VxPane(tr("Test Setup"))
    {
        setObjectName(QStringLiteral("Test Setup"));
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* header = new QWidget(this);
        auto* headerLayout = new QHBoxLayout(header);
        headerLayout->addWidget(new QLabel(tr("Rigging Type :"), header));
        auto* rigging = new QComboBox(header);
        rigging->addItems({tr("Orbix Weighted"), tr("Parametric (Legacy)")});
        headerLayout->addWidget(rigging, 1);
        layout->addWidget(header);
        auto* tree = new QTreeWidget(this);
        tree->setHeaderLabel(tr("Relationships :"));
        layout->addWidget(tree, 1);
        auto* footer = new QWidget(this);
        auto* footerLayout = new QHBoxLayout(footer);
        footerLayout->addWidget(new QCheckBox(tr("Apply SubD"), footer));
        footerLayout->addStretch();
        footerLayout->addWidget(new QPushButton(tr("Create"), footer));
        layout->addWidget(footer);
        setBackgroundHeaderGuide(header);
        setBackgroundFooterGuide(footer);
    }
    void fillOptionsMenu(VxActionMenu* menu) override
    {
        menu->insertAction(QStringLiteral("VxTestPluginGeometryAction"), -1);
        menu->insertSeparator(-1);
        menu->insertAction(QStringLiteral("VxTestPluginPaneAction"), -1);
    }
    void readSettings(VxAppSettings& settings) override { m_runs = settings.getIntValue(QStringLiteral("Runs"), 0); }
    void writeSettings(VxAppSettings& settings) override { settings.setIntValue(QStringLiteral("Runs"), m_runs + 1); }
    int getPaneFlags() const override { return 7; }

private:
    int m_runs = 0;
};

class VxTestPluginPaneAction : public VxPaneAction
{
    Q_OBJECT
public:
    Q_INVOKABLE VxTestPluginPaneAction() : VxPaneAction(QStringLiteral("VxTestPluginPane")) {}
};

class VxTestPluginGeometryAction : public VxEditAction
{
    Q_OBJECT
public:
    Q_INVOKABLE VxTestPluginGeometryAction() : VxEditAction(tr("Update Test Geometry..."), QString()) {}
    QString getActionGroup() const override { return QStringLiteral("Geometry Editing"); }
    QString getDefaultMenuPath() const override { return QStringLiteral("VxHierarchyPane::Edit/Geometry"); }
    void executeAction() override {}
};

VxTHostClassFactory<VxTestPluginPane> g_pane(VxGuid(QStringLiteral("3C4D5E6F-7081-4293-A4B5-C6D7E8F90A1B")));
VxTHostClassFactory<VxTestPluginPaneAction> g_paneAction(VxGuid(QStringLiteral("4D5E6F70-8192-43A4-B5C6-D7E8F90A1B2C")));
VxTHostClassFactory<VxTestPluginGeometryAction> g_geometry(VxGuid(QStringLiteral("5E6F7081-92A3-44B5-C6D7-E8F90A1B2C3D")));

VxPlugin& definition()
{
    static VxPlugin plugin(QStringLiteral("Test Pane"), QStringLiteral("Host tests"),
                           QStringLiteral("A pane and its actions for the host tests."), VxVersion(0, 1, 0, 0));
    static bool filled = false;
    if (!filled) {
        plugin.addClassFactory(&g_pane);
        plugin.addClassFactory(&g_paneAction);
        plugin.addClassFactory(&g_geometry);
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
