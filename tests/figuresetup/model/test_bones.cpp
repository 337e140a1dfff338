#include "modeltestmeshes.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyiklink.h"
#include "vxfshierarchyitem.h"

#include "vxapptest.h"
#include "vxmessageboxanswerer.h"

#include <QSignalSpy>

#include <memory>

using BoneTest = VxAppTest;

namespace {
const QString kBoneTitle = QStringLiteral("Invalid Bone Name");
const QString kBoneText = QStringLiteral("Bone names must be unique, appending a value to make the name unique.");
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
    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(answerer.seen()[0].title, kBoneTitle);
    EXPECT_EQ(answerer.seen()[0].text, kBoneText);
    EXPECT_EQ(answerer.seen()[0].clicked, QStringLiteral("Ok"));

    auto* third = new VxFSHierarchyItem(&document, QStringLiteral("hip"));
    EXPECT_EQ(third->getName(), QStringLiteral("hip_2"));
    EXPECT_EQ(answerer.count(), 2);

    // The bone's own current name counts as taken.
    QSignalSpy renamed(second, &VxFSHierarchyItem::nameChanged);
    second->setName(QStringLiteral("hip"));
    EXPECT_EQ(second->getName(), QStringLiteral("hip_3"));
    EXPECT_EQ(renamed.count(), 1);
    EXPECT_EQ(answerer.count(), 3);
    // The label stays what it was.
    EXPECT_EQ(second->getLabel(), QStringLiteral("hip_1"));

    second->setName(QStringLiteral("hip_3"));
    EXPECT_EQ(renamed.count(), 1);
    EXPECT_EQ(answerer.count(), 3);

    // A bone outside any document takes any name.
    VxFSHierarchyItem loose(static_cast<VxFSHierarchyItem*>(nullptr), QStringLiteral("hip"));
    EXPECT_EQ(loose.getName(), QStringLiteral("hip"));
    EXPECT_EQ(answerer.count(), 3);
}

TEST_F(BoneTest, WhenEveryNumberIsTakenTheNameEndsInAnUnderscore)
{
    VxFSHierarchy document;
    new VxFSHierarchyItem(&document, QStringLiteral("tail"));
    for (int n = 1; n <= 1000; ++n)
        new VxFSHierarchyItem(&document, QStringLiteral("tail_%1").arg(n));
    VxMessageBoxAnswerer answerer;
    auto* extra = new VxFSHierarchyItem(&document, QStringLiteral("tail"));
    EXPECT_EQ(extra->getName(), QStringLiteral("tail_"));
    EXPECT_EQ(answerer.count(), 1);
    EXPECT_EQ(document.getNumBones(false), 1002);
}

TEST_F(BoneTest, LabelFollowsOnlyTheFirstRename)
{
    VxFSHierarchy document;
    auto* bone = new VxFSHierarchyItem(&document, QStringLiteral("newBone"));
    bone->setLabelFollowsName(true);
    bone->setName(QStringLiteral("newBone"));  // unchanged: no rename, the flag stays
    EXPECT_TRUE(bone->getLabelFollowsName());
    bone->setName(QStringLiteral("lShin"));
    EXPECT_EQ(bone->getLabel(), QStringLiteral("lShin"));
    bone->setName(QStringLiteral("leftShin"));
    EXPECT_EQ(bone->getLabel(), QStringLiteral("lShin"));
}

TEST_F(BoneTest, DefaultsAndTheSignalsOfTheSetters)
{
    VxFSHierarchy document;
    VxFSHierarchyItem bone(&document, QStringLiteral("chest"));
    EXPECT_EQ(bone.getAxis1Label(), QStringLiteral("Twist"));
    EXPECT_EQ(bone.getAxis2Label(), QStringLiteral("Side-Side"));
    EXPECT_EQ(bone.getAxis3Label(), QStringLiteral("Bend"));
    EXPECT_EQ(bone.getRotationOrder(), VxRotationOrder(VxRotationOrder::XYZ));
    EXPECT_FALSE(bone.getCurve());
    EXPECT_TRUE(bone.getTwist() && bone.getSideSide() && bone.getBend() && bone.getScale());
    EXPECT_FALSE(bone.getTwistBulge() || bone.getBendBulge() || bone.getSideBulge());
    EXPECT_EQ(bone.getFigureType(), SingleSkin);

    QSignalSpy rotation(&bone, &VxFSHierarchyItem::rotOrderChanged);
    bone.setRotationOrder(VxRotationOrder::XYZ);
    EXPECT_EQ(rotation.count(), 0);
    bone.setRotationOrder(VxRotationOrder::ZYX);
    EXPECT_EQ(rotation.count(), 1);
    // The curve switch always announces itself, even unchanged.
    bone.setCurve(false);
    bone.setCurve(false);
    EXPECT_EQ(rotation.count(), 3);

    QSignalSpy welds(&bone, &VxFSHierarchyItem::weldItemChanged);
    bone.addWeldTarget(nullptr);
    EXPECT_EQ(welds.count(), 1);
    EXPECT_EQ(bone.getNumWeldTargets(), 0);
    EXPECT_EQ(bone.getWeldTarget(-1), nullptr);
    EXPECT_EQ(bone.getWeldTarget(0), nullptr);
    bone.removeWeldTarget(nullptr);
    EXPECT_EQ(welds.count(), 1);

    document.setFigureType(Poser);
    EXPECT_EQ(bone.getFigureType(), Poser);
}

