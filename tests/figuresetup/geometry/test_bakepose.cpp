// "Update Vertex Positions (from current shape)" on a posed figure: the posed skin becomes the
// base mesh and the pose goes, so the figure looks as it did when the user baked it.
#include "vxupdategeometryaction.h"

#include "vxbone.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxposechannels.h"
#include "vxscene.h"
#include "vxskinarmtest.h"

#include <QVariantMap>

#include <vector>

namespace {
std::vector<VxVec3> positions(const VxFacetMesh* mesh)
{
    std::vector<VxVec3> result;
    for (int i = 0; i < mesh->getNumVertices(); ++i)
        result.push_back(mesh->getVertex(i));
    return result;
}
} // namespace

using BakePoseTest = VxSkinArmTest;

TEST_F(BakePoseTest, BakingTheCurrentShapeKeepsTheLookAndLeavesTheFigureAtRest)
{
    paintBoxes();
    pose(m_lower, VxVec3(0, 0, 90));
    const std::vector<VxVec3> bent = positions(evaluated());
    ASSERT_NE(bent, positions(m_mesh)) << "the pose must move the skin";

    m_scene->selectNode(m_lower, true);
    VxUpdateGeometryAction action;
    action.triggerWithSettings(QVariantMap{{QStringLiteral("RunSilent"), true}});
    EXPECT_EQ(positions(m_mesh), bent) << "the base mesh holds the shape the user saw";
    EXPECT_EQ(VxPoseChannels::getRotation(m_lower), VxVec3(0, 0, 0));
    EXPECT_EQ(positions(evaluated()), bent) << "the figure does not bend a second time";
}
