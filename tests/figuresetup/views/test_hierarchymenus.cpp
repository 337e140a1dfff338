// The relationships view's context menus: what each click offers, and what each entry does
// to the document and the tree.
#include "hierarchyviewtest.h"

#include "vxhierarchyboneitem.h"
#include "vxhierarchyeditorview.h"
#include "vxhierarchyregionitem.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include "vxmessageboxanswerer.h"

#include <QSignalSpy>

namespace {
enum { BaseGeometry = 4130, Bones = 4149, Regions = 4135 };
} // namespace

TEST_F(HierarchyViewTest, BoneMenusFollowTheSelectionAndTheColumn)
{
    addBones({"hip", "hip/abdomen", "head"});
    bone("abdomen")->setRotationOrder(VxRotationOrder::YZX);
    auto* body = new VxFSRegionItem(m_document.get(), "Body");
    attach();
    QTreeWidgetItem* root = m_view->topLevelItem(0);
    QTreeWidgetItem* container = itemOfType(Bones);
    QTreeWidgetItem* hip = boneItem("hip");
    QTreeWidgetItem* abdomen = boneItem("abdomen");

    const QStringList oneBone = {"Edit Name [1]", "---", "Add Child Bone... [3]", "Add Bone Sequence... [4]", "---",
                                 "Remove Bone(s) [5]", "Remove Bones(s) and Children [6]", "---",
                                 "Create IK Chain... [10, disabled]", "---",
                                 "Expand Selected Bone(s) and Children [11]",
                                 "Collapse Selected Bone(s) and Children [12]"};
    auto with = [&oneBone](const QList<int>& disabled) {
        QStringList lines = oneBone;
        for (QString& line : lines) {
            for (int id : disabled) {
                if (line.endsWith(QStringLiteral("[%1]").arg(id)))
                    line.replace(QStringLiteral("[%1]").arg(id), QStringLiteral("[%1, disabled]").arg(id));
            }
        }
        return lines;
    };
    struct Case
    {
        QList<QTreeWidgetItem*> selection;
        int column;
        QStringList expected;
    };
    const QList<Case> cases = {
        {{abdomen}, 0, oneBone},
        {{root}, 0, with({3, 4, 5, 6})},
        {{container}, 0, with({1, 5, 6})},
        {{hip, abdomen}, 0, with({1, 3, 4})},
        {{abdomen}, 1, {"Edit Label [2]"}},
        {{hip, abdomen}, 1, {"Edit Label [2, disabled]"}},
        {{abdomen}, 2,
         {"XYZ [30]", "XZY [31]", "YXZ [32]", "YZX [33, checked]", "ZXY [34]", "ZYX [35]", "---",
          "Select Weight Maps... [42]"}},
        {{hip, abdomen}, 2,
         {"XYZ [30]", "XZY [31]", "YXZ [32]", "YZX [33]", "ZXY [34]", "ZYX [35]", "---", "Select Weight Maps... [42]"}},
        {{root}, 2, {}},
        {{container, hip}, 2, {}},
    };
    for (const Case& c : cases) {
        select(c.selection);
        EXPECT_EQ(menuAt(c.selection.last(), c.column), c.expected)
            << "column " << c.column << ", " << c.selection.size() << " selected, last " << c.selection.last()->text(0).toStdString();
    }

    // Kinds of item mixed: each kind's menu as a submenu in column 0; elsewhere the bones'
    // column menu with the others added at its end.
    select({abdomen, regionItem("Body")});
    const QStringList mixed = menuAt(abdomen, 0);
    EXPECT_EQ(mixed.mid(0, 2), QStringList({"Hierarchy Menu [-2]", "Hierarchy Menu > Edit Name [1]"}));
    EXPECT_TRUE(mixed.contains("Region Menu [-3]"));
    // The region menu's rules look at the clicked item, here a bone.
    EXPECT_TRUE(mixed.contains("Region Menu > Remove Region [21]"));
    const QStringList orders = menuAt(abdomen, 2);
    EXPECT_EQ(orders.first(), "XYZ [30]");
    EXPECT_EQ(orders.mid(orders.indexOf("Region Menu [-2]")),
              QStringList({"Region Menu [-2]", "Region Menu > Add Child Region [20]",
                           "Region Menu > Remove Region [21]", "Region Menu > Remove Region and Children [22]"}));

    // "Regions": one root region at most; it is removed only with its children.
    select({itemOfType(Regions)});
    EXPECT_EQ(menuAt(itemOfType(Regions), 0),
              QStringList({"Add Child Region [20, disabled]", "Remove Region [21, disabled]",
                           "Remove Region and Children [22, disabled]"}));
    ASSERT_TRUE(choose(regionItem("Body"), 0, 20));
    ASSERT_NE(regionItem("NewRegion"), nullptr);
    select({regionItem("NewRegion")});
    EXPECT_EQ(menuAt(regionItem("NewRegion"), 0),
              QStringList({"Add Child Region [20]", "Remove Region [21]", "Remove Region and Children [22]"}));
    EXPECT_EQ(body->getFirstChild()->getName(), "NewRegion");
}

