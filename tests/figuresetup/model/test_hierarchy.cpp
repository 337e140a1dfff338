#include "modeltestmeshes.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include "vxapptest.h"
#include "vxcontentmgr.h"
#include "vxmessageboxanswerer.h"

#include <QDir>
#include <QSignalSpy>

#include <memory>

using HierarchyTest = VxAppTest;

TEST_F(HierarchyTest, BaseGeometryChangesAreAnnouncedCountedAndValidated)
{
    VxFSHierarchy document;
    document.setFigureType(Poser);
    auto* body = makeGeomItem(QStringLiteral("body"), {"hip"});
    ASSERT_TRUE(document.addGeometryItem(body));
    std::unique_ptr<VxFSGeomItem> other(makeGeomItem(QStringLiteral("other"), {"hip"}));
    auto* onBody = new VxFSHierarchyItem(&document, QStringLiteral("a"));
    auto* onOther = new VxFSHierarchyItem(onBody, QStringLiteral("b")); // validation reaches every level
    onBody->setGeomGroup(body->getGroup(0));
    onOther->setGeomGroup(other->getGroup(0));

    QSignalSpy changed(&document, &VxFSHierarchy::geometryChanged);
    document.setBaseGeometry(body);
    document.setBaseGeometry(body);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(body->getUseCount(), 2);
    // Validation does not look at the figure type.
    EXPECT_EQ(onOther->getGeomGroup(), nullptr);
    EXPECT_EQ(onBody->getGeomGroup(), body->getGroup(0));
    document.setBaseGeometry(nullptr);
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(body->getUseCount(), 0);
    EXPECT_EQ(onBody->getGeomGroup(), nullptr);

    // Former base geometries, let go by a change or by clear(), no longer reach the document.
    std::unique_ptr<VxFSGeomItem> former(makeGeomItem(QStringLiteral("former"), {}));
    document.setBaseGeometry(former.get());
    document.clear(false);
    document.setBaseGeometry(other.get());
    EXPECT_TRUE(document.removeGeometry(body));
    former.reset();
    EXPECT_EQ(changed.count(), 4);
    EXPECT_EQ(document.getBaseGeometry(), other.get());
    EXPECT_EQ(other->getUseCount(), 1);
    other.reset();
    EXPECT_EQ(changed.count(), 5);
    EXPECT_EQ(document.getBaseGeometry(), nullptr);
}

// What clear() resets to is the template tests' subject (a file that is no template leaves
// the document cleared); here what it gives back and what it keeps.
TEST_F(HierarchyTest, ClearKeepsGeometryAndSettingsAndOptionallyRegions)
{
    for (bool includeRegions : {false, true}) {
        VxFSHierarchy document(QStringLiteral("Andy"));
        auto* body = makeGeomItem(QStringLiteral("body"), {"hip", "chest"});
        ASSERT_TRUE(document.addGeometryItem(body));
        document.fromGeometry(body);
        document.setSourceFigureName(QStringLiteral("Figure 1"));
        document.setApplySubD(true);
        new VxFSRegionItem(new VxFSRegionItem(&document, QStringLiteral("Head")), QStringLiteral("Face"));
        document.clear(includeRegions);
        EXPECT_EQ(document.getSourceFigureName(), QString());
        EXPECT_EQ(document.getFirstBone(), nullptr);
        EXPECT_EQ(body->getUseCount(), 0);
        EXPECT_FALSE(body->getGroup(0)->isAssigned());
        EXPECT_EQ(document.getNumGeometries(), 1);
        EXPECT_TRUE(document.getApplySubD());
        EXPECT_EQ(document.findRegion(QStringLiteral("Face")) != nullptr, !includeRegions);
    }
}

