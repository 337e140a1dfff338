#include "vxskinarmtest.h"

#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxobject.h"
#include "vxposechannels.h"
#include "vxrefcounted.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"

#include <cmath>

void VxSkinArmTest::SetUp()
{
    VxSceneTest::SetUp();
    m_mesh = vxMakeBoxMesh({{QStringLiteral("upper"), {0, 0, 0}, {2, 1, 1}}, {QStringLiteral("lower"), {2, 0, 0}, {4, 1, 1}}});
    m_figure = vxMakeFigure<VxFigure>(m_mesh, QStringLiteral("Arm"));
    m_upper = m_figure->findBone(QStringLiteral("upper"));
    m_lower = m_figure->findBone(QStringLiteral("lower"));
    m_upper->setOrigin({0.0f, 0.5f, 0.5f}, true);
    m_upper->setEndPoint({2.0f, 0.5f, 0.5f}, true);
    m_lower->setOrigin({2.0f, 0.5f, 0.5f}, true);
    m_lower->setEndPoint({4.0f, 0.5f, 0.5f}, true);
    for (VxBone* bone : {m_upper, m_lower}) {
        auto* binding = new VxBoneBinding();
        binding->setBone(bone);
        m_figure->getSkinBinding()->addBoneBinding(binding);
        for (int axis = 0; axis < 3; ++axis) {
            VxRefGuard<VxWeightMap> map(new VxWeightMap());
            map->setNumWeights(m_mesh->getNumVertices(), false);
            binding->setLocalWeights(axis, map.get());
        }
    }
}

void VxSkinArmTest::paint(VxBone* bone, int axis, int vertex, float weight)
{
    VxBoneBinding* binding = m_figure->getSkinBinding()->findBoneBinding(bone);
    for (int a = 0; a < 3; ++a) {
        if (axis == -1 || axis == a)
            binding->getLocalWeights(a)->setWeight(vertex, uint16_t(std::lround(weight * VxWeightMap::kMaxWeight)));
    }
    m_figure->getObject()->invalidateCachedGeom();
}

void VxSkinArmTest::paintBoxes()
{
    for (int v = 0; v < 8; ++v) {
        paint(m_upper, -1, v, 1.0f);
        paint(m_lower, -1, v + 8, 1.0f);
    }
}

void VxSkinArmTest::pose(VxBone* bone, const VxVec3& degrees)
{
    QString error;
    ASSERT_TRUE(VxPoseChannels::setRotation(bone, degrees, &error)) << qPrintable(error);
}

const VxFacetMesh* VxSkinArmTest::evaluated() const
{
    return qobject_cast<const VxFacetMesh*>(m_figure->getObject()->getCachedGeom());
}

VxVec3 VxSkinArmTest::posed(int vertex) const
{
    const VxFacetMesh* mesh = evaluated();
    return mesh ? mesh->getVertex(vertex) : VxVec3(NAN, NAN, NAN);
}