TEST_F(HierarchyViewTest, WeldMenuOffersTheParentAndEachWeldOfOneBone)
{
    addBones({"hip", "hip/chest", "hip/chest/neck", "head"});
    m_document->setFigureType(Poser);
    bone("neck")->addWeldTarget(bone("head"));
    bone("neck")->addWeldTarget(bone("hip"));
    attach();

    select({boneItem("hip")});
    EXPECT_EQ(menuAt(boneItem("hip"), 3), QStringList({"Weld to None [7]", "Weld to Parent(s) [8, disabled]", "---",
                                                       "Select Bone(s)... [9]", "---"}));
    select({boneItem("neck")});
    EXPECT_EQ(boneItem("neck")->text(3), "<multiple>");
    EXPECT_EQ(menuAt(boneItem("neck"), 3),
              QStringList({"Weld to None [7]", "Weld to Parent: chest [8]", "---", "Select Bone(s)... [9]", "---",
                           "head [50, checked]", "hip [51, checked]"}));
    ASSERT_TRUE(choose(boneItem("neck"), 3, 51));
    EXPECT_EQ(bone("neck")->getNumWeldTargets(), 1);
    EXPECT_EQ(boneItem("neck")->text(3), "head");

    select({boneItem("chest"), boneItem("neck"), boneItem("head")});
    ASSERT_TRUE(choose(boneItem("head"), 3, 8)); // "Weld to Parent(s)": only bones with a parent bone
    EXPECT_EQ(bone("chest")->getWeldTarget(0), bone("hip"));
    EXPECT_EQ(bone("neck")->getWeldTarget(0), bone("chest"));
    EXPECT_EQ(bone("head")->getNumWeldTargets(), 0);
    EXPECT_TRUE(treeMirrorsDocument(*m_view));
    ASSERT_TRUE(choose(boneItem("head"), 3, 7));
    EXPECT_EQ(bone("chest")->getNumWeldTargets() + bone("neck")->getNumWeldTargets(), 0);
    EXPECT_TRUE(treeMirrorsDocument(*m_view));
}

TEST_F(HierarchyViewTest, RemovingBonesKeepsOrDropsTheirChildren)
{
    VxFSGeomItem* body = loadGeometry("body.obj", {"abdomen"});
    addBones({"hip", "hip/abdomen", "hip/abdomen/chest", "hip/abdomen/lShldr", "hip/lThigh", "head", "head/jaw"});
    bone("abdomen")->setGeomGroup(body->getGroup(0));
    attach();
    select({boneItem("abdomen")});
    ASSERT_TRUE(choose(boneItem("abdomen"), 0, 5));
    // In the model the children join the end of the parent's children; in the tree they
    // take the removed bone's place, in their order.
    EXPECT_EQ(bone("abdomen"), nullptr);
    EXPECT_EQ(names(bone("hip")->getFirstChild()), QStringList({"lThigh", "chest", "lShldr"}));
    EXPECT_EQ(boneItem("hip")->indexOfChild(boneItem("lShldr")), 2);
    EXPECT_EQ(boneItem("hip")->indexOfChild(boneItem("chest")), 3);
    EXPECT_FALSE(body->getGroup(0)->isAssigned());
    EXPECT_TRUE(treeMirrorsDocument(*m_view));

    // A root bone's children become root bones.
    select({boneItem("head"), boneItem("chest")});
    ASSERT_TRUE(choose(boneItem("head"), 0, 5));
    EXPECT_EQ(names(m_document->getFirstBone()), QStringList({"hip", "jaw"}));
    EXPECT_TRUE(treeMirrorsDocument(*m_view));

    select({boneItem("hip"), boneItem("lThigh")});
    ASSERT_TRUE(choose(boneItem("hip"), 0, 6));
    EXPECT_EQ(names(m_document->getFirstBone()), QStringList({"jaw"}));
    EXPECT_EQ(m_document->getNumBones(true), 1);
    EXPECT_TRUE(treeMirrorsDocument(*m_view));
}

TEST_F(HierarchyViewTest, EntriesReachTheGeometryTheSelectionAndThePane)
{
    VxFSGeomItem* body = loadGeometry("body.obj", {"hip", "chest"});
    addBones({"hip", "hip/chest"});
    bone("chest")->setGeomGroup(body->getGroup(1));
    attach();
    select({boneItem("chest")->child(0)});
    ASSERT_TRUE(choose(boneItem("chest")->child(0), 0, 15));
    EXPECT_EQ(bone("chest")->getGeomGroup(), nullptr);
    select({itemOfType(BaseGeometry)});
    ASSERT_TRUE(choose(itemOfType(BaseGeometry), 0, 15));
    EXPECT_FALSE(body->isInUse());
    EXPECT_TRUE(treeMirrorsDocument(*m_view));

    // A rotation order goes to every selected bone; the pane makes the chain of the
    // relationships view's selection (the dialogs have tests of their own).
    select({boneItem("hip"), boneItem("chest")});
    ASSERT_TRUE(choose(boneItem("chest"), 2, 34));
    EXPECT_EQ(bone("hip")->getRotationOrder().getOrder() + bone("chest")->getRotationOrder().getOrder(), 8);
    m_document->setFigureType(Poser);
    QSignalSpy chainRequests(m_view.get(), &VxHierarchyEditorView::createIKChainRequested);
    ASSERT_TRUE(choose(boneItem("chest"), 0, 10));
    ASSERT_EQ(chainRequests.count(), 1);
    EXPECT_EQ(chainRequests.at(0).at(0).toString(), "HierarchyView");
    EXPECT_TRUE(treeMirrorsDocument(*m_view));

    // Collapsing the document closes every bone.
    select({m_view->topLevelItem(0)});
    ASSERT_TRUE(choose(m_view->topLevelItem(0), 0, 12));
    EXPECT_FALSE(itemOfType(Bones)->isExpanded() || boneItem("hip")->isExpanded());
}
