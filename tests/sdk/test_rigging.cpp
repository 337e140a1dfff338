#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxbulgebinding.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxlegacyalternategeometry.h"
#include "vxlegacybendparam.h"
#include "vxlegacybinding.h"
#include "vxlegacycurve.h"
#include "vxlegacyfigure.h"
#include "vxlegacyikchain.h"
#include "vxlegacyikchains.h"
#include "vxlegacyjoint.h"
#include "vxlegacysmoothscale.h"
#include "vxlegacytwistparam.h"
#include "vxobject.h"
#include "vxscenetest.h"
#include "vxskinbinding.h"
#include "vxtransferutilityhelper.h"
#include "vxweightmap.h"
#include "vxweld.h"

#include <QPointer>

#include <cmath>
#include <map>

using RiggingTest = VxSceneTest;

namespace {
VxWeightMap* addLocalMap(VxBoneBinding* binding, int axis, int size)
{
    VxRefGuard<VxWeightMap> map(new VxWeightMap());
    map->setNumWeights(size, false);
    map->getWeights().fill(0);
    binding->setLocalWeights(axis, map.get());
    return map.get();
}

VxBoneBinding* bindBone(VxFigure* figure, VxNode* bone)
{
    auto* binding = new VxBoneBinding();
    binding->setBone(bone);
    figure->getSkinBinding()->addBoneBinding(binding);
    return binding;
}

QList<VxTestBox> armBoxes()
{
    // Apart, so that no two groups share a vertex position.
    return {{"upper", {0, 0, 0}, {4, 1, 1}}, {"lower", {4.5f, 0, 0}, {8, 1, 1}}, {"hand", {8.5f, 0, 0}, {9.5f, 1, 1}}};
}
} // namespace

TEST(WeightMap, ZerosCostNothingUntilWritten)
{
    const int n = 500000;
    VxRefGuard<VxWeightMap> map(new VxWeightMap());
    map->setNumWeights(n, false);
    // The way builders zero a fresh map: element-wise or with fill, both free.
    VxWeightArray weights = map->getWeights();
    for (int i = 0; i < weights.size(); ++i)
        weights[i] = 0;
    weights.fill(0);
    EXPECT_EQ(map->getNumWeights(), n);
    EXPECT_LT(map->getAllocatedBytes(), 2048u);
    EXPECT_EQ(map->getWeight(n - 1), 0);

    weights[5] = 700;
    map->setWeight(n - 1, 65535);
    map->setWeight(n, 9); // out of range: ignored
    EXPECT_EQ(uint16_t(weights[5]), 700);
    EXPECT_EQ(map->getWeight(n - 1), 65535);
    EXPECT_EQ(map->getNumAllocatedPages(), 2);
    EXPECT_EQ(map->getNumNonZeroWeights(), 2);
    EXPECT_TRUE(map->hasNonZeroWeights());

    // Shrinking and growing again must not bring back the weight that was cut off.
    map->setNumWeights(n - 1, true);
    map->setNumWeights(n, true);
    EXPECT_EQ(map->getWeight(n - 1), 0);
    EXPECT_EQ(map->getWeight(5), 700);

    map->fill(0);
    EXPECT_EQ(map->getNumAllocatedPages(), 0);
    map->fill(3);
    EXPECT_EQ(map->getNumNonZeroWeights(), n);
}

TEST(WeightMap, BindingsHoldAndReleaseTheirReferences)
{
    QPointer<VxWeightMap> watched;
    {
        VxBoneBinding binding;
        VxRefGuard<VxWeightMap> map(new VxWeightMap());
        watched = map.get();
        binding.setLocalWeights(2, map.get());
        binding.setLocalWeights(5, map.get()); // no such axis
        EXPECT_EQ(map->refCount(), 2);
        EXPECT_EQ(binding.getLocalWeights(2), map.get());
        EXPECT_EQ(binding.getLocalWeights(5), nullptr);
        auto* bulge = new VxBulgeBinding();
        bulge->setRightWeights(map.get());
        binding.setBulgeBinding(2, bulge);
        EXPECT_EQ(map->refCount(), 3);
    }
    EXPECT_TRUE(watched.isNull());
}

