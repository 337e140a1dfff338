// The viewport shows figures as they are posed: turning a bone redraws the skin and the
// bone by themselves.
#include "vxviewporttest.h"

#include "vxviewport.h"

#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxdefaultmaterial.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxobject.h"
#include "vxshape.h"
#include "vxposechannels.h"
#include "vxrefcounted.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"

#include <QSignalSpy>

#include <algorithm>

namespace {
const QColor kSkin(220, 30, 30);
}

TEST_F(VxViewportTest, TurningABoneRedrawsThePosedSkinAndBone)
{
    // A red column of two boxes, "lower" from y = 0 to 1 and "upper" from 1 to 2, each
    // fully weighted to its bone.
    VxFacetMesh* mesh = vxMakeBoxMesh({{"lower", {-0.5f, 0.0f, -0.5f}, {0.5f, 1.0f, 0.5f}},
                                       {"upper", {-0.5f, 1.0f, -0.5f}, {0.5f, 2.0f, 0.5f}}});
    VxFacetMeshData data = mesh->getData();
    std::fill(data.facetMaterial.begin(), data.facetMaterial.end(), 0);
    mesh->setData(std::move(data));
    VxFigure* figure = vxMakeFigure<VxFigure>(mesh, "Figure");
    auto* red = new VxDefaultMaterial();
    red->setDiffuseColor(kSkin);
    figure->getObject()->getCurrentShape()->addMaterial(red);
    for (int b = 0; b < 2; ++b) {
        VxBone* bone = figure->findBone(b ? "upper" : "lower");
        bone->setOrigin({0.0f, float(b), 0.0f}, true);
        bone->setEndPoint({0.0f, float(b) + 1.0f, 0.0f}, true);
        auto* binding = new VxBoneBinding();
        binding->setBone(bone);
        figure->getSkinBinding()->addBoneBinding(binding);
        for (int axis = 0; axis < 3; ++axis) {
            VxRefGuard<VxWeightMap> map(new VxWeightMap());
            map->setNumWeights(16, false);
            for (int v = 8 * b; v < 8 * b + 8; ++v)
                map->setWeight(v, VxWeightMap::kMaxWeight);
            binding->setLocalWeights(axis, map.get());
        }
    }
    ASSERT_TRUE(renderFrame());
    EXPECT_TRUE(vxLooksLike(image().pixel(project({0.4f, 1.8f, 0.5f})), kSkin));

    // Upper turns 90 degrees about Z around (0, 1): its box moves to x -1 .. 0, y .5 .. 1.5.
    QSignalSpy frames(m_viewport, &VxViewport::frameRendered);
    ASSERT_TRUE(VxPoseChannels::setRotation(figure->findBone("upper"), {0.0f, 0.0f, 90.0f}));
    ASSERT_TRUE(frames.wait(5000));
    QImage shot = image();
    keepImage(shot, "posed-column");
    EXPECT_FALSE(vxLooksLike(shot.pixel(project({0.4f, 1.8f, 0.5f})), kSkin));
    EXPECT_TRUE(vxLooksLike(shot.pixel(project({-0.75f, 1.25f, 0.5f})), kSkin));
    // The bone is drawn posed too, over the skin: along -X from (0, 1).
    const QRgb bone = shot.pixel(project({-0.5f, 1.0f, 0.0f}));
    EXPECT_FALSE(vxLooksLike(bone, kSkin)) << qPrintable(QColor(bone).name());

    frames.clear();
    EXPECT_EQ(VxPoseChannels::resetPose(figure), 1);
    ASSERT_TRUE(frames.wait(5000));
    EXPECT_TRUE(vxLooksLike(image().pixel(project({0.4f, 1.8f, 0.5f})), kSkin));
    EXPECT_FALSE(vxLooksLike(image().pixel(project({-0.75f, 1.25f, 0.5f})), kSkin));
}