TEST_F(BoneTest, SingleSkinAcceptsOnlyFaceGroupsOfTheBaseGeometry)
{
    VxFSHierarchy document;
    std::unique_ptr<VxFSGeomItem> body(makeGeomItem(QStringLiteral("body"), {"head", "neck"}));
    std::unique_ptr<VxFSGeomItem> hat(makeGeomItem(QStringLiteral("hat"), {"brim"}));
    auto* head = new VxFSHierarchyItem(&document, QStringLiteral("head"));
    auto* neck = new VxFSHierarchyItem(&document, QStringLiteral("neck"));
    QSignalSpy baseChanged(&document, &VxFSHierarchy::geometryChanged);
    QSignalSpy headChanged(head, &VxFSHierarchyItem::geometryChanged);
    QSignalSpy neckChanged(neck, &VxFSHierarchyItem::geometryChanged);

    // The first assignment chooses the base geometry.
    head->setGeomGroup(body->findGroup(QStringLiteral("head")));
    EXPECT_EQ(document.getBaseGeometry(), body.get());
    EXPECT_EQ(baseChanged.count(), 1);
    EXPECT_EQ(headChanged.count(), 1);
    EXPECT_EQ(body->getUseCount(), 2);  // base geometry and one face group
    EXPECT_TRUE(body->findGroup(QStringLiteral("head"))->isAssigned());

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
    EXPECT_FALSE(hat->getGroup(0)->isAssigned());
    EXPECT_EQ(head->getGeomGroup(), body->findGroup(QStringLiteral("head")));

    // Moving a bone to another group of the same geometry moves the count.
    head->setGeomGroup(body->findGroup(QStringLiteral("neck")));
    EXPECT_FALSE(body->findGroup(QStringLiteral("head"))->isAssigned());
    EXPECT_EQ(body->getUseCount(), 2);
    head->setGeomGroup(body->findGroup(QStringLiteral("neck")));
    EXPECT_EQ(headChanged.count(), 2);
    head->setGeomGroup(nullptr);
    EXPECT_EQ(headChanged.count(), 3);
    EXPECT_EQ(body->getUseCount(), 1);
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
    QObject::connect(owner, &VxFSHierarchyItem::geometryChanged, [&] { order << "group"; });
    QObject::connect(item, &VxFSGeomItem::aboutToDelete, [&] { order << "item"; });
    QSignalSpy leftAlt(left, &VxFSHierarchyItem::altGeometryChanged);
    QSignalSpy rightAlt(right, &VxFSHierarchyItem::altGeometryChanged);
    QSignalSpy ownerGeom(owner, &VxFSHierarchyItem::geometryChanged);
    QSignalSpy base(document.get(), &VxFSHierarchy::geometryChanged);

    delete item;
    EXPECT_EQ(order, QStringList({"group", "item"}));
    EXPECT_EQ(ownerGeom.count(), 1);
    EXPECT_EQ(owner->getGeomGroup(), nullptr);
    EXPECT_EQ(leftAlt.count(), 1);
    EXPECT_EQ(rightAlt.count(), 1);
    EXPECT_EQ(left->getNumAltGeometries(), 0);
    EXPECT_EQ(right->getNumAltGeometries(), 0);
    EXPECT_EQ(base.count(), 1);
    EXPECT_EQ(document->getBaseGeometry(), nullptr);
    document.reset();  // bones that held the item die cleanly afterwards
}

