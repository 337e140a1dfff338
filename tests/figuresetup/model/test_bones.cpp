#include "modeltestmeshes.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyiklink.h"
#include "vxfshierarchyitem.h"

#include "vxapptest.h"
#include "vxbone.h"
#include "vxlegacyfigure.h"
#include "vxmessageboxanswerer.h"

#include <QSignalSpy>

#include <memory>

using BoneTest = VxAppTest;

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

TEST_F(BoneTest, NameClashesWarnOnceAndTakeTheFirstFreeNumber)
{
    VxFSHierarchy document;
    VxMessageBoxAnswerer answerer;
    auto* hip = new VxFSHierarchyItem(&document, QStringLiteral("hip"));
    EXPECT_EQ(answerer.count(), 0);
    // The second bone is deeper in the tree: uniqueness covers the whole document.
    auto* second = new VxFSHierarchyItem(hip, QStringLiteral("hip"));
    EXPECT_EQ(second->getName(), QStringLiteral("hip_1"));
    EXPECT_EQ(second->getLabel(), QStringLiteral("hip_1"));
    // (The warning's text is checked where a user renames a bone in the view.)
    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Invalid Bone Name"));

    // The bone's own current name counts as taken; the label stays.
    QSignalSpy renamed(second, &VxFSHierarchyItem::nameChanged);
    second->setName(QStringLiteral("hip"));
    EXPECT_EQ(second->getName(), QStringLiteral("hip_2"));
    EXPECT_EQ(second->getLabel(), QStringLiteral("hip_1"));
    second->setName(QStringLiteral("hip_2"));
    EXPECT_EQ(renamed.count(), 1);
    EXPECT_EQ(answerer.count(), 2);
    EXPECT_EQ((new VxFSHierarchyItem(&document, QStringLiteral("hip")))->getName(), QStringLiteral("hip_1"));
    EXPECT_EQ((new VxFSHierarchyItem(&document, QStringLiteral("hip")))->getName(), QStringLiteral("hip_3"));
    EXPECT_EQ(answerer.count(), 4);

    // A bone made with the default name takes its label from its first rename only.
    auto* fresh = new VxFSHierarchyItem(&document, QStringLiteral("newBone"));
    fresh->setLabelFollowsName(true);
    fresh->setName(QStringLiteral("newBone"));
    fresh->setName(QStringLiteral("lShin"));
    fresh->setName(QStringLiteral("leftShin"));
    EXPECT_EQ(fresh->getLabel(), QStringLiteral("lShin"));

    // A bone outside any document takes any name.
    VxFSHierarchyItem loose(static_cast<VxFSHierarchyItem*>(nullptr), QStringLiteral("hip"));
    EXPECT_EQ(loose.getName(), QStringLiteral("hip"));
    EXPECT_EQ(answerer.count(), 4);

    // The thousandth number is the last tried; then the name ends in an underscore.
    new VxFSHierarchyItem(&document, QStringLiteral("tail"));
    for (int n = 1; n < 1000; ++n)
        new VxFSHierarchyItem(&document, QStringLiteral("tail_%1").arg(n));
    EXPECT_EQ((new VxFSHierarchyItem(&document, QStringLiteral("tail")))->getName(), QStringLiteral("tail_1000"));
    EXPECT_EQ((new VxFSHierarchyItem(&document, QStringLiteral("tail")))->getName(), QStringLiteral("tail_"));
    EXPECT_EQ(answerer.count(), 6);
}

