#include "panetest.h"

#include "vxfiguresetuppane.h"
#include "vxfigurepluginexports.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"
#include "vxgeometrylistview.h"
#include "vxhierarchyeditorview.h"
#include "vxiklistview.h"

#include "vxaction.h"
#include "vxactionregistry.h"
#include "vxclassfactory.h"
#include "vxdynamicdividerwgt.h"
#include "vxmainwindow.h"
#include "vxmenurunner.h"
#include "vxpanemgr.h"
#include "vxplugin.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDrag>
#include <QFileInfo>
#include <QTest>
#include <QTreeWidgetItemIterator>

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
    // The factories are the plug-in's own static objects.
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

void PaneTest::reopen(bool save)
{
    if (save)
        m_window->getPaneMgr().writeSettings();
    m_app->setInterface(nullptr);
    m_window.reset();
    openWindow();
}

VxFSHierarchy* PaneTest::document() const
{
    return m_pane->getHierarchy();
}

VxAction* PaneTest::action(const QString& className) const
{
    return m_window->getActionRegistry().findAction(className);
}

QComboBox* PaneTest::riggingCombo() const
{
    return m_pane->findChild<QComboBox*>(QStringLiteral("FigureSetupRiggingTypeCbx"));
}

QAbstractButton* PaneTest::modifyCheckBox() const
{
    return m_pane->findChild<QAbstractButton*>(QStringLiteral("FigureSetupModifySelectedCbx"));
}

QAbstractButton* PaneTest::createButton() const
{
    return m_pane->findChild<QAbstractButton*>(QStringLiteral("FigureSetupCreateFigureBtn"));
}

VxDynamicDividerWgt* PaneTest::divider(const QString& name) const
{
    return m_pane->findChild<VxDynamicDividerWgt*>(name);
}

QTreeWidget* PaneTest::relationshipsView() const
{
    return m_pane->findChild<QTreeWidget*>(QStringLiteral("FigureSetupHierarchyView"));
}

QTreeWidget* PaneTest::geometryView() const
{
    return m_pane->findChild<QTreeWidget*>(QStringLiteral("FigureSetupGeometryView"));
}

QTreeWidget* PaneTest::ikView() const
{
    return m_pane->findChild<QTreeWidget*>(QStringLiteral("FigureSetupIKView"));
}

void PaneTest::chooseRiggingType(int index) const
{
    QComboBox* combo = riggingCombo();
    combo->setFocus();
    while (combo->currentIndex() < index)
        QTest::keyClick(combo, Qt::Key_Down);
    while (combo->currentIndex() > index)
        QTest::keyClick(combo, Qt::Key_Up);
    ViewUser::settle();
}

void PaneTest::addGeometryFromList(const QString& path) const
{
    VxMainWindow::queueFileDialogAnswer(QStringList{path});
    VxMenuRunner::queueAnswer(QStringLiteral("Add Geometry..."));
    ViewUser::rightClick(*geometryView(), nullptr);
    ViewUser::settle();
}

bool PaneTest::dropGeometryOnRoot(const QString& fileName) const
{
    auto* list = m_pane->getGeometryView();
    QTreeWidgetItem* geometryItem = nullptr;
    for (QTreeWidgetItemIterator it(list); *it; ++it) {
        if ((*it)->text(0) == fileName)
            geometryItem = *it;
    }
    if (!geometryItem)
        return false;
    list->clearSelection();
    geometryItem->setSelected(true);
    std::unique_ptr<QDrag> drag(list->dragObject());
    if (!drag)
        return false;
    VxHierarchyEditorView* relationships = m_pane->getRelationshipsView();
    const bool dropped = ViewUser::drop(*relationships, relationships->topLevelItem(0), *drag->mimeData());
    ViewUser::settle();
    return dropped;
}

void PaneTest::showPane(bool show) const
{
    m_window->getPaneMgr().showPane(m_pane, show);
    ViewUser::settle();
}

QStringList boneNames(const VxFSHierarchy* document)
{
    QStringList names;
    for (const VxFSHierarchyItem* bone : document->getAllBones())
        names.append(bone->getName());
    return names;
}
