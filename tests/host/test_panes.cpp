// Panes and actions as a plug-in registers them: docked, found, shown and hidden from the
// Window menu and the title bar, their settings and the dock layout kept across a restart,
// the options menu, and registered actions placed by menu path with live enabled state.
#include "vxhostguitest.h"

#include "vxhostgui.h"
#include "vxhostmenus.h"
#include "vxsceneoutlinerpane.h"

#include "vxactionmenu.h"
#include "vxactionregistry.h"
#include "vxappsettings.h"
#include "vxclassfactory.h"
#include "vxeditaction.h"
#include "vxmainwindow.h"
#include "vxnode.h"
#include "vxpane.h"
#include "vxpaneaction.h"
#include "vxpanemgr.h"
#include "vxpanetitlebar.h"
#include "vxscene.h"

#include <QApplication>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>

namespace {

class VxTestPane : public VxPane
{
    Q_OBJECT
public:
    Q_INVOKABLE VxTestPane() : VxPane("Test Pane") { setObjectName("Test Pane"); }
    void readSettings(VxAppSettings& settings) override { extent = settings.getIntValue("Extent", 130); }
    void writeSettings(VxAppSettings& settings) override { settings.setIntValue("Extent", extent); }
    void fillOptionsMenu(VxActionMenu* menu) override
    {
        menu->insertAction("VxTestPaneAction", -1);
        menu->insertAction("VxTestGeometryAction", 0);
        menu->insertSeparator(1);
        menu->insertAction("VxNoSuchAction", -1);
    }
    int getPaneFlags() const override { return Closable | Movable; }
    int extent = 0;
};

class VxTestPaneAction : public VxPaneAction
{
    Q_OBJECT
public:
    Q_INVOKABLE VxTestPaneAction() : VxPaneAction("VxTestPane") {}
};

// An edit action in a pane-scoped menu path, enabled while something is selected.
class VxTestGeometryAction : public VxEditAction
{
    Q_OBJECT
public:
    Q_INVOKABLE VxTestGeometryAction() : VxEditAction("Update Test Geometry", QString())
    {
        connect(vxScene, &VxScene::nodeSelectionListChanged, this, &VxTestGeometryAction::follow);
        follow();
    }
    void init() override
    {
        ++inits;
        VxEditAction::init();
    }
    QString getActionGroup() const override { return "Geometry Editing"; }
    QString getDefaultMenuPath() const override { return "VxHierarchyPane::Edit/Geometry"; }
    void executeAction() override {}
    void follow() { setEnabled(vxScene->getPrimarySelection() != nullptr); }
    int inits = 0;
};

class PanesTest : public VxHostGuiTest
{
protected:
    void SetUp() override
    {
        VxHostGuiTest::SetUp();
        registerFactory(new VxTHostClassFactory<VxTestPane>(VxGuid("8F0E1D2C-3B4A-4958-8776-A5B4C3D2E1F0")));
        registerFactory(new VxTHostClassFactory<VxTestPaneAction>(VxGuid("1A2B3C4D-5E6F-4708-9A1B-2C3D4E5F6071")));
        registerFactory(new VxTHostClassFactory<VxTestGeometryAction>(VxGuid("0F1E2D3C-4B5A-4697-8879-6A5B4C3D2E1F")));
    }

    VxPaneMgr& panes() const { return m_gui->window()->getPaneMgr(); }
    VxTestPane* testPane() const { return qobject_cast<VxTestPane*>(panes().findPane("VxTestPane")); }
    VxPaneTitleBar* titleBar(VxPane* pane) const
    {
        return qobject_cast<VxPaneTitleBar*>(panes().getDock(pane)->titleBarWidget());
    }
    QMenuBar* menuBar() const { return m_gui->window()->menuBar(); }
};

} // namespace

