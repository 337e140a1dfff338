// The Figure Setup pane driven as a user drives it: the rigging type and what it offers,
// "Modify Selected Figure" following the scene's selection while the pane is shown, the
// dividers' extents across a restart, IK chains asked for from both views.
#include "panetest.h"

#include "vxfiguresetuppane.h"

#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"

#include "vxaction.h"
#include "vxactionmenu.h"
#include "vxappsettings.h"
#include "vxdynamicdividerwgt.h"
#include "vxfigure.h"
#include "vxlegacyfigure.h"
#include "vxmenurunner.h"
#include "vxpanemgr.h"
#include "vxscene.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QSplitterHandle>

namespace {

const QString kExampleMesh = QStringLiteral("examples/Runtime/Geometries/Figure/figure.obj");

// Drags the divider's bar `delta` pixels across, as a mouse would.
void dragBar(VxDynamicDividerWgt* divider, int delta)
{
    QSplitterHandle* bar = divider->handle(1);
    const QPoint from = bar->rect().center();
    const QPoint to = from + (divider->getBarOrientation() == Qt::Horizontal ? QPoint(0, delta) : QPoint(delta, 0));
    auto send = [bar](QEvent::Type type, const QPoint& pos, Qt::MouseButtons buttons) {
        QMouseEvent event(type, pos, bar->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(bar, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
}

QStringList menuEntries(const QMenu& menu)
{
    QStringList entries;
    for (const QAction* action : menu.actions())
        entries.append(action->isSeparator() ? QStringLiteral("--") : action->text());
    return entries;
}

} // namespace

TEST_F(PaneTest, TheRiggingTypeDecidesWhatThePaneAndTheImportActionOffer)
{
    vxRegisterFigureSetupFigureType();
    QSignalSpy types(pane(), &VxFigureSetupPane::figureTypeChanged);
    VxAction* importPHI = action(QStringLiteral("VxFSLoadPHIAction"));
    ASSERT_NE(importPHI, nullptr);
    VxDynamicDividerWgt* ikDivider = divider(QStringLiteral("FigureSetupHierarchyIkDivider"));
    QWidget* ikArea = pane()->findChild<QWidget*>(QStringLiteral("FigureSetupIKViewContainerWgt"));

    // A new document is single skin: no IK chains, the chain area folded for good.
    EXPECT_EQ(riggingCombo()->currentText(), QStringLiteral("Orbix Weighted"));
    EXPECT_EQ(modifyCheckBox()->text(), QStringLiteral("Launch Transfer Wizard"));
    EXPECT_FALSE(ikArea->isEnabled());
    EXPECT_TRUE(ikDivider->isToggled());
    EXPECT_FALSE(ikDivider->isToggleEnabled());
    EXPECT_FALSE(ikDivider->isMovementEnabled());
    EXPECT_FALSE(importPHI->isEnabled());

    chooseRiggingType(1);
    EXPECT_EQ(document()->getFigureType(), Poser);
    EXPECT_EQ(modifyCheckBox()->text(), QStringLiteral("Modify Selected Figure"));
    EXPECT_TRUE(ikArea->isEnabled());
    EXPECT_TRUE(ikView()->isEnabled());
    EXPECT_FALSE(ikDivider->isToggled());
    EXPECT_TRUE(ikDivider->isToggleEnabled());
    EXPECT_TRUE(ikDivider->isMovementEnabled());
    EXPECT_TRUE(importPHI->isEnabled());
    ASSERT_EQ(types.count(), 1);
    EXPECT_EQ(types.last().at(0).value<VxFigureSetupFigureType>(), Poser);

    chooseRiggingType(0);
    EXPECT_EQ(document()->getFigureType(), SingleSkin);
    EXPECT_EQ(modifyCheckBox()->text(), QStringLiteral("Launch Transfer Wizard"));
    EXPECT_EQ(createButton()->text(), QStringLiteral("Create"));
    EXPECT_TRUE(ikDivider->isToggled());
    EXPECT_FALSE(importPHI->isEnabled());
    EXPECT_EQ(types.last().at(0).value<VxFigureSetupFigureType>(), SingleSkin);

    // A document brings its own choices; a content type the host does not offer leaves
    // the combo box as it was.
    auto* parametric = new VxFSHierarchy(QStringLiteral("Other"));
    parametric->setFigureType(Poser);
    parametric->setContentType(QStringLiteral("Hair"));
    parametric->setApplySubD(true);
    pane()->setHierarchy(parametric);
    auto* content = pane()->findChild<QComboBox*>(QStringLiteral("FigureSetupContentTypeCbx"));
    EXPECT_EQ(riggingCombo()->currentIndex(), 1);
    EXPECT_EQ(content->currentText(), QStringLiteral("Hair"));
    EXPECT_TRUE(pane()->findChild<QAbstractButton*>(QStringLiteral("FigureSetupApplySubDCbx"))->isChecked());
    EXPECT_TRUE(importPHI->isEnabled());
    auto* unknown = new VxFSHierarchy(QString());
    unknown->setContentType(QStringLiteral("Spaceship"));
    pane()->setHierarchy(unknown);
    EXPECT_EQ(content->currentText(), QStringLiteral("Hair"));
    EXPECT_FALSE(importPHI->isEnabled());

    // The options menu holds the document's actions, Create Figure left to the button.
    VxActionMenu menu;
    pane()->fillOptionsMenu(&menu);
    EXPECT_EQ(menuEntries(menu),
              (QStringList{"Copy From Selected Figure", "--", "Load Figure Template...", "Save Figure Template...",
                           "--", "Import Poser Hierarchy...", "--", "Clear Hierarchy", "--", "Region Editor..."}));
}

TEST_F(PaneTest, ModifySelectedFollowsTheSelectionOnlyWhileThePaneIsShown)
{
    auto* skin = vxMakeFigure<VxFigure>(vxMakeBoxMesh({{"hip", {0, 0, 0}, {1, 1, 1}}}), QStringLiteral("Skin"));
    auto* prop = new VxNode();
    prop->setName(QStringLiteral("Prop"));
    vxScene->addNode(prop);

    // Single skin: any single-skin figure can take the transfer.
    vxScene->setSelection({skin->getNodeChild(0)});
    EXPECT_TRUE(modifyCheckBox()->isEnabled());
    vxScene->setSelection({prop});
    EXPECT_FALSE(modifyCheckBox()->isEnabled());

    // Parametric: only the figure the document was copied from. Build one with the pane,
    // then copy it back.
    addGeometryFromList(vxSourcePath(kExampleMesh));
    ASSERT_TRUE(dropGeometryOnRoot(QStringLiteral("figure.obj")));
    chooseRiggingType(1);
    createButton()->click();
    auto* built = qobject_cast<VxLegacyFigure*>(vxScene->getNodes().last()->getSkeleton());
    ASSERT_NE(built, nullptr);
    auto* other = vxMakeFigure<VxLegacyFigure>(vxMakeBoxMesh({{"hip", {0, 0, 0}, {1, 1, 1}}}), QStringLiteral("Other"));
    vxScene->setSelection({built});
    action(QStringLiteral("VxFSCopyFromFigureAction"))->trigger();
    ASSERT_EQ(document()->getSourceFigureName(), built->getName());

    EXPECT_TRUE(modifyCheckBox()->isEnabled());
    EXPECT_EQ(createButton()->text(), QStringLiteral("Create"));
    modifyCheckBox()->click();
    EXPECT_EQ(createButton()->text(), QStringLiteral("Apply"));
    vxScene->setSelection({other});
    EXPECT_FALSE(modifyCheckBox()->isEnabled());
    EXPECT_EQ(createButton()->text(), QStringLiteral("Create"));

    // Hidden, the pane does not follow; shown again, it catches up at once.
    showPane(false);
    vxScene->setSelection({built});
    EXPECT_FALSE(modifyCheckBox()->isEnabled());
    showPane(true);
    EXPECT_TRUE(modifyCheckBox()->isEnabled());
    EXPECT_EQ(createButton()->text(), QStringLiteral("Apply"));
    modifyCheckBox()->click();
    EXPECT_EQ(createButton()->text(), QStringLiteral("Create"));
}

TEST_F(PaneTest, DividerExtentsSurviveARestart)
{
    VxDynamicDividerWgt* leftRight = divider(QStringLiteral("FigureSetupLeftRightDidivder"));
    VxDynamicDividerWgt* ikDivider = divider(QStringLiteral("FigureSetupHierarchyIkDivider"));
    // Nothing stored yet.
    EXPECT_EQ(leftRight->getPreferredWidgetExtent(), 130);
    EXPECT_EQ(ikDivider->getPreferredWidgetExtent(), 130);

    // The user widens the geometry list and, for a parametric figure, the chain list.
    dragBar(leftRight, 40);
    chooseRiggingType(1);
    dragBar(ikDivider, -30);
    const int geometryExtent = leftRight->getPreferredWidgetExtent();
    const int ikExtent = ikDivider->getPreferredWidgetExtent();
    // The bar starts where the views' minimum widths allow, at 130 or a little beyond.
    EXPECT_GT(geometryExtent, 160);
    EXPECT_GE(ikExtent, 160);
    // Back to single skin the chain area folds away, and keeps its extent.
    chooseRiggingType(0);

    reopen(true);
    const VxAppSettings settings(VxPaneMgr::settingsGroup(pane()));
    EXPECT_EQ(settings.getIntValue(QStringLiteral("GeomDividerExtent")), geometryExtent);
    EXPECT_EQ(settings.getIntValue(QStringLiteral("IKDividerExtent")), ikExtent);
    leftRight = divider(QStringLiteral("FigureSetupLeftRightDidivder"));
    ikDivider = divider(QStringLiteral("FigureSetupHierarchyIkDivider"));
    EXPECT_EQ(leftRight->getPreferredWidgetExtent(), geometryExtent);
    EXPECT_EQ(ikDivider->getPreferredWidgetExtent(), ikExtent);
    EXPECT_EQ(geometryView()->parentWidget()->width(), geometryExtent);
    chooseRiggingType(1);
    EXPECT_EQ(ikView()->parentWidget()->height(), ikExtent);
}

TEST_F(PaneTest, IKChainsAskedForInEitherViewAreMadeByTheDialogAndShownInTheChainList)
{
    chooseRiggingType(1);
    addGeometryFromList(vxSourcePath(kExampleMesh));
    ASSERT_TRUE(dropGeometryOnRoot(QStringLiteral("figure.obj")));
    ASSERT_EQ(document()->getNumBones(true), 19);

    // The bones selected in the relationships view become the chain's links.
    DialogDriver dialogs;
    dialogs.queue(QStringLiteral("VxCreateIKDialog"),
                  DialogDriver::typeAndAccept(QStringLiteral("VxCreateNewIKChainNameEdit"), QStringLiteral("leftLeg")));
    QTreeWidget* relationships = relationshipsView();
    relationships->clearSelection();
    ViewUser::boneItem(*relationships, QStringLiteral("lThigh"))->setSelected(true);
    ViewUser::boneItem(*relationships, QStringLiteral("lFoot"))->setSelected(true);
    VxMenuRunner::queueAnswer(QStringLiteral("Create IK Chain..."));
    ViewUser::rightClick(*relationships, ViewUser::boneItem(*relationships, QStringLiteral("lThigh")));
    ASSERT_EQ(document()->getNumIKChains(), 1);
    EXPECT_EQ(document()->getIKChain(0)->getName(), QStringLiteral("leftLeg"));
    EXPECT_EQ(document()->getIKChain(0)->getNumLinks(), 2);
    ASSERT_EQ(ikView()->topLevelItemCount(), 1);
    EXPECT_EQ(ikView()->topLevelItem(0)->text(0), QStringLiteral("leftLeg"));
    EXPECT_EQ(ikView()->topLevelItem(0)->childCount(), 1); // links nest one below the other

    // From the chain list's own menu the chain starts without bones; a cancelled dialog
    // makes none.
    dialogs.queue(QStringLiteral("VxCreateIKDialog"), DialogDriver::cancel());
    VxMenuRunner::queueAnswer(QStringLiteral("Create IK Chain..."));
    ViewUser::rightClick(*ikView(), nullptr);
    dialogs.queue(QStringLiteral("VxCreateIKDialog"),
                  DialogDriver::typeAndAccept(QStringLiteral("VxCreateNewIKChainNameEdit"), QStringLiteral("spare")));
    VxMenuRunner::queueAnswer(QStringLiteral("Create IK Chain..."));
    ViewUser::rightClick(*ikView(), nullptr);
    ASSERT_EQ(document()->getNumIKChains(), 2);
    EXPECT_EQ(document()->getIKChain(1)->getNumLinks(), 0);
    ASSERT_EQ(ikView()->topLevelItemCount(), 2);
    EXPECT_EQ(ikView()->topLevelItem(1)->text(0), QStringLiteral("spare"));
    EXPECT_EQ(dialogs.pending(), 0);
}
