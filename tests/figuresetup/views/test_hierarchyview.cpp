// The relationships view: what it shows for a document, how it follows the model's
// signals, and renames typed into its items.
#include "hierarchyviewtest.h"

#include "vxhierarchyboneitem.h"
#include "vxhierarchyeditorview.h"
#include "vxhierarchyitem.h"
#include "vxhierarchyregionitem.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include "vxmessageboxanswerer.h"

#include <QSignalSpy>

namespace {
QStringList childTexts(const QTreeWidgetItem* item)
{
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts.append(item->child(i)->text(0));
    return texts;
}
} // namespace

TEST_F(HierarchyViewTest, ShowsEachFigureTypeWithItsItemsInPlace)
{
    VxFSGeomItem* body = loadGeometry("body.obj", {"hip", "abdomen"});
    addBones({"hip", "hip/abdomen", "hip/lThigh", "hip/rThigh", "head"});
    bone("hip")->setGeomGroup(body->getGroup(0));
    bone("abdomen")->setRotationOrder(VxRotationOrder::ZXY);
    bone("abdomen")->setCurve(true);
    auto* figure = new VxFSRegionItem(m_document.get(), "Body");
    new VxFSRegionItem(figure, "Head");
    new VxFSRegionItem(figure, "Torso");
    new VxFSRegionItem(m_document.get(), "Spare"); // a second top-level region is not shown
    attach();

    EXPECT_TRUE(treeMirrorsDocument(*m_view));
    const QTreeWidgetItem* root = m_view->topLevelItem(0);
    EXPECT_EQ(childTexts(root), QStringList({"Geometry: 0", "Bones", "Regions"}));
    EXPECT_EQ(childTexts(root->child(1)), QStringList({"hip", "head"}));
    // A bone's geometry item leads, then its child bones, the last made first.
    EXPECT_EQ(childTexts(boneItem("hip")), QStringList({"Selection Group: 0: hip", "rThigh", "lThigh", "abdomen"}));
    EXPECT_EQ(boneItem("abdomen")->text(2), "ZXY(c)");
    EXPECT_EQ(childTexts(regionItem("Body")), QStringList({"Torso", "Head"}));
    EXPECT_TRUE(boneItem("hip")->isExpanded());
    EXPECT_TRUE(regionItem("Body")->isExpanded());

    QSignalSpy figureChanged(m_view.get(), &VxHierarchyEditorView::figureChanged);
    m_document->setFigureType(Poser);
    ASSERT_EQ(figureChanged.count(), 1);
    EXPECT_EQ(figureChanged.at(0).at(0).value<VxFigureSetupFigureType>(), Poser);
    EXPECT_TRUE(treeMirrorsDocument(*m_view));
    root = m_view->topLevelItem(0);
    EXPECT_EQ(childTexts(root), QStringList({"Geometry: 0", "Bones"}));
    EXPECT_EQ(childTexts(boneItem("hip")->child(0)), QStringList({"Base: 0: hip", "Alternate(s)"}));

    // A null document is refused and the tree stays.
    m_view->fromHierarchy(nullptr);
    EXPECT_EQ(m_view->getHierarchy(), m_document.get());
    EXPECT_TRUE(treeMirrorsDocument(*m_view));
}

TEST_F(HierarchyViewTest, ModelChangesTouchOnlyTheChangedBonesItems)
{
    VxFSGeomItem* body = loadGeometry("body.obj", {"hip", "chest"});
    addBones({"hip", "hip/chest", "hip/chest/neck", "lHand"});
    m_document->setFigureType(Poser);
    bone("neck")->setWeldTarget(bone("chest"));
    attach();
    VxHierarchyBoneItem* chestItem = boneItem("chest");

    QSignalSpy inserted(m_view->model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(m_view->model(), &QAbstractItemModel::rowsRemoved);
    QSet<QTreeWidgetItem*> touched;
    QObject::connect(m_view.get(), &QTreeWidget::itemChanged, [&touched](QTreeWidgetItem* item) { touched.insert(item); });
    VxFSHierarchyItem* chest = bone("chest");
    chest->setName("torso");
    chest->setRotationOrder(VxRotationOrder::YZX);
    chest->setGeomGroup(body->getGroup(1));
    chest->addAltGeometry(body);
    EXPECT_EQ(inserted.count(), 1); // the one alternate item
    EXPECT_EQ(removed.count(), 0);
    // The bone's own row, its face group item and the weld column of the bone welded to it
    // (the new alternate item arrives complete).
    EXPECT_EQ(touched, (QSet<QTreeWidgetItem*>{chestItem, chestItem->child(0)->child(0), boneItem("neck")}));
    EXPECT_TRUE(treeMirrorsDocument(*m_view));

    // A bone deleted behind the view's back takes its item with it.
    delete bone("lHand");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_document->setBaseGeometry(body);
    EXPECT_TRUE(treeMirrorsDocument(*m_view));
}

TEST_F(HierarchyViewTest, RenamesGoToTheModelAndShowTheNameItKept)
{
    addBones({"hip", "hip/abdomen"});
    auto* figure = new VxFSRegionItem(m_document.get(), "Body");
    new VxFSRegionItem(figure, "Head");
    attach();
    VxMessageBoxAnswerer answerer;

    ASSERT_TRUE(rename(boneItem("abdomen"), 0, "hip"));
    EXPECT_EQ(bone("hip_1")->getLabel(), "abdomen");
    ASSERT_TRUE(rename(boneItem("hip_1"), 1, "Belly"));
    ASSERT_TRUE(rename(m_view->topLevelItem(0), 1, "The Hero"));
    EXPECT_EQ(bone("hip_1")->getLabel(), "Belly");
    EXPECT_EQ(m_document->getLabel(), "The Hero");
    ASSERT_TRUE(rename(regionItem("Head"), 0, "Body"));
    EXPECT_EQ(figure->getFirstChild()->getName(), "Body_1");

    ASSERT_EQ(answerer.count(), 2);
    EXPECT_EQ(answerer.seen()[0].title, "Invalid Bone Name");
    EXPECT_EQ(answerer.seen()[0].text, "Bone names must be unique, appending a value to make the name unique.");
    EXPECT_EQ(answerer.seen()[1].title, "Invalid Region Name");
    EXPECT_EQ(answerer.seen()[1].text, "Region names must be unique, appending a value to make the name unique.");
    EXPECT_TRUE(treeMirrorsDocument(*m_view));

    // Orders, welds, containers and geometry are not typed in.
    EXPECT_FALSE(rename(boneItem("hip"), 2, "ZYX"));
    EXPECT_FALSE(rename(m_view->topLevelItem(0)->child(1), 0, "Skeleton"));
    EXPECT_TRUE(treeMirrorsDocument(*m_view));
}
