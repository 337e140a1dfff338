#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include "vxapptest.h"
#include "vxbone.h"
#include "vxgeometryregion.h"
#include "vxlegacyfigure.h"
#include "vxmessageboxanswerer.h"
#include "vxweld.h"

#include <memory>

using MappingTest = VxAppTest;

namespace {
VxBone* addBone(VxNode* parent, const QString& name)
{
    auto* bone = new VxBone();
    bone->setName(name);
    parent->addNodeChild(bone, false);
    return bone;
}

VxFSHierarchyItem* addItem(VxFSHierarchy& document, VxFSHierarchyItem* parent, const QString& name)
{
    auto* item = parent ? new VxFSHierarchyItem(parent, name) : new VxFSHierarchyItem(&document, name);
    item->setSourceBoneName(name);
    return item;
}
} // namespace

TEST_F(MappingTest, BonesMapOntoTheSkeletonTheyWereCopiedFrom)
{
    auto figure = std::make_unique<VxLegacyFigure>();
    VxBone* hip = addBone(figure.get(), QStringLiteral("hip"));
    VxBone* chest = addBone(hip, QStringLiteral("chest"));
    addBone(chest, QStringLiteral("head"));

    VxFSHierarchy document;
    VxFSHierarchyItem* hipItem = addItem(document, nullptr, QStringLiteral("hip"));
    VxFSHierarchyItem* chestItem = addItem(document, hipItem, QStringLiteral("chest"));
    VxFSHierarchyItem* headItem = addItem(document, chestItem, QStringLiteral("head"));
    VxFSHierarchyItem* newItem = addItem(document, chestItem, QStringLiteral("new"));

    hipItem->mapToSkeleton(nullptr);
    EXPECT_EQ(hipItem->getMappedBone(), nullptr);
    hipItem->mapToSkeleton(figure.get());
    EXPECT_EQ(hipItem->getMappedBone(), hip);
    EXPECT_EQ(hipItem->getParentNode(), figure.get());
    EXPECT_EQ(chestItem->getMappedBone(), chest);
    EXPECT_EQ(chestItem->getParentNode(), hip);
    EXPECT_EQ(headItem->getParentNode(), chest);
    EXPECT_EQ(newItem->getMappedBone(), nullptr);
    EXPECT_EQ(newItem->getParentNode(), nullptr);

    // A bone the figure lost keeps the parent node of its last mapping.
    auto other = std::make_unique<VxLegacyFigure>();
    addBone(other.get(), QStringLiteral("hip"));
    hipItem->mapToSkeleton(other.get());
    EXPECT_EQ(chestItem->getMappedBone(), nullptr);
    EXPECT_EQ(chestItem->getParentNode(), hip);

    // Children whose parent node is the given node forget it, and so on below them.
    hipItem->mapToSkeleton(figure.get());
    hipItem->clearParentNodeReferences(hip);
    EXPECT_EQ(hipItem->getParentNode(), figure.get());  // the bone itself is left alone
    EXPECT_EQ(chestItem->getParentNode(), nullptr);
    EXPECT_EQ(headItem->getParentNode(), chest);
    hipItem->mapToSkeleton(figure.get());
    hipItem->clearParentNodeReferences(chest);
    EXPECT_EQ(chestItem->getParentNode(), hip);  // not a match: its subtree is not visited
    EXPECT_EQ(headItem->getParentNode(), chest);
    chestItem->clearParentNodeReferences(chest);
    EXPECT_EQ(headItem->getParentNode(), nullptr);

    // Scene objects may die first; the bones do not keep dangling pointers.
    hipItem->mapToSkeleton(figure.get());
    figure.reset();
    EXPECT_EQ(hipItem->getMappedBone(), nullptr);
    EXPECT_EQ(chestItem->getParentNode(), nullptr);
}

TEST_F(MappingTest, WeldsGoToTheFigureBonesNamedLikeTheDocumentBones)
{
    VxLegacyFigure figure;
    VxBone* hip = addBone(&figure, QStringLiteral("hip"));
    VxBone* chest = addBone(hip, QStringLiteral("chest"));
    VxBone* lThigh = addBone(hip, QStringLiteral("lThigh"));

    VxFSHierarchy document;
    VxFSHierarchyItem* hipItem = addItem(document, nullptr, QStringLiteral("hip"));
    VxFSHierarchyItem* chestItem = addItem(document, hipItem, QStringLiteral("chest"));
    VxFSHierarchyItem* thighItem = addItem(document, hipItem, QStringLiteral("lThigh"));
    VxFSHierarchyItem* extra = addItem(document, hipItem, QStringLiteral("tail"));
    chestItem->addWeldTarget(hipItem);
    thighItem->addWeldTarget(extra);    // the figure has no "tail": no weld
    thighItem->addWeldTarget(hipItem);
    thighItem->addWeldTarget(chestItem);
    extra->addWeldTarget(hipItem);      // the figure has no "tail" bone to weld

    hipItem->applyWelds(nullptr);
    hipItem->applyWelds(&figure);
    ASSERT_EQ(figure.getNumWelds(), 3);
    EXPECT_EQ(figure.getWeld(0)->getWeldBone(), chest);
    EXPECT_EQ(figure.getWeld(0)->getTargetBone(), hip);
    EXPECT_EQ(figure.getWeld(1)->getWeldBone(), lThigh);
    EXPECT_EQ(figure.getWeld(1)->getTargetBone(), hip);
    EXPECT_EQ(figure.getWeld(2)->getTargetBone(), chest);
}

TEST_F(MappingTest, SceneRegionsBecomeRegionItems)
{
    VxGeometryRegion root(QStringLiteral("Figure"));
    auto* head = new VxGeometryRegion(QStringLiteral("Head"));
    auto* face = new VxGeometryRegion(QStringLiteral("Face"));
    auto* body = new VxGeometryRegion(QStringLiteral("Body"));
    auto* second = new VxGeometryRegion(QStringLiteral("Face"));
    root.addChildRegion(head);
    head->addChildRegion(face);
    root.addChildRegion(body);
    body->addChildRegion(second);

    VxFSHierarchy document;
    auto* top = new VxFSRegionItem(&document, root.getName());
    VxMessageBoxAnswerer answerer;
    document.buildRegions(&root, top);
    ASSERT_NE(top->getFirstChild(), nullptr);
    EXPECT_EQ(top->getFirstChild()->getName(), QStringLiteral("Head"));
    EXPECT_EQ(top->getFirstChild()->getFirstChild()->getName(), QStringLiteral("Face"));
    VxFSRegionItem* bodyItem = top->getFirstChild()->getNextSibling();
    ASSERT_NE(bodyItem, nullptr);
    EXPECT_EQ(bodyItem->getFirstChild()->getName(), QStringLiteral("Face_1"));
    EXPECT_EQ(answerer.count(), 1);
    EXPECT_EQ(top->getNumChildren(true), 4);

    VxFSHierarchy other;
    other.buildRegions(head, nullptr);
    ASSERT_NE(other.getFirstRegion(), nullptr);
    EXPECT_EQ(other.getFirstRegion()->getName(), QStringLiteral("Face"));
    other.buildRegions(nullptr, nullptr);
}