TEST_F(BoneTest, AlternateGeometriesCountTheirAssignments)
{
    VxFSHierarchy document;
    std::unique_ptr<VxFSGeomItem> first(makeGeomItem(QStringLiteral("first"), {}));
    std::unique_ptr<VxFSGeomItem> second(makeGeomItem(QStringLiteral("second"), {}));
    auto* bone = new VxFSHierarchyItem(&document, QStringLiteral("hand"));
    QSignalSpy changed(bone, &VxFSHierarchyItem::altGeometryChanged);
    bone->addAltGeometry(first.get());
    bone->addAltGeometry(second.get());
    EXPECT_EQ(bone->getAltGeometry(1), second.get());
    bone->removeAltGeometry(first.get());
    EXPECT_EQ(first->getUseCount(), 0);
    // Removing an item the bone does not hold leaves every count alone.
    bone->removeAltGeometry(first.get());
    EXPECT_EQ(first->getUseCount(), 0);
    bone->removeAltGeometry(nullptr);
    EXPECT_EQ(changed.count(), 4);
    bone->clearAltGeometries();
    EXPECT_EQ(changed.count(), 5);
    EXPECT_EQ(second->getUseCount(), 0);
    EXPECT_EQ(bone->getNumAltGeometries(), 0);
    first->releaseAssignment();
    EXPECT_EQ(first->getUseCount(), 0);  // never below zero
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
    thigh->addWeldTarget(abdomen);  // already there: no second entry
    hip->addWeldTarget(chest);      // welded to a bone inside the dying subtree
    EXPECT_EQ(thigh->getNumWeldTargets(), 1);
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
    EXPECT_EQ(thigh->getNumWeldTargets(), 0);
    EXPECT_EQ(hipWelds.count(), 1);
    EXPECT_EQ(hip->getNumWeldTargets(), 0);
    EXPECT_EQ(links.count(), 2);
    ASSERT_EQ(chain->getNumLinks(), 1);
    EXPECT_EQ(chain->getLink(0)->getBone(), hip);
    EXPECT_EQ(hip->getFirstChild(), thigh);
}

TEST_F(BoneTest, RemoveChildFindsGrandchildrenBelowAnyChild)
{
    VxFSHierarchy document;
    auto* root = new VxFSHierarchyItem(&document, QStringLiteral("root"));
    auto* a = new VxFSHierarchyItem(root, QStringLiteral("a"));
    auto* b = new VxFSHierarchyItem(root, QStringLiteral("b"));
    auto* c = new VxFSHierarchyItem(root, QStringLiteral("c"));
    auto* underA = new VxFSHierarchyItem(a, QStringLiteral("underA"));
    auto* underC1 = new VxFSHierarchyItem(c, QStringLiteral("underC1"));
    auto* underC2 = new VxFSHierarchyItem(c, QStringLiteral("underC2"));

    EXPECT_FALSE(root->removeChild(underC2, false));
    EXPECT_TRUE(root->removeChild(underC2, true));
    EXPECT_EQ(underC1->getNextSibling(), nullptr);
    EXPECT_TRUE(root->removeChild(underA, true));
    EXPECT_EQ(a->getFirstChild(), nullptr);
    EXPECT_TRUE(root->removeChild(b, false));
    EXPECT_EQ(a->getNextSibling(), c);
    EXPECT_EQ(b->getNextSibling(), nullptr);
    EXPECT_FALSE(root->removeChild(b, true));
    EXPECT_FALSE(root->removeChild(nullptr, true));
    // Unlinked bones are still QObject children; they are neither deleted nor re-parented.
    EXPECT_EQ(underA->parent(), a);
    EXPECT_EQ(root->getNumChildren(true), 3);

    // A linked bone deleted directly leaves its list first.
    delete a;
    EXPECT_EQ(root->getFirstChild(), c);
    EXPECT_EQ(root->getNumChildren(false), 1);
}

TEST_F(BoneTest, SearchesRunInPreOrder)
{
    VxFSHierarchy document;
    auto* root = new VxFSHierarchyItem(&document, QStringLiteral("root"));
    auto* a = new VxFSHierarchyItem(root, QStringLiteral("a"));
    auto* a1 = new VxFSHierarchyItem(a, QStringLiteral("a1"));
    auto* b = new VxFSHierarchyItem(root, QStringLiteral("b"));
    auto* b1 = new VxFSHierarchyItem(b, QStringLiteral("b1"));
    b1->setSourceBoneName(QStringLiteral("src"));
    b->setSourceBoneName(QStringLiteral("src"));
    EXPECT_EQ(root->getAllDescendants(), (QList<VxFSHierarchyItem*>{a, a1, b, b1}));
    EXPECT_EQ(root->findChild(QStringLiteral("b1")), b1);
    EXPECT_EQ(root->findChild(QStringLiteral("root")), nullptr);
    EXPECT_EQ(root->findBySourceBoneName(QStringLiteral("src")), b);
    EXPECT_EQ(b1->findBySourceBoneName(QStringLiteral("src")), b1);
    EXPECT_EQ(root->getNumChildren(false), 2);
    EXPECT_EQ(root->getNumChildren(true), 4);
}
