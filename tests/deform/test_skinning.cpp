// Linear blend skinning of single-skin figures, checked against positions worked out by
// hand on the two-bone arm of VxSkinArmTest.
#include "vxskinarmtest.h"

#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxbulgebinding.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxobject.h"
#include "vxposechannels.h"
#include "vxproperty.h"
#include "vxrefcounted.h"
#include "vxrotationorder.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"

#include <cmath>
#include <cstring>

using SkinningTest = VxSkinArmTest;

TEST_F(SkinningTest, ABendMovesExactlyTheWeightedVerticesByTheRotation)
{
    paintBoxes();
    paint(m_upper, -1, 10, 0.5f); // (2, 1, 0) sits on the joint, shared half and half
    paint(m_lower, -1, 10, 0.5f);
    pose(m_lower, {0.0f, 0.0f, 90.0f});

    // About the line x = 2, y = .5: (x, y) - (2, .5) turns to (-(y - .5), x - 2).
    EXPECT_VEC3_NEAR(posed(14), VxVec3(1.5f, 2.5f, 0.0f));
    EXPECT_VEC3_NEAR(posed(12), VxVec3(2.5f, 2.5f, 0.0f));
    EXPECT_VEC3_NEAR(posed(9), VxVec3(2.5f, 0.5f, 1.0f));
    // Half of the way: the mean of rest (2, 1, 0) and turned (1.5, .5, 0).
    EXPECT_VEC3_NEAR(posed(10), VxVec3(1.75f, 0.75f, 0.0f));
    for (int v = 0; v < 8; ++v)
        EXPECT_EQ(posed(v), m_mesh->getVertex(v)) << "upper vertex " << v;
}

TEST_F(SkinningTest, ChildrenFollowTheirParents)
{
    paintBoxes();
    pose(m_upper, {0.0f, 0.0f, 90.0f});
    EXPECT_VEC3_NEAR(posed(14), VxVec3(-0.5f, 4.5f, 0.0f)); // (4, 1, 0) about (0, .5)
    pose(m_lower, {0.0f, 0.0f, 90.0f});
    EXPECT_VEC3_NEAR(posed(14), VxVec3(-2.0f, 2.0f, 0.0f)); // lower's turn, then upper's
    m_upper->getZPosControl()->setValue(1.0f);
    EXPECT_VEC3_NEAR(posed(14), VxVec3(-2.0f, 2.0f, 1.0f));
    EXPECT_VEC3_NEAR(posed(0), VxVec3(0.5f, 0.5f, 1.0f)); // (0, 0, 0) turned about (0, .5), moved
}

TEST_F(SkinningTest, TheRotationOrderDecidesWhichAxisTurnsFirst)
{
    paintBoxes();
    // X and Z by 90 degrees: orders with X before Z give R(Z) * R(X), the others R(X) * R(Z).
    const struct
    {
        VxRotationOrder::Order order;
        VxVec3 expected;
    } cases[] = {{VxRotationOrder::XYZ, {1.5f, 2.5f, 1.0f}}, {VxRotationOrder::XZY, {1.5f, 2.5f, 1.0f}},
                 {VxRotationOrder::YXZ, {1.5f, 2.5f, 1.0f}}, {VxRotationOrder::YZX, {1.5f, 1.0f, 2.5f}},
                 {VxRotationOrder::ZXY, {1.5f, 1.0f, 2.5f}}, {VxRotationOrder::ZYX, {1.5f, 1.0f, 2.5f}}};
    pose(m_lower, {90.0f, 0.0f, 90.0f});
    for (const auto& c : cases) {
        m_lower->setRotationOrder(c.order);
        SCOPED_TRACE(VxRotationOrder(c.order).toString().toStdString());
        EXPECT_VEC3_NEAR(posed(14), c.expected);
    }
}

TEST_F(SkinningTest, EachAxisFollowsItsOwnMap)
{
    // (2, 1, 1) follows upper's bend and lower's twist only.
    paint(m_upper, 2, 11, 1.0f);
    paint(m_lower, 0, 11, 1.0f);
    // (4, 1, 1) has a bend weight only, on lower: it still rides on lower when upper twists.
    paint(m_lower, 2, 15, 1.0f);

    pose(m_lower, {0.0f, 0.0f, 90.0f});
    EXPECT_VEC3_NEAR(posed(11), VxVec3(2.0f, 1.0f, 1.0f));
    pose(m_lower, {90.0f, 0.0f, 0.0f});
    EXPECT_VEC3_NEAR(posed(11), VxVec3(2.0f, 0.0f, 1.0f)); // about y = z = .5: (y, z) -> (-z, y)
    pose(m_lower, {0.0f, 0.0f, 0.0f});
    pose(m_upper, {90.0f, 0.0f, 0.0f});
    EXPECT_VEC3_NEAR(posed(15), VxVec3(4.0f, 0.0f, 1.0f));
    // Its twist weight is lower's, and lower turns with upper.
    EXPECT_VEC3_NEAR(posed(11), VxVec3(2.0f, 0.0f, 1.0f));
}