TEST_F(PanesTest, RegisteredPanesAreDockedFoundAndShownOrHiddenFromTheWindowMenu)
{
    openWindow().window()->show();
    VxTestPane* pane = testPane();
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(panes().findPane("Test Pane"), pane);
    EXPECT_EQ(panes().findPane("VxFigureSetupPane"), nullptr);
    QDockWidget* dock = panes().getDock(pane);
    ASSERT_NE(dock, nullptr);
    EXPECT_EQ(m_gui->window()->dockWidgetArea(dock), Qt::RightDockWidgetArea);
    EXPECT_EQ(m_gui->window()->dockWidgetArea(panes().getDock(m_gui->outlinerPane())), Qt::LeftDockWidgetArea);
    // The pane's flags decide what its dock allows, and what its title bar offers.
    EXPECT_FALSE(dock->features().testFlag(QDockWidget::DockWidgetFloatable));
    VxPaneTitleBar* bar = titleBar(pane);
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->findChild<QToolButton*>("VxPaneFloatButton")->isVisible());

    // One Window entry per pane: the registered pane action serves its pane, the host makes
    // one for its own.
    EXPECT_EQ(vxMenuEntries(vxFindMenu(menuBar(), "Window")), QStringList({"Test Pane", "--", "Scene", "Pose"}));
    QAction* entry = vxFindMenuAction(menuBar(), "Window", "Test Pane");
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->isChecked());

    QSignalSpy visibility(pane, &VxPane::visibilityChanged);
    entry->trigger();
    EXPECT_TRUE(dock->isHidden());
    EXPECT_FALSE(entry->isChecked());
    entry->trigger();
    EXPECT_FALSE(dock->isHidden());
    EXPECT_TRUE(entry->isChecked());
    // Closed from its own title bar, the entry follows.
    bar->findChild<QToolButton*>("VxPaneCloseButton")->click();
    EXPECT_TRUE(dock->isHidden());
    EXPECT_FALSE(entry->isChecked());
    QList<bool> shown;
    for (const QList<QVariant>& signal : visibility)
        shown.append(signal.at(0).toBool());
    EXPECT_EQ(shown, QList<bool>({false, true, false}));
}

TEST_F(PanesTest, PaneSettingsAndTheDockLayoutSurviveARestart)
{
    openWindow();
    EXPECT_EQ(testPane()->extent, 130); // nothing stored yet: the pane's default
    testPane()->extent = 250;
    panes().showPane(testPane(), false);
    m_gui->window()->resize(900, 700);
    panes().writeSettings();
    EXPECT_EQ(VxAppSettings(VxPaneMgr::settingsGroup(testPane())).getIntValue("Extent"), 250);

    openWindow();
    EXPECT_EQ(testPane()->extent, 250);
    EXPECT_FALSE(panes().isPaneOpen(testPane()));
    EXPECT_TRUE(panes().isPaneOpen(m_gui->outlinerPane()));
    EXPECT_FALSE(vxFindMenuAction(menuBar(), "Window", "Test Pane")->isChecked());
    EXPECT_EQ(m_gui->window()->size(), QSize(900, 700));
}

TEST_F(PanesTest, TheOptionsButtonShowsTheMenuThePaneFills)
{
    openWindow().window()->show();
    VxPaneTitleBar* bar = titleBar(testPane());
    ASSERT_NE(bar, nullptr);
    QStringList shown;
    QTimer::singleShot(0, [&shown] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        shown = vxMenuEntries(menu);
        if (menu)
            menu->close();
    });
    bar->getOptionsButton()->click();
    EXPECT_EQ(shown, QStringList({"Update Test Geometry", "--", "Test Pane"}));
    EXPECT_TRUE(
        loggedLines().contains("The menu entry VxNoSuchAction is left out: no action of that class is registered."));
    // The options menu holds the host's one instance of each action, initialised once.
    auto* geometry = qobject_cast<VxTestGeometryAction*>(m_gui->window()->getActionRegistry().findAction("VxTestGeometryAction"));
    EXPECT_EQ(bar->getOptionsMenu()->actions().first(), geometry);
    EXPECT_EQ(geometry->inits, 1);

    // A pane that fills nothing says so instead of opening an empty menu.
    VxPaneTitleBar* outlinerBar = titleBar(m_gui->outlinerPane());
    emit outlinerBar->getOptionsMenu()->aboutToShow();
    EXPECT_EQ(vxMenuEntries(outlinerBar->getOptionsMenu()), QStringList{"No options"});
}

TEST_F(PanesTest, RegisteredActionsLandInTheirMenusAndFollowTheSelectionLive)
{
    openWindow();
    EXPECT_EQ(vxMenuEntries(vxFindMenu(menuBar(), "Edit")),
              QStringList({"Undo", "Redo", "--", "Delete", "--", "Weights from Face Groups", "Geometry"}));
    QAction* update = vxFindMenuAction(menuBar(), "Edit/Geometry", "Update Test Geometry");
    QAction* remove = m_gui->menus()->getDeleteAction();
    ASSERT_NE(update, nullptr);
    EXPECT_FALSE(update->isEnabled());
    EXPECT_FALSE(remove->isEnabled());

    auto* node = new VxNode();
    m_scene->addNode(node);
    for (bool selected : {true, false}) {
        node->select(selected);
        EXPECT_EQ(update->isEnabled(), selected);
        EXPECT_EQ(remove->isEnabled(), selected);
    }
    QStringList topLevel;
    for (const QAction* menu : menuBar()->actions())
        topLevel.append(menu->text().remove('&'));
    EXPECT_EQ(topLevel, QStringList({"File", "Edit", "Window", "Help"}));
}

#include "test_panes.moc"
