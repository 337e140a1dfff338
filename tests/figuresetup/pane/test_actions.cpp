// The Figure Setup actions as a user triggers them from the menus: templates saved and
// loaded in the remembered folder, the hierarchy cleared, a figure copied back into the
// pane, and the messages when no suitable figure is selected.
#include "panetest.h"

#include "vxfiguresetuppane.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"

#include "vxaction.h"
#include "vxappsettings.h"
#include "vxcontentmgr.h"
#include "vxfigure.h"
#include "vxlegacyfigure.h"
#include "vxmainwindow.h"
#include "vxmessageboxanswerer.h"
#include "vxscene.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QPointer>

namespace {

const QString kExampleMesh = QStringLiteral("examples/Runtime/Geometries/Figure/figure.obj");
const QString kExampleTemplate = QStringLiteral("examples/figure.vxt");

QStringList geometryListNames(const QTreeWidget* list)
{
    QStringList names;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        names.append(list->topLevelItem(i)->text(0));
    return names;
}

} // namespace

TEST_F(PaneTest, TemplatesOpenInTheRememberedFolderAndLoadingOneKeepsTheLoadedGeometry)
{
    VxMainWindow* window = m_window.get();
    VxAction* save = action(QStringLiteral("VxFSSavePresetAction"));
    VxAction* load = action(QStringLiteral("VxFSLoadPresetAction"));
    addGeometryFromList(writeGroupedMesh(tempPath(QStringLiteral("meshes/sheet.obj")), 3));
    ASSERT_TRUE(dropGeometryOnRoot(QStringLiteral("sheet.obj")));
    ASSERT_EQ(boneNames(document()), (QStringList{"group_000", "group_001", "group_002"}));

    // The first time the dialog opens in the user's documents.
    const QString saved = tempPath(QStringLiteral("templates/sheet.vxt"));
    QDir().mkpath(QFileInfo(saved).absolutePath());
    VxMainWindow::queueFileDialogAnswer(saved);
    save->trigger();
    EXPECT_EQ(window->getLastFileDialogCaption(), QStringLiteral("Save Figure Template"));
    EXPECT_EQ(window->getLastFileDialogDirectory(), m_app->getDocumentsPath());
    EXPECT_TRUE(QFileInfo::exists(saved));

    // Then in the folder of the last template; cancelling remembers nothing new.
    VxMainWindow::queueFileDialogAnswer(QString());
    load->trigger();
    EXPECT_EQ(window->getLastFileDialogCaption(), QStringLiteral("Load Figure Template"));
    EXPECT_EQ(window->getLastFileDialogDirectory(), QFileInfo(saved).absolutePath());
    EXPECT_EQ(boneNames(document()).size(), 3);

    // Loading replaces the bones; the geometry loaded in the pane stays.
    const QString example = vxSourcePath(kExampleTemplate);
    m_app->getContentMgr()->addPoserDirectory(vxSourcePath(QStringLiteral("examples")));
    VxMainWindow::queueFileDialogAnswer(example);
    load->trigger();
    EXPECT_EQ(window->getLastFileDialogDirectory(), QFileInfo(saved).absolutePath());
    EXPECT_EQ(VxAppSettings(QStringLiteral("VxFigureSetup")).getStringValue(QStringLiteral("LastTemplateDirectory")),
              QFileInfo(example).absolutePath());
    EXPECT_EQ(document()->getNumBones(true), 19);
    EXPECT_FALSE(boneNames(document()).contains(QStringLiteral("group_000")));
    EXPECT_NE(document()->findGeometryByName(QStringLiteral("sheet.obj")), nullptr);
    EXPECT_EQ(geometryListNames(geometryView()), (QStringList{"figure.obj", "sheet.obj"}));
    EXPECT_EQ(ViewUser::boneItem(*relationshipsView(), QStringLiteral("lForeArm")) != nullptr, true);

    // Clear Hierarchy empties bones, chains and regions; the geometry still stays.
    action(QStringLiteral("VxFSClearHierarchyAction"))->trigger();
    EXPECT_EQ(document()->getNumBones(true), 0);
    EXPECT_EQ(document()->getFirstRegion(), nullptr);
    EXPECT_EQ(ViewUser::boneItem(*relationshipsView(), QStringLiteral("hip")), nullptr);
    EXPECT_EQ(geometryListNames(geometryView()), (QStringList{"figure.obj", "sheet.obj"}));
}

