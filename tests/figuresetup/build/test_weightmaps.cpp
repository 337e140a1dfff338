#include "buildtestsupport.h"

namespace {
void expectZeroMap(const VxWeightMap* map)
{
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->getName(), QString());
    EXPECT_EQ(map->getNumWeights(), 16); // the vertices of two boxes
    EXPECT_FALSE(map->hasNonZeroWeights());
    EXPECT_EQ(map->getNumAllocatedPages(), 0);
    // The binding holds the only reference: the builder released its own.
    EXPECT_EQ(map->refCount(), 1);
}

class WeightMapTest : public BuildTest
{
protected:
    void SetUp() override
    {
        BuildTest::SetUp();
        m_mesh = vxMakeBoxMesh({{QStringLiteral("upper"), {0, 0, 0}, {1, 2, 1}},
                                {QStringLiteral("lower"), {0, -2, 0}, {1, 0, 1}}});
        m_figure = addSkinnedFigure<VxFigure>(m_mesh);
    }
    // A new bone of the figure with the item's maps made for it.
    VxBoneBinding* makeMaps(const QString& choices, int order)
    {
        setChoices(&m_item, choices);
        VxBone* bone = addPlacedBone(m_figure, QStringLiteral("b%1").arg(++m_bones), {}, {}, order);
        VxBoneBinding* binding = bindBone(m_figure, bone);
        VxFSWeightMaps::createWeightMaps(&m_item, bone, binding);
        return binding;
    }

    VxFSHierarchy m_document;
    VxFSHierarchyItem m_item{&m_document, QStringLiteral("item")};
    VxFacetMesh* m_mesh = nullptr;
    VxFigure* m_figure = nullptr;
    int m_bones = 0;
};
} // namespace

TEST_F(WeightMapTest, MapsFollowTheChoicesOnTheAxesOfTheRotationOrder)
{
    // YZX: twist on Y, side-side on Z, bend on X. Only side-side chosen: one map, on Z.
    VxBoneBinding* binding = makeMaps(QStringLiteral("sideSide"), VxRotationOrder::YZX);
    EXPECT_EQ(binding->getLocalWeights(0), nullptr);
    EXPECT_EQ(binding->getLocalWeights(1), nullptr);
    expectZeroMap(binding->getLocalWeights(2));
    EXPECT_EQ(binding->getScaleWeights(), nullptr);

    // A bulge choice without its local map makes nothing; with it, two maps on that axis.
    binding = makeMaps(QStringLiteral("twistBulge"), VxRotationOrder::ZXY);
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_EQ(binding->getLocalWeights(axis), nullptr);
        EXPECT_EQ(binding->getBulgeBinding(axis), nullptr);
    }
    binding = makeMaps(QStringLiteral("twist scale twistBulge"), VxRotationOrder::ZXY);
    expectZeroMap(binding->getLocalWeights(2));
    const VxBulgeBinding* bulge = binding->getBulgeBinding(2);
    ASSERT_NE(bulge, nullptr);
    EXPECT_EQ(bulge->getAxis(), 2);
    expectZeroMap(bulge->getRightWeights());
    expectZeroMap(bulge->getLeftWeights());
    EXPECT_NE(bulge->getRightWeights(), bulge->getLeftWeights());
    expectZeroMap(binding->getScaleWeights());

    // A figure without a skin: bindings without maps.
    auto* bare = addSkinnedFigure<VxFigure>(nullptr, QStringLiteral("Bare"));
    VxBone* bone = addPlacedBone(bare, QStringLiteral("bone"));
    binding = bindBone(bare, bone);
    VxFSWeightMaps::createWeightMaps(&m_item, bone, binding);
    EXPECT_EQ(binding->getLocalWeights(2), nullptr);
    EXPECT_EQ(binding->getScaleWeights(), nullptr);
}
