// Drops on the relationships view: bones and regions re-parented, face groups and
// geometries from the geometry list assigned, with real drag payloads.
#include "hierarchyviewtest.h"

#include "vxgeometrylistitem.h"
#include "vxgeometrylistview.h"
#include "vxhierarchyboneitem.h"
#include "vxhierarchyeditorview.h"
#include "vxhierarchyregionitem.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include "vxmessageboxanswerer.h"

#include <QDrag>

namespace {
enum { BaseGeometry = 4130, Bones = 4149 };

// The geometry list a user drags geometries and face groups from.
struct GeometryList
{
    explicit GeometryList(VxFSHierarchy* document) : view(nullptr) { view.setHierarchy(document); }
    // The item of `geometry`, or of its face group `group`.
    QTreeWidgetItem* item(VxFSGeomItem* geometry, const QString& group = QString()) const
    {
        QTreeWidgetItem* item = view.findItem(geometry);
        for (int i = 0; !group.isNull() && i < item->childCount(); ++i) {
            if (item->child(i)->text(0) == group)
                return item->child(i);
        }
        return item;
    }
    // What dragging that item carries.
    std::unique_ptr<QMimeData> drag(VxFSGeomItem* geometry, const QString& group = QString())
    {
        view.clearSelection();
        item(geometry, group)->setSelected(true);
        return payload(*std::unique_ptr<QDrag>(view.dragObject()));
    }
    VxGeometryListView view;
};
} // namespace

TEST_F(HierarchyViewTest, BonesMoveOnlyOntoBonesOutsideTheirOwnSubtree)
{
    addBones({"hip", "hip/abdomen", "hip/abdomen/chest", "hip/lThigh", "head"});
    attach();
    const auto hipDrag = dragData(boneItem("hip"));
    for (const char* target : {"hip", "abdomen", "chest"}) {
        EXPECT_FALSE(dragMoveAccepted(boneItem(target), *hipDrag)) << target;
        EXPECT_FALSE(drop(boneItem(target), *hipDrag)) << target;
    }
    EXPECT_FALSE(dragMoveAccepted(itemOfType(BaseGeometry), *hipDrag));
    EXPECT_TRUE(treeMirrorsDocument(*m_view));

    // Onto another bone it becomes the last child, its subtree still open and selected.
    const auto abdomenDrag = dragData(boneItem("abdomen"));
    EXPECT_TRUE(dragMoveAccepted(boneItem("head"), *abdomenDrag));
    EXPECT_TRUE(drop(boneItem("head"), *abdomenDrag));
    EXPECT_EQ(names(bone("head")->getFirstChild()), QStringList({"abdomen"}));
    EXPECT_TRUE(boneItem("abdomen")->isExpanded());
    EXPECT_EQ(m_view->selectedItems(), QList<QTreeWidgetItem*>({boneItem("abdomen")}));
    EXPECT_TRUE(treeMirrorsDocument(*m_view));

    // Onto "Bones" it becomes the last root bone.
    const auto chestDrag = dragData(boneItem("chest"));
    EXPECT_TRUE(drop(itemOfType(Bones), *chestDrag));
    EXPECT_EQ(names(m_document->getFirstBone()), QStringList({"hip", "head", "chest"}));
    EXPECT_EQ(itemOfType(Bones)->indexOfChild(boneItem("chest")), 2);
    EXPECT_TRUE(treeMirrorsDocument(*m_view));

    // Renames keep working on moved bones: the document knows where their names are.
    VxMessageBoxAnswerer answerer;
    ASSERT_TRUE(rename(boneItem("chest"), 0, "hip"));
    EXPECT_EQ(answerer.count(), 1);
    EXPECT_NE(bone("hip_1"), nullptr);

    // Sources the view does not take, or no source at all, change nothing.
    QMimeData text;
    text.setText("hip");
    EXPECT_FALSE(dragMoveAccepted(boneItem("head"), text));
    EXPECT_FALSE(drop(boneItem("head"), text));
    EXPECT_TRUE(treeMirrorsDocument(*m_view));
}