TEST_F(BoneTest, SingleSkinAcceptsOnlyFaceGroupsOfTheBaseGeometry)
{
    VxFSHierarchy document;
    std::unique_ptr<VxFSGeomItem> body(makeGeomItem(QStringLiteral("body"), {"head", "neck"}));
    std::unique_ptr<VxFSGeomItem> hat(makeGeomItem(QStringLiteral("hat"), {"brim"}));
    auto* head = new VxFSHierarchyItem(&document, QStringLiteral("head"));
    auto* neck = new VxFSHierarchyItem(&document, QStringLiteral("neck"));
    QSignalSpy headChanged(head, &VxFSHierarchyItem::geometryChanged);
    QSignalSpy neckChanged(neck, &VxFSHierarchyItem::geometryChanged);

    // The first assignment chooses the base geometry.
    head->setGeomGroup(body->getGroup(0));
    EXPECT_EQ(document.getBaseGeometry(), body.get());
    EXPECT_EQ(body->getUseCount(), 2); // base geometry and one face group

    // Another geometry's group is refused without a word.
    neck->setGeomGroup(hat->getGroup(0));
    EXPECT_EQ(neck->getGeomGroup(), nullptr);
    EXPECT_EQ(neckChanged.count(), 0);
    EXPECT_EQ(hat->getUseCount(), 0);

    // A Poser figure takes groups of any geometry.
    document.setFigureType(Poser);
    neck->setGeomGroup(hat->getGroup(0));
    EXPECT_EQ(neck->getGeomGroup(), hat->getGroup(0));
    EXPECT_EQ(neckChanged.count(), 1);
    EXPECT_EQ(hat->getUseCount(), 1);

    // Back to a single skin: the stray group goes, the base geometry's stays.
    document.setFigureType(SingleSkin);
    EXPECT_EQ(neck->getGeomGroup(), nullptr);
    EXPECT_EQ(neckChanged.count(), 2);
    EXPECT_EQ(hat->getUseCount(), 0);
    EXPECT_EQ(head->getGeomGroup(), body->getGroup(0));

    // Moving to another group of the same geometry moves the count; the same group is no change.
    head->setGeomGroup(body->getGroup(1));
    head->setGeomGroup(body->getGroup(1));
    EXPECT_FALSE(body->getGroup(0)->isAssigned());
    EXPECT_EQ(body->getUseCount(), 2);
    EXPECT_EQ(headChanged.count(), 2);
}

TEST_F(BoneTest, DeletingAGeometryDropsItFromGroupsAlternatesAndTheBaseSlot)
{
    auto document = std::make_unique<VxFSHierarchy>();
    document->setFigureType(Poser);
    auto* item = makeGeomItem(QStringLiteral("prop"), {"a", "b"});
    auto* owner = new VxFSHierarchyItem(document.get(), QStringLiteral("owner"));
    auto* left = new VxFSHierarchyItem(owner, QStringLiteral("left"));
    auto* right = new VxFSHierarchyItem(document.get(), QStringLiteral("right"));
    owner->setGeomGroup(item->getGroup(1));
    EXPECT_TRUE(left->addAltGeometry(item));
    EXPECT_FALSE(left->addAltGeometry(item));
    EXPECT_FALSE(left->addAltGeometry(nullptr));
    EXPECT_TRUE(right->addAltGeometry(item));
    document->setBaseGeometry(item);
    EXPECT_EQ(item->getUseCount(), 4);

    QStringList order;
    QObject::connect(item->getGroup(1), &QObject::destroyed, [&] { order << "group"; });
    QObject::connect(item, &VxFSGeomItem::aboutToDelete, [&] { order << "item"; });
    QSignalSpy ownerGroup(owner, &VxFSHierarchyItem::geometryChanged);
    QSignalSpy leftAlt(left, &VxFSHierarchyItem::altGeometryChanged);
    QSignalSpy rightAlt(right, &VxFSHierarchyItem::altGeometryChanged);
    QSignalSpy base(document.get(), &VxFSHierarchy::geometryChanged);
    delete item;
    EXPECT_EQ(order, QStringList({"group", "item"}));
    EXPECT_EQ(owner->getGeomGroup(), nullptr);
    EXPECT_EQ(ownerGroup.count(), 1);
    EXPECT_EQ(leftAlt.count(), 1);
    EXPECT_EQ(rightAlt.count(), 1);
    EXPECT_EQ(base.count(), 1);
    EXPECT_EQ(left->getNumAltGeometries() + right->getNumAltGeometries(), 0);
    EXPECT_EQ(document->getBaseGeometry(), nullptr);
    document.reset(); // bones that held the item die cleanly afterwards
}