TEST_F(RiggingTest, NormalizeSharesFullWeightPerAxisAcrossBones)
{
    VxFacetMesh* mesh = vxMakeBoxMesh(armBoxes());
    auto* figure = vxMakeFigure<VxFigure>(mesh, QStringLiteral("Arm"));
    const int n = mesh->getNumVertices();
    VxBone* upper = figure->findBone(QStringLiteral("upper"));
    VxBone* lower = figure->findBone(QStringLiteral("lower"));
    VxBoneBinding* a = bindBone(figure, upper);
    VxBoneBinding* b = bindBone(figure, lower);
    VxWeightMap* ax = addLocalMap(a, 0, n);
    VxWeightMap* bx = addLocalMap(b, 0, n);
    VxWeightMap* by = addLocalMap(b, 1, n);

    ax->setWeight(0, 30000); bx->setWeight(0, 10000);  // under: scaled up 3:1
    ax->setWeight(1, 60000); bx->setWeight(1, 60000);  // over: halved
    bx->setWeight(2, 100);                              // one bone: takes it all
    by->setWeight(3, 5);                                // Y is not asked for below

    // All-zero figures stay all zero and allocate nothing.
    VxWeightMap* untouched = addLocalMap(a, 2, n);
    EXPECT_EQ(figure->getSkinBinding()->normalize(0, VxSkinBinding::NormalizeX | VxSkinBinding::NormalizeZ, false), 5);
    EXPECT_EQ(ax->getWeight(0) + bx->getWeight(0), 65535);
    EXPECT_NEAR(ax->getWeight(0), 49151, 1);
    EXPECT_EQ(ax->getWeight(1) + bx->getWeight(1), 65535);
    EXPECT_NEAR(ax->getWeight(1), 32767, 1);
    EXPECT_EQ(bx->getWeight(2), 65535);
    EXPECT_EQ(ax->getWeight(2), 0);
    EXPECT_EQ(by->getWeight(3), 5);
    EXPECT_EQ(ax->getWeight(4) + bx->getWeight(4), 0);
    EXPECT_EQ(untouched->getNumAllocatedPages(), 0);
    EXPECT_EQ(figure->getSkinBinding()->normalize(0, VxSkinBinding::NormalizeAll, false), 1); // only Y moved

    // Binding order: the first binding keeps its weight, the next gets what is left.
    ax->setWeight(5, 50000); bx->setWeight(5, 50000);
    figure->getSkinBinding()->normalize(VxSkinBinding::BindingOrderPriority, VxSkinBinding::NormalizeX, true);
    EXPECT_EQ(ax->getWeight(5), 50000);
    EXPECT_EQ(bx->getWeight(5), 15535);

    // Only overweight: a sum below full stays as it is.
    ax->setWeight(6, 100); bx->setWeight(6, 100);
    figure->getSkinBinding()->normalize(0, VxSkinBinding::NormalizeX, true);
    EXPECT_EQ(ax->getWeight(6), 100);

    // A bulge binding cannot swell both ways beyond full weight.
    auto* bulge = new VxBulgeBinding();
    VxRefGuard<VxWeightMap> right(new VxWeightMap());
    VxRefGuard<VxWeightMap> left(new VxWeightMap());
    right->setNumWeights(n, false);
    left->setNumWeights(n, false);
    right->setWeight(0, 65535); left->setWeight(0, 65535);
    bulge->setRightWeights(right.get());
    bulge->setLeftWeights(left.get());
    a->setBulgeBinding(0, bulge);
    figure->getSkinBinding()->normalize(0, VxSkinBinding::NormalizeBulge, false);
    EXPECT_EQ(right->getWeight(0) + left->getWeight(0), 65535);
}

