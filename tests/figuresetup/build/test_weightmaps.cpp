#include "buildtestsupport.h"

#include "vxfsweightmaps.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"

#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxbulgebinding.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxselectionmap.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"

using WeightMapTest = BuildTest;

namespace {
struct Choices
{
    bool twist, sideSide, bend, scale, twistBulge, sideBulge, bendBulge;

    static Choices fromBits(int bits)
    {
        return {bool(bits & 1), bool(bits & 2), bool(bits & 4), bool(bits & 8),
                bool(bits & 16), bool(bits & 32), bool(bits & 64)};
    }
    static Choices of(const VxFSHierarchyItem& item)
    {
        return {item.getTwist(), item.getSideSide(), item.getBend(), item.getScale(),
                item.getTwistBulge(), item.getSideBulge(), item.getBendBulge()};
    }
    void applyTo(VxFSHierarchyItem& item) const
    {
        item.setTwist(twist);
        item.setSideSide(sideSide);
        item.setBend(bend);
        item.setScale(scale);
        item.setTwistBulge(twistBulge);
        item.setSideBulge(sideBulge);
        item.setBendBulge(bendBulge);
    }
    // What a figure can hold: a bulge binding only on an axis that has its local map.
    Choices effective() const
    {
        return {twist, sideSide, bend, scale, twist && twistBulge, sideSide && sideBulge, bend && bendBulge};
    }
    bool operator==(const Choices& o) const
    {
        return twist == o.twist && sideSide == o.sideSide && bend == o.bend && scale == o.scale &&
               twistBulge == o.twistBulge && sideBulge == o.sideBulge && bendBulge == o.bendBulge;
    }
};

VxBoneBinding* bind(VxFigure* figure, VxBone* bone)
{
    auto* binding = new VxBoneBinding();
    binding->setBone(bone);
    figure->getSkinBinding()->addBoneBinding(binding);
    return binding;
}

void expectZeroMap(const VxWeightMap* map, int size)
{
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->getName(), QString());
    EXPECT_EQ(map->getNumWeights(), size);
    EXPECT_FALSE(map->hasNonZeroWeights());
    EXPECT_EQ(map->getNumAllocatedPages(), 0);
}

QList<VxTestBox> twoBoxes()
{
    return {{QStringLiteral("upper"), {0, 0, 0}, {1, 2, 1}}, {QStringLiteral("lower"), {0, -2, 0}, {1, 0, 1}}};
}
} // namespace

TEST_F(WeightMapTest, MapsFollowTheChoicesOnTheAxesOfTheRotationOrder)
{
    VxFigure* figure = addSkinnedFigure<VxFigure>(vxMakeBoxMesh(twoBoxes()));
    VxFSHierarchy document;
    VxFSHierarchyItem item(&document, QStringLiteral("upper"));

    // YZX: twist on Y, side-side on Z, bend on X. Only side-side chosen: one map, on Z.
    VxBone* bone = addPlacedBone(figure, QStringLiteral("upper"), {}, {}, VxRotationOrder::YZX);
    VxBoneBinding* binding = bind(figure, bone);
    Choices{false, true, false, false, false, false, false}.applyTo(item);
    VxFSWeightMaps::createWeightMaps(&item, bone, binding);
    EXPECT_EQ(binding->getLocalWeights(0), nullptr);
    EXPECT_EQ(binding->getLocalWeights(1), nullptr);
    expectZeroMap(binding->getLocalWeights(2), 16);
    EXPECT_EQ(binding->getScaleWeights(), nullptr);
    // The binding holds the only reference: the builder released its own.
    EXPECT_EQ(binding->getLocalWeights(2)->refCount(), 1);

    // A bulge choice without its local map makes nothing; with it, two maps on that axis.
    VxBone* other = addPlacedBone(figure, QStringLiteral("lower"), {}, {}, VxRotationOrder::XYZ);
    VxBoneBinding* otherBinding = bind(figure, other);
    Choices{false, false, false, false, true, false, false}.applyTo(item);
    VxFSWeightMaps::createWeightMaps(&item, other, otherBinding);
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_EQ(otherBinding->getLocalWeights(axis), nullptr);
        EXPECT_EQ(otherBinding->getBulgeBinding(axis), nullptr);
    }
    Choices{true, false, false, true, true, false, false}.applyTo(item);
    VxFSWeightMaps::createWeightMaps(&item, other, otherBinding);
    expectZeroMap(otherBinding->getLocalWeights(0), 16);
    const VxBulgeBinding* bulge = otherBinding->getBulgeBinding(0);
    ASSERT_NE(bulge, nullptr);
    EXPECT_EQ(bulge->getAxis(), 0);
    expectZeroMap(bulge->getRightWeights(), 16);
    expectZeroMap(bulge->getLeftWeights(), 16);
    EXPECT_NE(bulge->getRightWeights(), bulge->getLeftWeights());
    EXPECT_EQ(bulge->getRightWeights()->refCount(), 1);
    expectZeroMap(otherBinding->getScaleWeights(), 16);
}