TEST_F(BoneTest, AlternateGeometriesAndFaceGroupsCountTheirAssignments)
{
    VxFSHierarchy document;
    document.setFigureType(Poser);
    std::unique_ptr<VxFSGeomItem> first(makeGeomItem(QStringLiteral("first"), {}));
    std::unique_ptr<VxFSGeomItem> second(makeGeomItem(QStringLiteral("second"), {"glove"}));
    document.setBaseGeometry(first.get());
    auto* bone = new VxFSHierarchyItem(&document, QStringLiteral("hand"));
    bone->addAltGeometry(first.get());
    bone->addAltGeometry(second.get());
    EXPECT_EQ(first->getUseCount(), 2);
    bone->removeAltGeometry(first.get());
    // Removing an item the bone no longer holds leaves the base geometry's count alone.
    bone->removeAltGeometry(first.get());
    EXPECT_EQ(first->getUseCount(), 1);
    bone->clearAltGeometries();
    EXPECT_EQ(second->getUseCount() + bone->getNumAltGeometries(), 0);
    second->releaseAssignment();
    EXPECT_EQ(second->getUseCount(), 0); // never below zero

    // A dying bone gives back what it holds.
    bone->addAltGeometry(second.get());
    bone->setGeomGroup(second->getGroup(0));
    EXPECT_EQ(second->getUseCount(), 2);
    ASSERT_TRUE(document.removeBone(bone, false));
    delete bone;
    EXPECT_EQ(second->getUseCount(), 0);
    EXPECT_FALSE(second->getGroup(0)->isAssigned());
}

TEST_F(BoneTest, DeletingABoneReleasesWeldersAndIKLinks)
{
    VxFSHierarchy document;
    auto* hip = new VxFSHierarchyItem(&document, QStringLiteral("hip"));
    auto* abdomen = new VxFSHierarchyItem(hip, QStringLiteral("abdomen"));
    auto* chest = new VxFSHierarchyItem(abdomen, QStringLiteral("chest"));
    auto* thigh = new VxFSHierarchyItem(hip, QStringLiteral("thigh"));
    chest->addWeldTarget(abdomen);
    thigh->setWeldTarget(abdomen);
    hip->addWeldTarget(chest); // welded to a bone inside the dying subtree
    VxFSHierarchyIKChain* chain = document.createIKChain(QStringLiteral("spine"));
    chain->addLink(hip, 0.5f);
    chain->addLink(abdomen, 1.0f);
    chain->addLink(chest, 1.0f);

    QSignalSpy thighWelds(thigh, &VxFSHierarchyItem::weldItemChanged);
    QSignalSpy hipWelds(hip, &VxFSHierarchyItem::weldItemChanged);
    QSignalSpy links(chain, &VxFSHierarchyIKChain::linksChanged);
    QList<QObject*> dying;
    QObject::connect(abdomen, &VxFSHierarchyItem::aboutToDestroy, [&](VxFSHierarchyItem* b) { dying << b; });
    QObject::connect(chest, &VxFSHierarchyItem::aboutToDestroy, [&](VxFSHierarchyItem* b) { dying << b; });

    ASSERT_TRUE(hip->removeChild(abdomen, false));
    delete abdomen;
    // Children die before their parent announces itself.
    EXPECT_EQ(dying, (QList<QObject*>{chest, abdomen}));
    EXPECT_EQ(thighWelds.count(), 1);
    EXPECT_EQ(hipWelds.count(), 1);
    EXPECT_EQ(links.count(), 2);
    EXPECT_EQ(thigh->getNumWeldTargets(), 0);
    EXPECT_EQ(hip->getNumWeldTargets(), 0);
    ASSERT_EQ(chain->getNumLinks(), 1);
    EXPECT_EQ(chain->getLink(0)->getBone(), hip);
    EXPECT_EQ(hip->getFirstChild(), thigh);
}

TEST_F(BoneTest, BonesMapOntoTheSkeletonTheyWereCopiedFrom)
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
    EXPECT_EQ(QList<QObject*>({hipItem->getMappedBone(), chestItem->getMappedBone(), newItem->getMappedBone()}),
              QList<QObject*>({hip, chest, nullptr}));
    EXPECT_EQ(QList<QObject*>({hipItem->getParentNode(), chestItem->getParentNode(), headItem->getParentNode(),
                               newItem->getParentNode()}),
              QList<QObject*>({figure.get(), hip, chest, nullptr}));

    // A bone the figure lost keeps the parent node of its last mapping.
    auto other = std::make_unique<VxLegacyFigure>();
    addBone(other.get(), QStringLiteral("hip"));
    hipItem->mapToSkeleton(other.get());
    EXPECT_EQ(chestItem->getMappedBone(), nullptr);
    EXPECT_EQ(chestItem->getParentNode(), hip);

    // Scene objects may die first; the bones do not keep dangling pointers.
    hipItem->mapToSkeleton(figure.get());
    figure.reset();
    EXPECT_EQ(hipItem->getMappedBone(), nullptr);
    EXPECT_EQ(chestItem->getParentNode(), nullptr);
}
