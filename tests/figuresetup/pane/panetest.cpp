#include "panetest.h"

#include "vxfigurepluginexports.h"

#include "vxfshierarchy.h"
#include "vxgeometrylistview.h"

#include "vxactionregistry.h"
#include "vxclassfactory.h"
#include "vxmenurunner.h"
#include "vxpanemgr.h"
#include "vxplugin.h"

#include <QComboBox>
#include <QDrag>
#include <QTest>

void PaneTest::SetUp()
{
    VxSceneTest::SetUp();
    m_factories = getPluginDefinition()->getClassFactories();
    for (VxClassFactory* factory : qAsConst(m_factories))
        m_app->registerClassFactory(factory);
    openWindow();
}

void PaneTest::TearDown()
{
    VxMenuRunner::clearAnswers();
    VxMainWindow::clearFileDialogAnswers();
    m_window.reset();
    for (VxClassFactory* factory : qAsConst(m_factories))
        m_app->unregisterClassFactory(factory);
    VxSceneTest::TearDown();
}

void PaneTest::openWindow()
{
    m_window = std::make_unique<VxMainWindow>();
    m_window->resize(1200, 800);
    m_app->setInterface(m_window.get());
    m_window->getPaneMgr().createRegisteredPanes();
    m_window->getActionRegistry().createRegisteredActions();
    m_window->getPaneMgr().readSettings();
    m_pane = qobject_cast<VxFigureSetupPane*>(m_window->getPaneMgr().findPane(QStringLiteral("VxFigureSetupPane")));
    m_window->show();
    ViewUser::settle();
}

void PaneTest::restart()
{
    m_window->getPaneMgr().writeSettings();
    m_window.reset();
    openWindow();
}

VxFSHierarchy* PaneTest::document() const
{
    return m_pane->getHierarchy();
}

VxAction* PaneTest::action(const char* className) const
{
    return m_window->getActionRegistry().findAction(QLatin1String(className));
}

void PaneTest::chooseRiggingType(int index) const
{
    auto* combo = child<QComboBox>(QStringLiteral("FigureSetupRiggingTypeCbx"));
    while (combo->currentIndex() != index)
        QTest::keyClick(combo, combo->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
}

void PaneTest::addGeometryFromList(const QString& path) const
{
    VxMainWindow::queueFileDialogAnswer(QStringList{path});
    VxMenuRunner::queueAnswer(QStringLiteral("Add Geometry..."));
    ViewUser::rightClick(*view("FigureSetupGeometryView"), nullptr);
}

bool PaneTest::dropGeometryOnRoot(const QString& name) const
{
    VxGeometryListView* list = m_pane->getGeometryView();
    const QList<QTreeWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    list->clearSelection();
    found.first()->setSelected(true);
    std::unique_ptr<QDrag> drag(list->dragObject());
    QTreeWidget* relationships = view("FigureSetupHierarchyView");
    return drag && ViewUser::drop(*relationships, relationships->topLevelItem(0), *drag->mimeData());
}

QString exampleMesh()
{
    return vxSourcePath(QStringLiteral("examples/Runtime/Geometries/Figure/figure.obj"));
}
