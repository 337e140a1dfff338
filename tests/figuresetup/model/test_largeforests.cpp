// The shortcuts that keep large imports linear: bone names known to the document (findBone
// answers unknown names without a search), one pass over the forest for a clash's
// candidates, appending after each list's remembered last node, and face groups found by
// name through a table. None may change an answer.
#include "modeltestmeshes.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include "vxapptest.h"
#include "vxmessageboxanswerer.h"

#include <memory>

using LargeForestTest = VxAppTest;

namespace {
QStringList rootNames(const VxFSHierarchy& document)
{
    QStringList names;
    for (const VxFSHierarchyItem* bone = document.getFirstBone(); bone; bone = bone->getNextSibling())
        names.append(bone->getName());
    return names;
}
} // namespace

TEST_F(LargeForestTest, BonesAreFoundUnderEveryNameTheyTakeWhereverTheyComeFrom)
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
    EXPECT_EQ(second.findBone(QStringLiteral("root")), root);
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
}

TEST_F(LargeForestTest, ClashesStillTakeTheFirstFreeNumberAcrossTheWholeForest)
{
    VxFSHierarchy document;
    VxMessageBoxAnswerer answerer;
    auto* a = new VxFSHierarchyItem(&document, QStringLiteral("a"));
    new VxFSHierarchyItem(a, QStringLiteral("a_1"));
    new VxFSHierarchyItem(&document, QStringLiteral("a_3"));
    EXPECT_EQ((new VxFSHierarchyItem(a, QStringLiteral("a")))->getName(), QStringLiteral("a_2"));
    EXPECT_EQ((new VxFSHierarchyItem(&document, QStringLiteral("a")))->getName(), QStringLiteral("a_4"));
    EXPECT_EQ(answerer.count(), 2);

    auto* region = new VxFSRegionItem(&document, QStringLiteral("r"));
    new VxFSRegionItem(region, QStringLiteral("r_1"));
    EXPECT_EQ((new VxFSRegionItem(&document, QStringLiteral("r")))->getName(), QStringLiteral("r_2"));
}

TEST_F(LargeForestTest, AppendingAfterTheLastNodeSurvivesUnlinksAndOtherLists)
{
    VxFSHierarchy document;
    auto* a = new VxFSHierarchyItem(&document, QStringLiteral("a"));
    new VxFSHierarchyItem(&document, QStringLiteral("b"));
    auto* c = new VxFSHierarchyItem(&document, QStringLiteral("c"));
    new VxFSHierarchyItem(a, QStringLiteral("x")); // another list in between
    new VxFSHierarchyItem(&document, QStringLiteral("d"));
    EXPECT_EQ(rootNames(document), QStringList({"a", "b", "c", "d"}));

    // The last node leaves, by unlinking or by dying: the next one still goes to the end.
    auto* e = new VxFSHierarchyItem(&document, QStringLiteral("e"));
    delete e;
    new VxFSHierarchyItem(&document, QStringLiteral("f"));
    auto* g = new VxFSHierarchyItem(&document, QStringLiteral("g"));
    document.removeBone(g, false);
    new VxFSHierarchyItem(&document, QStringLiteral("h"));
    document.removeBone(c, false);
    document.addBone(c);
    document.addBone(g);
    EXPECT_EQ(rootNames(document), QStringList({"a", "b", "d", "f", "h", "c", "g"}));

    // A node appended last that moves to another list takes the shortcut with it.
    a->addChild(g);
    new VxFSHierarchyItem(&document, QStringLiteral("i"));
    EXPECT_EQ(rootNames(document), QStringList({"a", "b", "d", "f", "h", "c", "i"}));
    EXPECT_EQ(a->getFirstChild()->getNextSibling(), g);
}

TEST_F(LargeForestTest, ListsFilledInTurnKeepTheirOrder)
{
    VxFSHierarchy document;
    auto* a = new VxFSHierarchyItem(&document, QStringLiteral("a"));
    auto* b = new VxFSHierarchyItem(&document, QStringLiteral("b"));
    for (int i = 0; i < 3; ++i) {
        new VxFSHierarchyItem(a, QStringLiteral("a%1").arg(i));
        new VxFSHierarchyItem(b, QStringLiteral("b%1").arg(i));
        new VxFSHierarchyItem(&document, QStringLiteral("r%1").arg(i));
    }
    EXPECT_EQ(rootNames(document), QStringList({"a", "b", "r0", "r1", "r2"}));
    QStringList underA;
    for (const VxFSHierarchyItem* child = a->getFirstChild(); child; child = child->getNextSibling())
        underA.append(child->getName());
    EXPECT_EQ(underA, QStringList({"a0", "a1", "a2"}));
    // A list whose owner died is forgotten with it.
    delete a;
    auto* c = new VxFSHierarchyItem(&document, QStringLiteral("c"));
    new VxFSHierarchyItem(c, QStringLiteral("c0"));
    EXPECT_EQ(c->getFirstChild()->getName(), QStringLiteral("c0"));
    EXPECT_EQ(c->getFirstChild()->getNextSibling(), nullptr);
}

TEST_F(LargeForestTest, FaceGroupsAreFoundByNameFirstOneFirst)
{
    std::unique_ptr<VxFSGeomItem> item(makeGeomItem(QStringLiteral("body"), {"a", "b", "a"}));
    EXPECT_EQ(item->findGroup(QStringLiteral("a")), item->getGroup(0));
    EXPECT_EQ(item->findGroup(QStringLiteral("b")), item->getGroup(1));
    EXPECT_EQ(item->findGroup(QStringLiteral("c")), nullptr);
    EXPECT_EQ(item->findGroup(QString()), nullptr);
}