TEST_F(WeightMapTest, MakingAndReadingAreInverseForEveryOrderAndChoice)
{
    VxFigure* figure = addSkinnedFigure<VxFigure>(vxMakeBoxMesh(twoBoxes()));
    VxFSHierarchy document;
    VxFSHierarchyItem source(&document, QStringLiteral("source"));
    VxFSHierarchyItem copy(&document, QStringLiteral("copy"));
    int checked = 0;
    for (int order = VxRotationOrder::XYZ; order <= VxRotationOrder::ZYX; ++order) {
        for (int bits = 0; bits < 128; ++bits) {
            const Choices made = Choices::fromBits(bits);
            made.applyTo(source);
            VxBone* bone = addPlacedBone(figure, QStringLiteral("b%1_%2").arg(order).arg(bits), {}, {}, order);
            VxFSWeightMaps::createWeightMaps(&source, bone, bind(figure, bone));

            Choices::fromBits(0).applyTo(copy);
            VxFSWeightMaps::readWeightMapSelections(&document, bone, &copy);
            ASSERT_TRUE(Choices::of(copy) == made.effective())
                << "order " << order << ", choices " << bits;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 6 * 128);
}

TEST_F(WeightMapTest, ReadingBackTakesTheFaceGroupOfTheSelectionPair)
{
    VxFSHierarchy document;
    VxFacetMesh* mesh = vxMakeBoxMesh(twoBoxes());
    VxFSGeomItem* base = setBaseMesh(document, mesh, QStringLiteral("body"));
    VxFigure* figure = addSkinnedFigure<VxFigure>(mesh);
    VxBone* bone = addPlacedBone(figure, QStringLiteral("lower"), {}, {});
    figure->getSelectionMap()->addPair(QStringLiteral("lower"), bone, true);
    VxBoneBinding* binding = bind(figure, bone);
    VxRefGuard<VxWeightMap> scale(new VxWeightMap());
    VxRefGuard<VxWeightMap> side(new VxWeightMap());
    binding->setScaleWeights(scale.get());
    binding->setLocalWeights(1, side.get());

    VxFSHierarchyItem item(&document, QStringLiteral("item"));
    Choices::fromBits(0).applyTo(item);
    VxFSWeightMaps::readWeightMapSelections(&document, bone, &item);
    EXPECT_EQ(item.getGeomGroup(), base->findGroup(QStringLiteral("lower")));
    EXPECT_TRUE((Choices::of(item) == Choices{false, true, false, true, false, false, false}));

    // A bone outside any single-skin figure reads nothing.
    VxFSHierarchyItem loose(&document, QStringLiteral("loose"));
    Choices::fromBits(0).applyTo(loose);
    auto* unattached = new VxBone();
    VxFSWeightMaps::readWeightMapSelections(&document, unattached, &loose);
    EXPECT_EQ(loose.getGeomGroup(), nullptr);
    delete unattached;
}

TEST_F(WeightMapTest, AFigureWithoutSkinGetsBindingsWithoutMaps)
{
    VxFigure* figure = addSkinnedFigure<VxFigure>(nullptr);
    VxFSHierarchy document;
    VxFSHierarchyItem item(&document, QStringLiteral("bone"));
    Choices::fromBits(127).applyTo(item);
    VxBone* bone = addPlacedBone(figure, QStringLiteral("bone"), {}, {});
    VxBoneBinding* binding = bind(figure, bone);
    VxFSWeightMaps::createWeightMaps(&item, bone, binding);
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_EQ(binding->getLocalWeights(axis), nullptr);
        EXPECT_EQ(binding->getBulgeBinding(axis), nullptr);
    }
    EXPECT_EQ(binding->getScaleWeights(), nullptr);
}