TEST_F(HierarchyTest, FromGeometryMakesOneUniquelyNamedRootBonePerFaceGroup)
{
    VxFSHierarchy document;
    document.fromGeometry(nullptr);
    auto* body = makeGeomItem(QStringLiteral("body"), {"hip", "chest", "hip"});
    ASSERT_TRUE(document.addGeometryItem(body));
    new VxFSHierarchyItem(&document, QStringLiteral("old"));
    QSignalSpy name(&document, &VxFSHierarchy::nameChanged);
    VxMessageBoxAnswerer answerer;
    document.fromGeometry(body);
    EXPECT_EQ(answerer.count(), 1);
    EXPECT_EQ(name.count(), 2); // clear, then the shape's name
    EXPECT_EQ(document.getLabel(), QStringLiteral("body"));
    EXPECT_EQ(document.getBaseGeometry(), body);
    EXPECT_EQ(namesOf(document.getFirstBone()), QStringList({"hip", "chest", "hip_1"}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(document.getAllBones()[i]->getGeomGroup(), body->getGroup(i)) << i;
    // Groups are found by name through a table that keeps the first of each name.
    EXPECT_EQ(body->findGroup(QStringLiteral("hip")), body->getGroup(0));
    EXPECT_EQ(body->findGroup(QStringLiteral("Hip")), nullptr);
    EXPECT_EQ(body->getUseCount(), 4);

    // The geometry can go while bones use it: the bones only lose their groups.
    EXPECT_TRUE(document.removeGeometry(body));
    EXPECT_EQ(document.getNumBones(true), 3);
    EXPECT_EQ(document.getFirstBone()->getGeomGroup(), nullptr);
    EXPECT_EQ(document.getBaseGeometry(), nullptr);
}

// A forest of hip { a { a1 } b { b1 } c { c1 c2 } } and prop. (Which of two bones of one
// name is found is the name table's test below.)
TEST_F(HierarchyTest, ForestSearchesAndUnlinksRunInPreOrder)
{
    VxFSHierarchy document;
    auto* hip = new VxFSHierarchyItem(&document, QStringLiteral("hip"));
    auto* a = new VxFSHierarchyItem(hip, QStringLiteral("a"));
    auto* a1 = new VxFSHierarchyItem(a, QStringLiteral("a1"));
    auto* b = new VxFSHierarchyItem(hip, QStringLiteral("b"));
    auto* b1 = new VxFSHierarchyItem(b, QStringLiteral("b1"));
    auto* c = new VxFSHierarchyItem(hip, QStringLiteral("c"));
    auto* c1 = new VxFSHierarchyItem(c, QStringLiteral("c1"));
    auto* c2 = new VxFSHierarchyItem(c, QStringLiteral("c2"));
    auto* prop = new VxFSHierarchyItem(&document, QStringLiteral("prop"));
    EXPECT_EQ(document.getAllBones(), (QList<VxFSHierarchyItem*>{hip, a, a1, b, b1, c, c1, c2, prop}));
    EXPECT_EQ(hip->getAllDescendants(), document.getAllBones().mid(1, 7));
    EXPECT_EQ(document.getNumBones(false), 2);
    EXPECT_EQ(hip->getNumChildren(true), 7);
    EXPECT_EQ(hip->findChild(QStringLiteral("b1")), b1);
    EXPECT_EQ(hip->findChild(QStringLiteral("hip")), nullptr);
    b1->setSourceBoneName(QStringLiteral("src"));
    b->setSourceBoneName(QStringLiteral("src"));
    EXPECT_EQ(hip->findBySourceBoneName(QStringLiteral("src")), b);

    // Unlinking only takes the bone out of its list: it is neither deleted nor re-parented.
    EXPECT_FALSE(document.removeBone(a1, false));
    EXPECT_TRUE(document.removeBone(a1, true));
    EXPECT_EQ(a1->parent(), a);
    EXPECT_TRUE(hip->removeChild(c2, true)); // below the last child
    EXPECT_EQ(c1->getNextSibling(), nullptr);
    EXPECT_TRUE(hip->removeChild(b, false));
    EXPECT_EQ(a->getNextSibling(), c);
    EXPECT_EQ(b->getNextSibling(), nullptr);
    EXPECT_FALSE(hip->removeChild(b, true));
    EXPECT_TRUE(document.removeBone(hip, false));
    EXPECT_EQ(document.getFirstBone(), prop);
    document.addBone(hip);
    EXPECT_EQ(prop->getNextSibling(), hip);

    // A linked bone deleted directly leaves its list; linking a bone below itself is refused.
    delete a;
    EXPECT_EQ(namesOf(hip->getFirstChild()), QStringList({"c"}));
    c->addChild(hip);
    hip->addChild(hip);
    EXPECT_EQ(namesOf(document.getFirstBone()), QStringList({"prop", "hip"}));
    EXPECT_EQ(namesOf(c->getFirstChild()), QStringList({"c1"}));
}

TEST_F(HierarchyTest, GeometryItemsAreUniqueByPathAndMoveBetweenDocuments)
{
    VxFSHierarchy first;
    auto* body = makeGeomItem(QStringLiteral("body"), {"hip"});
    ASSERT_TRUE(first.addGeometryItem(body));
    EXPECT_FALSE(first.addGeometryItem(body));
    // Items built from scene shapes have no path: a second one is refused.
    std::unique_ptr<VxFSGeomItem> hat(makeGeomItem(QStringLiteral("hat"), {}));
    EXPECT_FALSE(first.addGeometryItem(hat.get()));
    EXPECT_EQ(first.findGeometryByName(QStringLiteral("body")), body);
    EXPECT_EQ(first.findGeometry(QString()), body);
    auto* bone = new VxFSHierarchyItem(&first, QStringLiteral("hip"));
    bone->setGeomGroup(body->getGroup(0));
    {
        VxFSHierarchy second;
        ASSERT_TRUE(second.addGeometryItem(body));
        EXPECT_EQ(first.getNumGeometries(), 0);
        EXPECT_EQ(body->getDocument(), &second);
        EXPECT_TRUE(second.removeGeometry(body));
        EXPECT_FALSE(second.removeGeometry(body));
    }
    EXPECT_EQ(bone->getGeomGroup(), nullptr);
    EXPECT_EQ(first.getBaseGeometry(), nullptr);
}

// The name table lets findBone answer names no bone ever had without searching the forest,
// which keeps large imports linear; it must never change an answer.
TEST_F(HierarchyTest, BonesAreFoundUnderEveryNameTheyTakeWhereverTheyComeFrom)
{
    VxFSHierarchy first;
    VxFSHierarchy second;
    auto* root = new VxFSHierarchyItem(&first, QStringLiteral("root"));
    auto* child = new VxFSHierarchyItem(root, QStringLiteral("child"));
    child->setName(QStringLiteral("renamed"));
    EXPECT_EQ(first.findBone(QStringLiteral("renamed")), child);
    EXPECT_EQ(first.findBone(QStringLiteral("child")), nullptr);

    // A subtree moved into another document is found there under all its names.
    ASSERT_TRUE(first.removeBone(root, false));
    root->setParent(&second);
    second.addBone(root);
    EXPECT_EQ(second.findBone(QStringLiteral("renamed")), child);
    EXPECT_EQ(first.findBone(QStringLiteral("root")), nullptr);
    // So is one moved under a bone of it.
    auto* other = new VxFSHierarchyItem(&first, QStringLiteral("other"));
    auto* leaf = new VxFSHierarchyItem(other, QStringLiteral("leaf"));
    other->removeChild(leaf, false);
    leaf->setParent(child);
    child->addChild(leaf);
    EXPECT_EQ(second.findBone(QStringLiteral("leaf")), leaf);

    // A bone kept out of the forest while the document is cleared is found again when it
    // comes back, and the names of the bones cleared away are not.
    second.removeBone(root, false);
    second.clear(true);
    second.addBone(root);
    EXPECT_EQ(second.findBone(QStringLiteral("leaf")), leaf);
    EXPECT_EQ(second.getBoneNames(), QSet<QString>({"root", "renamed", "leaf"}));

    // Bones made outside any document and linked in, with their children, are found, also
    // after a rename they cannot report.
    auto* loose = new VxFSHierarchyItem(static_cast<VxFSHierarchyItem*>(nullptr), QStringLiteral("loose"));
    auto* looseChild = new VxFSHierarchyItem(loose, QStringLiteral("looseChild"));
    auto* prop = new VxFSHierarchyItem(static_cast<VxFSHierarchyItem*>(nullptr), QStringLiteral("prop"));
    first.addBone(loose);
    EXPECT_EQ(first.findBone(QStringLiteral("looseChild")), looseChild);
    child->addChild(prop);
    EXPECT_EQ(second.findBone(QStringLiteral("prop")), prop);
    prop->setName(QStringLiteral("stick"));
    EXPECT_EQ(second.findBone(QStringLiteral("stick")), prop);
}

// Names clash when a bone gives up its place in the forest, its name is taken and it comes
// back, or when a bone of another name scope joins: the first in pre-order is the answer,
// whichever took the name last.
TEST_F(HierarchyTest, OfTwoBonesOfOneNameTheFirstInPreOrderIsFound)
{
    VxFSHierarchy document;
    auto* p = new VxFSHierarchyItem(&document, QStringLiteral("p"));
    auto* leaving = new VxFSHierarchyItem(p, QStringLiteral("x"));
    auto* taker = new VxFSHierarchyItem(p, QStringLiteral("taker"));
    ASSERT_TRUE(p->removeChild(leaving, false));
    taker->setName(QStringLiteral("x"));
    document.addBone(leaving);
    EXPECT_EQ(document.findBone(QStringLiteral("x")), taker);

    auto* outside = new VxFSHierarchyItem(static_cast<VxFSHierarchyItem*>(nullptr), QStringLiteral("p"));
    outside->setParent(&document);
    document.addBone(outside);
    EXPECT_EQ(document.findBone(QStringLiteral("p")), p);
}