TEST_F(SkinningTest, UnweightedVerticesStayAndResetRestoresTheBaseExactly)
{
    for (int v = 8; v < 16; ++v)
        paint(m_lower, -1, v, 1.0f);
    pose(m_upper, {30.0f, 40.0f, 50.0f});
    pose(m_lower, {10.0f, 20.0f, 91.0f});
    for (int v = 0; v < 8; ++v)
        EXPECT_EQ(posed(v), m_mesh->getVertex(v));
    EXPECT_NE(posed(15), m_mesh->getVertex(15));

    EXPECT_EQ(VxPoseChannels::resetPose(m_figure), 6);
    EXPECT_EQ(VxPoseChannels::getRotation(m_lower), VxVec3());
    const VxFacetMesh* mesh = evaluated();
    ASSERT_EQ(mesh->getNumVertices(), m_mesh->getNumVertices());
    EXPECT_EQ(std::memcmp(mesh->getVertexData(), m_mesh->getVertexData(), sizeof(float) * 3 * 16), 0);
}

TEST_F(SkinningTest, HugeAnglesWrapAndNonFiniteOnesAreRefused)
{
    paintBoxes();
    pose(m_lower, {0.0f, 0.0f, 280.0f});
    const VxVec3 wrapped = posed(14);
    pose(m_lower, {0.0f, 0.0f, 1e6f}); // 2777 turns and 280 degrees
    EXPECT_VEC3_NEAR(posed(14), wrapped);

    QString error;
    EXPECT_FALSE(VxPoseChannels::setRotation(m_lower, {NAN, 0.0f, 0.0f}, &error));
    EXPECT_EQ(error, QStringLiteral("Rotation angles must be finite numbers of degrees."));
    EXPECT_FALSE(VxPoseChannels::setChannel(m_lower, 1, INFINITY, &error));
    EXPECT_FALSE(VxPoseChannels::setChannel(m_lower, 3, 10.0f, &error));
    EXPECT_EQ(error, QStringLiteral("A rotation channel is 0 (twist), 1 (side-side) or 2 (bend) of a valid rotation order."));
    EXPECT_EQ(VxPoseChannels::getRotation(m_lower), VxVec3(0.0f, 0.0f, 1e6f));

    // A value written past the checks counts as no rotation.
    m_lower->getZRotControl()->setValue(NAN);
    EXPECT_EQ(posed(14), m_mesh->getVertex(14));
    m_lower->getXRotControl()->setValue(-INFINITY);
    for (int v = 0; v < 16; ++v)
        EXPECT_TRUE(std::isfinite(posed(v).x + posed(v).y + posed(v).z)) << v;
}

TEST_F(SkinningTest, BulgesSwellAwayFromTheTwistAxisOnTheirSide)
{
    VxBoneBinding* binding = m_figure->getSkinBinding()->findBoneBinding(m_lower);
    auto* bulge = new VxBulgeBinding();
    bulge->setAxis(2);
    for (bool right : {true, false}) {
        VxRefGuard<VxWeightMap> map(new VxWeightMap());
        map->setNumWeights(16, false);
        map->setWeight(13, right ? VxWeightMap::kMaxWeight : 0);
        right ? bulge->setRightWeights(map.get()) : bulge->setLeftWeights(map.get());
    }
    binding->setBulgeBinding(2, bulge);

    // (4, 0, 1) lies (0, -.5, .5) from lower's twist axis; a full bulge at 90 degrees swells
    // it by a quarter of that. It has no skin weights, so it does not turn.
    pose(m_lower, {0.0f, 0.0f, 90.0f});
    EXPECT_VEC3_NEAR(posed(13), VxVec3(4.0f, -0.125f, 1.125f));
    pose(m_lower, {0.0f, 0.0f, 30.0f});
    EXPECT_VEC3_NEAR(posed(13), VxVec3(4.0f, -0.0625f, 1.0625f));
    pose(m_lower, {0.0f, 0.0f, -90.0f}); // the left map is empty
    EXPECT_EQ(posed(13), m_mesh->getVertex(13));
}

TEST_F(SkinningTest, MapsSizedForAnotherMeshCountAsZeroPastTheirEnd)
{
    paintBoxes();
    m_figure->getSkinBinding()->findBoneBinding(m_lower)->getLocalWeights(1)->setNumWeights(10, true);
    pose(m_lower, {0.0f, 0.0f, 90.0f});
    EXPECT_VEC3_NEAR(posed(14), VxVec3(1.5f, 2.5f, 0.0f));
    EXPECT_EQ(m_figure->getObject()->getCachedGeomProblem(),
              QStringLiteral("A weight map of bone \"lower\" holds 10 weights but the skin has 16 vertices; weights "
                             "past either end count as zero."));
}