TEST_F(HierarchyViewTest, AGeometryOnTheDocumentStartsItOverOrRebindsItsBones)
{
    VxFSGeomItem* body = loadGeometry("body.obj", {"hip", "chest", "head"});
    VxFSGeomItem* other = loadGeometry("other.obj", {"head", "tail"});
    attach();
    GeometryList list(m_document.get());
    const auto bodyDrag = list.drag(body);
    EXPECT_TRUE(dragMoveAccepted(m_view->topLevelItem(0), *bodyDrag));
    EXPECT_TRUE(drop(m_view->topLevelItem(0), *bodyDrag));
    // One root bone per face group, each holding its group, the document named after the shape.
    EXPECT_EQ(names(m_document->getFirstBone()), QStringList({"hip", "chest", "head"}));
    EXPECT_EQ(m_document->getName(), "body_3");
    EXPECT_EQ(bone("chest")->getGeomGroup(), body->getGroup(1));
    EXPECT_TRUE(treeMirrorsDocument(*m_view));

    // With bones, a geometry only becomes the base and gives its groups to bones by name.
    const auto otherDrag = list.drag(other);
    m_document->setName("Figure");
    EXPECT_TRUE(drop(itemOfType(BaseGeometry), *otherDrag));
    EXPECT_EQ(m_document->getBaseGeometry(), other);
    EXPECT_EQ(m_document->getName(), "other_3");
    EXPECT_EQ(m_document->getLabel(), "body_3");
    EXPECT_EQ(bone("head")->getGeomGroup(), other->getGroup(0));
    EXPECT_EQ(bone("hip")->getGeomGroup(), nullptr);
    EXPECT_TRUE(treeMirrorsDocument(*m_view));

    // A single-skin figure takes no geometry on its bones.
    EXPECT_FALSE(dragMoveAccepted(boneItem("hip"), *bodyDrag));
    EXPECT_FALSE(drop(boneItem("hip"), *bodyDrag));
    EXPECT_TRUE(treeMirrorsDocument(*m_view));
}

TEST_F(HierarchyViewTest, FaceGroupsGoToBonesOnlyFromTheBaseGeometry)
{
    VxFSGeomItem* body = loadGeometry("body.obj", {"hip", "chest"});
    VxFSGeomItem* other = loadGeometry("other.obj", {"tail"});
    addBones({"hip", "hip/chest"});
    attach();
    GeometryList list(m_document.get());

    // Without a base geometry the first group chooses it; dropped on the bone's geometry item.
    const auto chestDrag = list.drag(body, "chest");
    QTreeWidgetItem* chestGeometry = boneItem("chest")->child(0);
    EXPECT_TRUE(dragMoveAccepted(chestGeometry, *chestDrag));
    EXPECT_TRUE(drop(chestGeometry, *chestDrag));
    EXPECT_EQ(bone("chest")->getGeomGroup(), body->getGroup(1));
    EXPECT_EQ(m_document->getBaseGeometry(), body);
    EXPECT_FALSE(list.item(body, "chest")->isSelected());
    EXPECT_TRUE(treeMirrorsDocument(*m_view));

    const auto tailDrag = list.drag(other, "tail");
    for (QTreeWidgetItem* target : {static_cast<QTreeWidgetItem*>(boneItem("hip")), chestGeometry}) {
        EXPECT_FALSE(dragMoveAccepted(target, *tailDrag));
        EXPECT_FALSE(drop(target, *tailDrag));
    }
    const auto hipDrag = list.drag(body, "hip");
    EXPECT_FALSE(dragMoveAccepted(m_view->topLevelItem(0), *hipDrag));
    EXPECT_TRUE(drop(boneItem("hip"), *hipDrag));
    EXPECT_EQ(bone("hip")->getGeomGroup(), body->getGroup(0));
    EXPECT_TRUE(treeMirrorsDocument(*m_view));
}