TEST_F(RiggingTest, LegacyJointsParametersAndRemoval)
{
    VxFacetMesh* mesh = vxMakeBoxMesh(armBoxes());
    auto* figure = vxMakeFigure<VxLegacyFigure>(mesh, QStringLiteral("Arm"));
    auto* binding = new VxLegacyBinding();
    figure->getObject()->addModifier(binding);
    EXPECT_EQ(figure->findBinding(), binding);
    VxBone* upper = figure->findBone(QStringLiteral("upper"));
    VxBone* lower = figure->findBone(QStringLiteral("lower"));

    auto* upperJoint = new VxLegacyJoint();
    upperJoint->setBone(upper, true);
    binding->addJoint(upperJoint);
    auto* lowerJoint = new VxLegacyJoint();
    lowerJoint->setBone(lower, true);
    lowerJoint->setGroupName(QStringLiteral("lower"));
    binding->addJoint(lowerJoint);
    EXPECT_EQ(VxLegacyJoint::findJoint(lower), lowerJoint);
    EXPECT_EQ(binding->findJoint(upper), upperJoint);

    auto* twist = new VxLegacyTwistParam(lower, 0, 4.0f, 8.0f);
    twist->setName(QStringLiteral("twistx"));
    auto* bend = new VxLegacyBendParam(lower, 1);
    bend->setAngles(90, 45, -45, -90, true);
    auto* scale = new VxLegacySmoothScale(upper, 0, -24384.0f, -24140.16f, 4.0f, 8.0f);
    auto* curve = new VxLegacyCurve(lower, VxLegacyCurve::CurveX);
    const QList<VxLegacyJointParam*> params{twist, bend, scale, curve};
    for (VxLegacyJointParam* p : params)
        lowerJoint->addJointParam(p);
    // The host's joint-parameter types: 0 twist, 1 smooth scale, 2 bend, 3 curve.
    EXPECT_EQ((QList<int>{twist->type(), scale->type(), bend->type(), curve->type()}), (QList<int>{0, 1, 2, 3}));
    EXPECT_FLOAT_EQ(bend->getAngles()[0], 1.5707963f);
    EXPECT_EQ(lowerJoint->findJointParam(QStringLiteral("twistx")), twist);

    // Weights (what they are the posing tests check) are cached until invalidated.
    EXPECT_EQ(twist->getWeights().size(), 8u); // the lower arm's vertices
    EXPECT_TRUE(twist->hasCachedWeights());
    lowerJoint->invalidateWeights();
    EXPECT_FALSE(twist->hasCachedWeights());

    // Removal: one parameter, then all driven by a bone.
    QPointer<VxLegacyJointParam> watched = bend;
    EXPECT_TRUE(lowerJoint->removeJointParam(bend));
    EXPECT_TRUE(watched.isNull());
    EXPECT_FALSE(lowerJoint->removeJointParam(nullptr));
    EXPECT_EQ(lowerJoint->removeJointParamsDrivenBy(lower), 2);
    ASSERT_EQ(lowerJoint->getNumJointParams(), 1);
    EXPECT_EQ(lowerJoint->getJointParam(0), scale);

    // Retargeting the joint's bone carries the parameters it drives along.
    lowerJoint->addJointParam(new VxLegacyBendParam(lower, 2));
    lowerJoint->setBone(upper, true);
    EXPECT_EQ(lowerJoint->getJointParam(1)->getDriver(), upper);

    // Removing a bone from the scene takes its joint, every parameter it drives, its welds
    // and its alternate geometry.
    auto* hand = figure->findBone(QStringLiteral("hand"));
    upperJoint->addJointParam(new VxLegacyBendParam(hand, 0));
    figure->addWeld(new VxWeld(hand, lower));
    figure->addWeld(new VxWeld(upper, lower));
    auto* alternate = figure->addAlternateGeometry(hand, true);
    ASSERT_NE(alternate->getObject(), nullptr);
    EXPECT_EQ(figure->addAlternateGeometry(hand, true), alternate);
    EXPECT_EQ(figure->findAlternateGeometry(hand), alternate);
    m_scene->removeNode(hand);
    EXPECT_EQ(upperJoint->getNumJointParams(), 0);
    EXPECT_EQ(figure->getNumWelds(), 1);
    EXPECT_EQ(figure->getNumAlternateGeometries(), 0);
}

