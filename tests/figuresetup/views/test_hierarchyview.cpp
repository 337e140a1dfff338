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

    // The tree's own orders: root bones as made, a bone's geometry item leading its child
    // bones, which come the last made first, as child regions do.
    EXPECT_TRUE(treeMirrorsDocument(*m_view));
    EXPECT_EQ(childTexts(itemOfType(4149)), QStringList({"hip", "head"}));
    EXPECT_EQ(childTexts(boneItem("hip")), QStringList({"Selection Group: 0: hip", "rThigh", "lThigh", "abdomen"}));
    EXPECT_EQ(childTexts(regionItem("Body")), QStringList({"Torso", "Head"}));
    EXPECT_TRUE(boneItem("hip")->isExpanded());
    EXPECT_TRUE(regionItem("Body")->isExpanded());

    QSignalSpy figureChanged(m_view.get(), &VxHierarchyEditorView::figureChanged);
    m_document->setFigureType(Poser);
    ASSERT_EQ(figureChanged.count(), 1);
    EXPECT_EQ(figureChanged.at(0).at(0).value<VxFigureSetupFigureType>(), Poser);
    EXPECT_TRUE(treeMirrorsDocument(*m_view));

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

TEST_F(HierarchyViewTest, TypedAndNewNamesAreMadeUniqueAndTheFirstRenameKeepsTheOldNameAsLabel)
{
    addBones({"hip", "hip/abdomen"});
    attach();
    VxMessageBoxAnswerer answerer;
    ASSERT_TRUE(rename(boneItem("abdomen"), 0, "hip"));
    EXPECT_EQ(bone("hip_1")->getLabel(), "abdomen");
    ASSERT_TRUE(rename(boneItem("hip_1"), 1, "Belly"));
    ASSERT_TRUE(rename(m_view->topLevelItem(0), 1, "The Hero"));
    EXPECT_EQ(bone("hip_1")->getLabel(), "Belly");
    EXPECT_EQ(m_document->getLabel(), "The Hero");
    // Orders, welds, containers and geometry are not typed in.
    EXPECT_FALSE(rename(boneItem("hip"), 2, "ZYX"));
    EXPECT_FALSE(rename(itemOfType(4149), 0, "Skeleton"));

    // A new bone's name is open for editing at once; a new root bone is named like the others.
    select({boneItem("hip")});
    ASSERT_TRUE(choose(boneItem("hip"), 0, 3));
    ASSERT_TRUE(choose(boneItem("hip"), 0, 3));
    EXPECT_EQ(names(bone("hip")->getFirstChild()), QStringList({"hip_1", "newBone", "newBone_1"}));
    ASSERT_TRUE(rename(boneItem("newBone_1"), 0, "lThigh"));
    ASSERT_TRUE(rename(boneItem("lThigh"), 0, "leftThigh"));
    EXPECT_EQ(bone("leftThigh")->getLabel(), "lThigh");
    select({itemOfType(4149)});
    ASSERT_TRUE(choose(itemOfType(4149), 0, 3));
    EXPECT_EQ(names(m_document->getFirstBone()), QStringList({"hip", "newBone_1"}));
    EXPECT_TRUE(treeMirrorsDocument(*m_view));

    // Regions: the root from "Regions", then children, new or renamed, unique too.
    select({itemOfType(4135)});
    ASSERT_TRUE(choose(itemOfType(4135), 0, 20));
    ASSERT_TRUE(rename(regionItem("NewRegion"), 0, "Body"));
    select({regionItem("Body")});
    ASSERT_TRUE(choose(regionItem("Body"), 0, 20));
    ASSERT_TRUE(choose(regionItem("Body"), 0, 20));
    ASSERT_TRUE(rename(regionItem("NewRegion_1"), 0, "Body"));
    EXPECT_EQ(names(m_document->getFirstRegion()->getFirstChild()), QStringList({"NewRegion", "Body_1"}));
    EXPECT_TRUE(treeMirrorsDocument(*m_view));

    QStringList boxes;
    for (const VxMessageBoxAnswerer::Seen& box : answerer.seen())
        boxes.append(box.title + ": " + box.text);
    const QString bones = "Invalid Bone Name: Bone names must be unique, appending a value to make the name unique.";
    const QString regions = "Invalid Region Name: Region names must be unique, appending a value to make the name unique.";
    EXPECT_EQ(boxes, QStringList({bones, bones, bones, regions, regions}));
}
