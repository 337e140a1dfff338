// The pane as a user drives it: the rigging type and what it offers, "Modify Selected
// Figure" following the selection while the pane is shown, the dividers across a restart.
#include "panetest.h"

#include "vxfshierarchy.h"

#include "vxaction.h"
#include "vxdynamicdividerwgt.h"
#include "vxfigure.h"
#include "vxlegacyfigure.h"
#include "vxpanemgr.h"
#include "vxscene.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QSignalSpy>

TEST_F(PaneTest, TheRiggingTypeDecidesWhatThePaneAndTheImportActionOffer)
{
    vxRegisterFigureSetupFigureType();
    QSignalSpy types(m_pane, &VxFigureSetupPane::figureTypeChanged);
    VxAction* importPHI = action("VxFSLoadPHIAction");
    auto* modify = child<QAbstractButton>(QStringLiteral("FigureSetupModifySelectedCbx"));
    auto* ikDivider = child<VxDynamicDividerWgt>(QStringLiteral("FigureSetupHierarchyIkDivider"));
    QWidget* ikArea = child(QStringLiteral("FigureSetupIKViewContainerWgt"));
    // Each row: rigging type chosen, then the check box's text and whether the chain area
    // and the PHI import are offered.
    const struct { int index; VxFigureSetupFigureType type; const char* modifyText; bool parametric; } steps[] = {
        {1, Poser, "Modify Selected Figure", true}, {0, SingleSkin, "Launch Transfer Wizard", false}};
    EXPECT_FALSE(importPHI->isEnabled());
    EXPECT_TRUE(ikDivider->isToggled());
    for (const auto& step : steps) {
        chooseRiggingType(step.index);
        EXPECT_EQ(document()->getFigureType(), step.type);
        EXPECT_EQ(types.last().at(0).value<VxFigureSetupFigureType>(), step.type);
        EXPECT_EQ(modify->text(), QLatin1String(step.modifyText));
        EXPECT_EQ(ikArea->isEnabled(), step.parametric);
        EXPECT_EQ(ikDivider->isToggled(), !step.parametric); // folded away for single skin
        EXPECT_EQ(ikDivider->isMovementEnabled(), step.parametric);
        EXPECT_EQ(importPHI->isEnabled(), step.parametric);
    }
    EXPECT_EQ(types.count(), 2);

    // An attached document brings its type; a content type the host lacks changes nothing.
    auto* content = child<QComboBox>(QStringLiteral("FigureSetupContentTypeCbx"));
    content->setCurrentIndex(2);
    auto* other = new VxFSHierarchy(QString());
    other->setFigureType(Poser);
    other->setContentType(QStringLiteral("Spaceship"));
    m_pane->setHierarchy(other);
    EXPECT_EQ(child<QComboBox>(QStringLiteral("FigureSetupRiggingTypeCbx"))->currentIndex(), 1);
    EXPECT_EQ(content->currentIndex(), 2);
    EXPECT_TRUE(importPHI->isEnabled());
}

TEST_F(PaneTest, ModifySelectedFollowsTheSelectionOnlyWhileThePaneIsShown)
{
    auto* modify = child<QAbstractButton>(QStringLiteral("FigureSetupModifySelectedCbx"));
    auto* create = child<QAbstractButton>(QStringLiteral("FigureSetupCreateFigureBtn"));
    auto* skin = vxMakeFigure<VxFigure>(vxMakeBoxMesh({{"hip", {0, 0, 0}, {1, 1, 1}}}), QStringLiteral("Skin"));
    auto* other = vxMakeFigure<VxLegacyFigure>(vxMakeBoxMesh({{"hip", {0, 0, 0}, {1, 1, 1}}}), QStringLiteral("Other"));
    // Single skin: any single-skin figure, or a bone of one, can take the transfer.
    vxScene->setSelection({skin->getNodeChild(0)});
    EXPECT_TRUE(modify->isEnabled());
    vxScene->setSelection({other});
    EXPECT_FALSE(modify->isEnabled());

    // Parametric: only the figure the document was copied from.
    addGeometryFromList(exampleMesh());
    ASSERT_TRUE(dropGeometryOnRoot(QStringLiteral("figure.obj")));
    chooseRiggingType(1);
    create->click();
    VxNode* built = vxScene->getNodes().last()->getSkeleton();
    ASSERT_TRUE(qobject_cast<VxLegacyFigure*>(built));
    vxScene->setSelection({built});
    action("VxFSCopyFromFigureAction")->trigger();
    EXPECT_TRUE(modify->isEnabled());
    modify->click();
    EXPECT_EQ(create->text(), QStringLiteral("Apply"));
    vxScene->setSelection({other});
    EXPECT_FALSE(modify->isEnabled());
    EXPECT_EQ(create->text(), QStringLiteral("Create"));

    // Hidden, the pane does not follow; shown again, it catches up at once.
    m_window->getPaneMgr().showPane(m_pane, false);
    vxScene->setSelection({built});
    EXPECT_FALSE(modify->isEnabled());
    m_window->getPaneMgr().showPane(m_pane, true);
    EXPECT_TRUE(modify->isEnabled());
    EXPECT_EQ(create->text(), QStringLiteral("Apply"));
}

TEST_F(PaneTest, DividerExtentsSurviveARestart)
{
    // The user's drags are the divider's own business; the pane keeps where they left the
    // bars, the chain list's even while single skin folds it away.
    auto divider = [this](const char* name) { return child<VxDynamicDividerWgt>(QLatin1String(name)); };
    divider("FigureSetupLeftRightDidivder")->setPreferredWidgetExtent(0, 170);
    chooseRiggingType(1);
    divider("FigureSetupHierarchyIkDivider")->setPreferredWidgetExtent(1, 160);
    chooseRiggingType(0);

    restart();
    EXPECT_EQ(divider("FigureSetupLeftRightDidivder")->getPreferredWidgetExtent(), 170);
    EXPECT_EQ(divider("FigureSetupHierarchyIkDivider")->getPreferredWidgetExtent(), 160);
    EXPECT_EQ(view("FigureSetupGeometryView")->parentWidget()->width(), 170);
    chooseRiggingType(1);
    EXPECT_EQ(view("FigureSetupIKView")->parentWidget()->height(), 160);
}
