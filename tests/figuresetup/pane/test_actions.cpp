// The Figure Setup actions as a user triggers them: templates in the remembered folder,
// Copy From Selected Figure, and the messages when no suitable figure is selected.
#include "panetest.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"

#include "vxaction.h"
#include "vxcontentmgr.h"
#include "vxfigure.h"
#include "vxlegacyfigure.h"
#include "vxmessageboxanswerer.h"
#include "vxscene.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QPointer>

namespace {
QStringList topLevelTexts(const QTreeWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts.append(list->topLevelItem(i)->text(0));
    return texts;
}
} // namespace

TEST_F(PaneTest, TemplatesOpenInTheRememberedFolderAndLoadingOneKeepsTheLoadedGeometry)
{
    addGeometryFromList(writeGroupedMesh(tempPath("meshes/sheet.obj"), 3));
    ASSERT_TRUE(dropGeometryOnRoot("sheet.obj"));
    const QString saved = writeFile("templates/sheet.vxt", QByteArray());
    const QString folder = QFileInfo(saved).absolutePath();
    // The first dialog opens in the user's documents, later ones in the last template's
    // folder; a cancelled one loads and remembers nothing.
    const struct { const char* action; QString answer; QString expectedFolder; } steps[] = {
        {"VxFSSavePresetAction", saved, m_app->getDocumentsPath()},
        {"VxFSLoadPresetAction", QString(), folder},
        {"VxFSLoadPresetAction", vxSourcePath("examples/figure.vxt"), folder},
    };
    m_app->getContentMgr()->addPoserDirectory(vxSourcePath("examples"));
    for (const auto& step : steps) {
        VxMainWindow::queueFileDialogAnswer(step.answer);
        action(step.action)->trigger();
        EXPECT_EQ(m_window->getLastFileDialogDirectory(), step.expectedFolder) << step.action;
        EXPECT_EQ(document()->getNumBones(true), step.answer.endsWith("figure.vxt") ? 19 : 3) << step.action;
    }
    EXPECT_GT(QFileInfo(saved).size(), 0);
    // The template's bones replaced the sheet's; the sheet stays loaded beside the
    // template's mesh, and the views show it all.
    EXPECT_EQ(document()->findBone("group_000"), nullptr);
    EXPECT_EQ(topLevelTexts(view("FigureSetupGeometryView")), (QStringList{"figure.obj", "sheet.obj"}));
    EXPECT_NE(ViewUser::boneItem(*view("FigureSetupHierarchyView"), "lForeArm"), nullptr);

    // Clear Hierarchy drops bones and regions, and still keeps the meshes.
    action("VxFSClearHierarchyAction")->trigger();
    EXPECT_EQ(document()->getNumBones(true), 0);
    EXPECT_EQ(document()->getFirstRegion(), nullptr);
    EXPECT_EQ(ViewUser::boneItem(*view("FigureSetupHierarchyView"), "hip"), nullptr);
    EXPECT_EQ(document()->getNumGeometries(), 2);
}

TEST_F(PaneTest, CopyFromSelectedFigureKeepsTheLoadedGeometryAndTakesTheFiguresHierarchy)
{
    VxAction* copy = action("VxFSCopyFromFigureAction");
    addGeometryFromList(exampleMesh());
    addGeometryFromList(writeGroupedMesh(tempPath("meshes/spare.obj"), 2));
    ASSERT_TRUE(dropGeometryOnRoot("figure.obj"));
    child<QAbstractButton>("FigureSetupCreateFigureBtn")->click();
    auto* figure = qobject_cast<VxFigure*>(vxScene->getNode(0));
    ASSERT_NE(figure, nullptr);
    EXPECT_FALSE(copy->isEnabled());
    vxScene->setSelection({figure->getNodeChild(0)});
    ASSERT_TRUE(copy->isEnabled());

    // The user empties the pane; the copy brings the figure's bones back.
    QPointer<VxFSHierarchy> before = document();
    document()->clear(true);
    QPointer<VxFSGeomItem> skin = document()->getGeometry(0);
    QPointer<VxFSGeomItem> spare = document()->getGeometry(1);
    copy->trigger();
    EXPECT_TRUE(before.isNull()); // replaced and deleted, without the geometry it handed on
    ASSERT_FALSE(skin.isNull() || spare.isNull());
    EXPECT_EQ(document()->getNumGeometries(), 2);
    EXPECT_EQ(document()->getBaseGeometry(), skin.data()); // reused, not loaded again
    EXPECT_EQ(document()->getGeometry(1), spare.data());
    EXPECT_EQ(document()->getNumBones(true), 19);
    EXPECT_EQ(document()->getSourceFigureName(), figure->getName());
    EXPECT_NE(ViewUser::boneItem(*view("FigureSetupHierarchyView"), "lHand"), nullptr);
    EXPECT_EQ(topLevelTexts(view("FigureSetupGeometryView")), (QStringList{"figure.obj", "spare.obj"}));
}

TEST_F(PaneTest, ActionsThatNeedAFigureSaySoWhenNoneIsSelected)
{
    VxAction* copy = action("VxFSCopyFromFigureAction");
    VxAction* regions = action("VxFSRegionEditorAction");
    auto* parametric = vxMakeFigure<VxLegacyFigure>(vxMakeBoxMesh({{"hip", {0, 0, 0}, {1, 1, 1}}}), "Old");
    auto* prop = new VxNode();
    vxScene->addNode(prop);
    vxScene->setSelection({parametric->getNodeChild(0)});
    EXPECT_TRUE(copy->isEnabled());
    EXPECT_FALSE(regions->isEnabled()); // single-skin figures only

    // Menus offer them only when they apply; a script can run them anyway.
    VxMessageBoxAnswerer answerer;
    vxScene->setSelection({prop});
    EXPECT_FALSE(copy->isEnabled());
    copy->triggerWithSettings({});
    vxScene->setSelection({parametric});
    regions->triggerWithSettings({});
    EXPECT_EQ(ViewUser::boxes(answerer),
              (QStringList{"No Figure Selected: You must first select a figure in the scene to perform the selected "
                           "operation.",
                           "No Figure Selected: You must first select a single skin figure in the scene to perform the "
                           "selected operation."}));
    EXPECT_EQ(answerer.seen().value(1).buttons, QStringList{"Ok"});
}