TEST_F(RiggingTest, IKChainsBuildTheFiguresIKSystem)
{
    VxFacetMesh* mesh = vxMakeBoxMesh(armBoxes());
    auto* figure = vxMakeFigure<VxLegacyFigure>(mesh, QStringLiteral("Arm"));
    VxBone* hand = figure->findBone(QStringLiteral("hand"));

    auto* chains = new VxLegacyIKChains();
    auto* arm = new VxLegacyIKChain(QStringLiteral("Right Arm"));
    arm->addLink(figure->findBone(QStringLiteral("upper")), 1.0f);
    arm->addLink(figure->findBone(QStringLiteral("lower")), 0.5f);
    arm->addLink(hand, 0.25f);
    arm->addLink(nullptr, 0.0f); // a link whose bone was not found
    arm->setGoal(hand);
    auto* idle = new VxLegacyIKChain(QStringLiteral("Idle"));
    idle->setActive(false);
    idle->setGoal(hand);
    chains->addChain(arm);
    chains->addChain(idle);
    chains->addChain(new VxLegacyIKChain(QStringLiteral("No goal")));
    figure->addDataItem(chains);

    EXPECT_EQ(figure->createIKChains(), 1); // only active chains with a goal
    ASSERT_EQ(figure->getNumIKChains(), 1);
    EXPECT_EQ(figure->getIKChain(0).name, QStringLiteral("Right Arm"));
    EXPECT_EQ(figure->getIKChain(0).links.size(), 3);
    figure->clearIKChains();
    EXPECT_EQ(figure->getNumIKChains(), 0);

    figure->createIKChains();
    m_scene->removeNode(hand); // the goal leaves: the chain keeps no goal and leaves the IK system
    EXPECT_EQ(arm->getGoal(), nullptr);
    EXPECT_EQ(arm->getNumLinks(), 3);
    EXPECT_EQ(figure->getNumIKChains(), 0);
    EXPECT_TRUE(figure->removeDataItem(chains));
}