TEST_F(PaneTest, CopyFromSelectedFigureKeepsTheLoadedGeometryAndTakesTheFiguresHierarchy)
{
    VxAction* copy = action(QStringLiteral("VxFSCopyFromFigureAction"));
    addGeometryFromList(vxSourcePath(kExampleMesh));
    addGeometryFromList(writeGroupedMesh(tempPath(QStringLiteral("meshes/spare.obj")), 2));
    ASSERT_TRUE(dropGeometryOnRoot(QStringLiteral("figure.obj")));
    createButton()->click();
    auto* figure = qobject_cast<VxFigure*>(vxScene->findNode(document()->getName()));
    ASSERT_NE(figure, nullptr);
    auto* prop = new VxNode();
    prop->setName(QStringLiteral("Prop"));
    vxScene->addNode(prop);

    // Enabled for a figure or one of its bones, not for a prop or nothing.
    EXPECT_FALSE(copy->isEnabled());
    vxScene->setSelection({prop});
    EXPECT_FALSE(copy->isEnabled());
    VxNode* hip = figure->getNodeChild(0);
    vxScene->setSelection({hip});
    ASSERT_TRUE(copy->isEnabled());

    // The user edits the pane's document after building; the copy brings the figure back.
    QPointer<VxFSHierarchy> before = document();
    document()->clear(true);
    QPointer<VxFSGeomItem> skin = document()->findGeometryByName(QStringLiteral("figure.obj"));
    QPointer<VxFSGeomItem> spare = document()->findGeometryByName(QStringLiteral("spare.obj"));
    copy->trigger();

    EXPECT_NE(document(), before.data());
    EXPECT_TRUE(before.isNull()); // replaced and deleted, without the geometry it handed on
    ASSERT_FALSE(skin.isNull());
    ASSERT_FALSE(spare.isNull());
    EXPECT_EQ(document()->getNumGeometries(), 2);
    EXPECT_EQ(document()->getGeometry(0), skin.data());
    EXPECT_EQ(document()->getGeometry(1), spare.data());
    EXPECT_EQ(document()->getBaseGeometry(), skin.data()); // reused, not loaded again
    EXPECT_EQ(document()->getSourceFigureName(), figure->getName());
    EXPECT_EQ(document()->getNumBones(true), 19);
    EXPECT_NE(ViewUser::boneItem(*relationshipsView(), QStringLiteral("lHand")), nullptr);
    EXPECT_EQ(geometryListNames(geometryView()), (QStringList{"figure.obj", "spare.obj"}));

    // The copy builds a figure of its own.
    const int nodes = vxScene->getNumNodes();
    createButton()->click();
    EXPECT_EQ(vxScene->getNumNodes(), nodes + 20);
}

TEST_F(PaneTest, ActionsThatNeedAFigureSaySoWhenNoneIsSelected)
{
    VxAction* copy = action(QStringLiteral("VxFSCopyFromFigureAction"));
    VxAction* regions = action(QStringLiteral("VxFSRegionEditorAction"));
    auto* parametric = vxMakeFigure<VxLegacyFigure>(vxMakeBoxMesh({{"hip", {0, 0, 0}, {1, 1, 1}}}), QStringLiteral("Old"));
    auto* skin = vxMakeFigure<VxFigure>(vxMakeBoxMesh({{"hip", {0, 0, 0}, {1, 1, 1}}}), QStringLiteral("New"));

    // The region editor is for single-skin figures and their bones only.
    vxScene->setSelection({parametric->getNodeChild(0)});
    EXPECT_TRUE(copy->isEnabled());
    EXPECT_FALSE(regions->isEnabled());
    vxScene->setSelection({skin->getNodeChild(0)});
    EXPECT_TRUE(regions->isEnabled());

    // A script may run them whatever is selected: they refuse with a message.
    vxScene->selectAllNodes(false);
    VxFSHierarchy* current = document();
    VxMessageBoxAnswerer answerer;
    copy->triggerWithSettings({});
    vxScene->setSelection({parametric});
    regions->triggerWithSettings({});
    ASSERT_EQ(answerer.count(), 2);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("No Figure Selected"));
    EXPECT_EQ(answerer.seen()[0].text,
              QStringLiteral("You must first select a figure in the scene to perform the selected operation."));
    EXPECT_EQ(answerer.seen()[1].title, QStringLiteral("No Figure Selected"));
    EXPECT_EQ(answerer.seen()[1].text, QStringLiteral("You must first select a single skin figure in the scene to "
                                                      "perform the selected operation."));
    EXPECT_EQ(answerer.seen()[1].buttons, QStringList{QStringLiteral("Ok")});
    EXPECT_EQ(document(), current);
}
