// The evaluated shape as objects hand it out: kept until something it depends on changes,
// and announced when it goes stale.
#include "vxskinarmtest.h"

#include "vxbone.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxobject.h"
#include "vxposechannels.h"
#include "vxproperty.h"

#include <QSignalSpy>

#include <cmath>
#include <vector>

namespace {
using PoseCacheTest = VxSkinArmTest;
} // namespace

TEST_F(PoseCacheTest, EvaluatesOncePerChangeAndSaysWhenStale)
{
    for (int v = 8; v < 16; ++v)
        paint(m_lower, -1, v, 1.0f);
    VxObject* object = m_figure->getObject();
    QSignalSpy stale(object, &VxObject::cachedGeomChanged);
    const VxFacetMesh* first = evaluated();
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, m_mesh); // the skin keeps its rest shape
    EXPECT_EQ(first->getNumFacets(), m_mesh->getNumFacets());
    EXPECT_EQ(first->findFaceGroup(QStringLiteral("lower")), 1);
    EXPECT_EQ(object->getCachedGeomEvaluationCount(), 1);
    evaluated();
    EXPECT_EQ(object->getCachedGeomEvaluationCount(), 1);

    const std::vector<float> rest(m_mesh->getVertexData(), m_mesh->getVertexData() + 48);
    pose(m_lower, {0.0f, 0.0f, 90.0f});
    pose(m_lower, {0.0f, 0.0f, 90.0f}); // no change, no signal
    EXPECT_EQ(stale.count(), 1);
    EXPECT_EQ(evaluated(), first);
    evaluated();
    EXPECT_EQ(object->getCachedGeomEvaluationCount(), 2);
    EXPECT_EQ(std::vector<float>(m_mesh->getVertexData(), m_mesh->getVertexData() + 48), rest);

    // The figure's own controls place it in the scene; its shape stays.
    m_figure->getZRotControl()->setValue(45.0f);
    m_figure->getXPosControl()->setValue(3.0f);
    evaluated();
    EXPECT_EQ(stale.count(), 1);
    EXPECT_EQ(object->getCachedGeomEvaluationCount(), 2);

    // A new rest shape is posed again: (4, 1, 0) moved to (4, 1, 1) turns about (2, .5).
    std::vector<float> moved = rest;
    moved[14 * 3 + 2] = 1.0f;
    ASSERT_TRUE(m_mesh->setVertexPositions(moved));
    EXPECT_EQ(stale.count(), 2);
    EXPECT_VEC3_NEAR(posed(14), VxVec3(1.5f, 2.5f, 1.0f));
    EXPECT_EQ(object->getCachedGeomEvaluationCount(), 3);

    // Bones added later are watched too.
    VxBone* hand = vxAddBone(m_lower, QStringLiteral("hand"));
    EXPECT_EQ(stale.count(), 3);
    evaluated();
    hand->getXRotControl()->setValue(10.0f);
    EXPECT_EQ(stale.count(), 4);
    evaluated();
    EXPECT_EQ(object->getCachedGeomEvaluationCount(), 5);
}