TEST_F(RiggingTest, TransferCopiesMapsByNearestVertexAndSkipsMissingBones)
{
    VxFacetMesh* sourceMesh = vxMakeBoxMesh(armBoxes());
    auto* source = vxMakeFigure<VxFigure>(sourceMesh, QStringLiteral("Old"));
    const int n = sourceMesh->getNumVertices();
    VxBoneBinding* lowerBinding = bindBone(source, source->findBone(QStringLiteral("lower")));
    VxWeightMap* twist = addLocalMap(lowerBinding, 0, n);
    for (int v = 0; v < n; ++v)
        twist->setWeight(v, uint16_t(100 + v)); // every vertex tells which one it is
    VxRefGuard<VxWeightMap> scale(new VxWeightMap(QStringLiteral("scale")));
    scale->setNumWeights(n, false);
    scale->setWeight(9, 7);
    lowerBinding->setScaleWeights(scale.get());
    auto* bulge = new VxBulgeBinding();
    bulge->setAxis(1);
    VxRefGuard<VxWeightMap> right(new VxWeightMap());
    right->setNumWeights(n, false);
    right->setWeight(8, 500);
    bulge->setRightWeights(right.get());
    lowerBinding->setBulgeBinding(1, bulge);
    bindBone(source, source->findBone(QStringLiteral("hand"))); // a binding without maps

    // The new figure's mesh is shifted slightly and lists its boxes in another order, so
    // vertex indices differ while nearest vertices match.
    const QList<VxTestBox> boxes = armBoxes();
    VxFacetMesh* targetMesh = vxMakeBoxMesh({boxes[2], boxes[1], {"finger", {10, 0, 0}, {11, 1, 1}}},
                                            VxVec3(0.05f, -0.05f, 0.02f));
    auto* target = vxMakeFigure<VxFigure>(targetMesh, QStringLiteral("New"));
    VxBone* newLower = target->findBone(QStringLiteral("lower"));
    VxBoneBinding* existing = bindBone(target, newLower);
    VxWeightMap* stale = addLocalMap(existing, 0, targetMesh->getNumVertices());
    stale->setWeight(0, 1234);

    VxTransferUtilityHelper helper(source, target);
    EXPECT_TRUE(helper.doTransfer());
    EXPECT_EQ(helper.getTransferredBones(), QStringList{QStringLiteral("lower")});
    EXPECT_EQ(helper.getSkippedBones(), (QStringList{QStringLiteral("hand"), QStringLiteral("finger")}));

    VxBoneBinding* copied = target->getSkinBinding()->findBoneBinding(newLower);
    ASSERT_EQ(copied, existing);
    VxWeightMap* copiedTwist = copied->getLocalWeights(0);
    ASSERT_NE(copiedTwist, nullptr);
    EXPECT_EQ(copiedTwist->getNumWeights(), targetMesh->getNumVertices());
    // Target "lower" box vertices are 8..15 (second box); the source's are 8..15 as well,
    // "hand" vertices 0..7 map to source 16..23, "finger" 16..23 to the nearest hand or
    // finger-side corners.
    for (int corner = 0; corner < 8; ++corner) {
        EXPECT_EQ(copiedTwist->getWeight(8 + corner), 100 + 8 + corner);
        EXPECT_EQ(copiedTwist->getWeight(corner), 100 + 16 + corner);
    }
    EXPECT_EQ(copiedTwist->getWeight(16), 100 + 16 + 4); // finger's min corner is nearest hand's (9.5, 0, 0)
    EXPECT_EQ(copied->getScaleWeights()->getNumNonZeroWeights(), 1);
    EXPECT_EQ(copied->getScaleWeights()->getWeight(9), 7);
    ASSERT_NE(copied->getBulgeBinding(1), nullptr);
    EXPECT_EQ(copied->getBulgeBinding(1)->getAxis(), 1);
    EXPECT_EQ(copied->getBulgeBinding(1)->getRightWeights()->getWeight(8), 500);
    EXPECT_EQ(copied->getBulgeBinding(1)->getLeftWeights(), nullptr);
    EXPECT_EQ(target->getSkinBinding()->findBoneBinding(target->findBone(QStringLiteral("hand"))), nullptr);

    // No bone in common: nothing transfers.
    VxFacetMesh* otherMesh = vxMakeBoxMesh({{"tail", {0, 0, 0}, {1, 1, 1}}});
    auto* other = vxMakeFigure<VxFigure>(otherMesh, QStringLiteral("Other"));
    EXPECT_FALSE(VxTransferUtilityHelper(source, other).doTransfer());
    EXPECT_FALSE(VxTransferUtilityHelper(source, source).doTransfer());
    EXPECT_FALSE(VxTransferUtilityHelper(nullptr, other).doTransfer());
}

TEST_F(RiggingTest, JointZonesFallOffLinearlyBetweenTheInnerAndOuterBoxes)
{
    VxFacetMesh* mesh = vxMakeBoxMesh(armBoxes());
    auto* figure = vxMakeFigure<VxLegacyFigure>(mesh, QStringLiteral("Arm"));
    auto* binding = new VxLegacyBinding();
    figure->getObject()->addModifier(binding);
    VxBone* lower = figure->findBone(QStringLiteral("lower"));
    auto* joint = new VxLegacyJoint();
    joint->setBone(lower, true);
    binding->addJoint(joint);
    auto* bend = new VxLegacyBendParam(lower, 1);
    joint->addJointParam(bend);

    // Boxes centred on the elbow end of the lower arm (x = 4.5); its far end is x = 8.
    const auto box = [](float halfLength) {
        VxMatrix4 m;
        m.scale({halfLength, 5, 5});
        m.translate({4.5f, 0.5f, 0.5f});
        return m;
    };
    bend->setMatrices(box(1), box(5), false);
    // The far end lies 3.5 inner half-lengths and 0.7 outer ones out: 0.3 of the way left
    // to the outer box against 2.5 past the inner one.
    const float between = 0.3f / 2.8f;
    std::map<float, int> byWeight;
    for (const auto& vertexWeight : bend->getWeights())
        ++byWeight[std::round(vertexWeight.second * 1e4f) / 1e4f];
    EXPECT_EQ(byWeight, (std::map<float, int>{{std::round(between * 1e4f) / 1e4f, 4}, {1.0f, 4}}));

    // Outside the outer box nothing follows.
    bend->setMatrices(box(1), box(3), false);
    EXPECT_EQ(bend->getWeights().size(), 4u);
}