TEST_F(HierarchyViewTest, ParametricBonesTakeGeometriesAsAlternates)
{
    VxFSGeomItem* body = loadGeometry("body.obj", {"hip"});
    VxFSGeomItem* hand = loadGeometry("hand.obj", {"fist"});
    addBones({"hip", "hip/lHand"});
    m_document->setFigureType(Poser);
    attach();
    GeometryList list(m_document.get());
    const auto bodyDrag = list.drag(body);
    const auto handDrag = list.drag(hand);
    QTreeWidgetItem* container = boneItem("lHand")->child(0);
    QTreeWidgetItem* alternates = container->child(1);
    EXPECT_TRUE(drop(boneItem("lHand"), *handDrag));
    EXPECT_TRUE(drop(alternates, *bodyDrag));
    EXPECT_TRUE(drop(alternates->child(0), *handDrag)); // already an alternate: kept once
    EXPECT_TRUE(drop(container, *bodyDrag));
    ASSERT_EQ(bone("lHand")->getNumAltGeometries(), 2);
    EXPECT_EQ(bone("lHand")->getAltGeometry(0), hand);
    EXPECT_TRUE(treeMirrorsDocument(*m_view));

    // The menu removes one selected alternate, or all of a bone's.
    select({alternates->child(1)});
    ASSERT_TRUE(choose(alternates->child(1), 0, 16));
    EXPECT_EQ(bone("lHand")->getNumAltGeometries(), 1);
    select({alternates});
    EXPECT_EQ(menuAt(alternates, 0),
              QStringList({"Remove Alternate Geometry [16, disabled]", "Clear Alternate Geometries [17]"}));
    ASSERT_TRUE(choose(alternates, 0, 17));
    EXPECT_EQ(bone("lHand")->getNumAltGeometries(), 0);
    EXPECT_FALSE(hand->isInUse());
    EXPECT_TRUE(treeMirrorsDocument(*m_view));
}

TEST_F(HierarchyViewTest, RegionsMoveOntoRegionsOutsideTheirOwnSubtree)
{
    auto* body = new VxFSRegionItem(m_document.get(), "Body");
    auto* head = new VxFSRegionItem(body, "Head");
    new VxFSRegionItem(head, "Eyes");
    new VxFSRegionItem(body, "Torso");
    attach();
    const auto headDrag = dragData(regionItem("Head"));
    EXPECT_FALSE(dragMoveAccepted(regionItem("Eyes"), *headDrag));
    EXPECT_FALSE(dragMoveAccepted(regionItem("Head"), *headDrag));
    EXPECT_FALSE(drop(itemOfType(4135), *headDrag));
    EXPECT_TRUE(drop(regionItem("Torso"), *headDrag));
    EXPECT_EQ(names(body->getFirstChild()->getFirstChild()), QStringList({"Head"}));
    EXPECT_TRUE(regionItem("Head")->isExpanded());
    EXPECT_TRUE(treeMirrorsDocument(*m_view));

    // The root region holds every other region; removing a region keeps its children in
    // its place.
    EXPECT_FALSE(drop(regionItem("Eyes"), *dragData(regionItem("Body"))));
    select({regionItem("Head")});
    ASSERT_TRUE(choose(regionItem("Head"), 0, 21));
    EXPECT_EQ(names(body->getFirstChild()->getFirstChild()), QStringList({"Eyes"}));
    EXPECT_TRUE(treeMirrorsDocument(*m_view));
    select({regionItem("Body"), regionItem("Eyes")});
    ASSERT_TRUE(choose(regionItem("Body"), 0, 22));
    EXPECT_EQ(m_document->getFirstRegion(), nullptr);
    EXPECT_TRUE(treeMirrorsDocument(*m_view));
}
