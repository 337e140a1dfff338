// The viewport shows figures as they are posed: turning a bone redraws the skin and the
// bone by themselves, and the bones inside read clearly without cutting into the skin.
#include "vxviewporttest.h"

#include "vxviewport.h"
#include "vxviewportrenderer.h"

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

// A red column of two boxes, "lower" from y = 0 to 1 and "upper" from 1 to 2, each fully
// weighted to its bone, which runs up the middle of its box.
VxFigure* addColumnFigure()
{
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
    return figure;
}
} // namespace

TEST_F(VxViewportTest, TurningABoneRedrawsThePosedSkinAndBone)
{
    VxFigure* figure = addColumnFigure();
    ASSERT_TRUE(renderFrame());
    EXPECT_TRUE(vxLooksLike(image().pixel(project({0.4f, 1.8f, 0.5f})), kSkin));

    const int wholeUploads = m_viewport->getMeshUploadCount();
    const int positionUploads = m_viewport->getPositionUploadCount();

    // Upper turns 90 degrees about Z around (0, 1): its box moves to x -1 .. 0, y .5 .. 1.5.
    // Only the skin's vertices go to the GPU again, not its triangles.
    QSignalSpy frames(m_viewport, &VxViewport::frameRendered);
    ASSERT_TRUE(VxPoseChannels::setRotation(figure->findBone("upper"), {0.0f, 0.0f, 90.0f}));
    ASSERT_TRUE(frames.wait(5000));
    EXPECT_EQ(m_viewport->getMeshUploadCount(), wholeUploads);
    EXPECT_EQ(m_viewport->getPositionUploadCount(), positionUploads + 1);
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

TEST_F(VxViewportTest, BonesInsideTheSkinShowOverItWithoutCuttingIntoIt)
{
    addColumnFigure();
    ASSERT_TRUE(renderFrame());
    const QImage raw = m_viewport->grabFramebuffer();
    keepImage(raw, "bones-in-skin");
    // The image is opaque everywhere: a pixel left part-transparent comes out dark or
    // garbled once composited.
    for (int y = 0; y < raw.height(); ++y) {
        for (int x = 0; x < raw.width(); ++x)
            ASSERT_EQ(qAlpha(raw.pixel(x, y)), 255) << x << ", " << y;
    }
    // Each bone shows on its axis, in front of the skin that hides it; around it, within a
    // bone's length, the skin shows its own colour.
    const QImage shot = raw.convertToFormat(QImage::Format_RGB32);
    for (float middle : {0.5f, 1.5f}) {
        const QRgb axis = shot.pixel(project({0.0f, middle, 0.0f}));
        EXPECT_TRUE(vxLooksLike(axis, VxViewportRenderer::boneColor())) << qPrintable(QColor(axis).name());
        for (const QVector3D& around : {QVector3D(-0.3f, middle, 0.5f), QVector3D(0.3f, middle, 0.5f),
                                        QVector3D(0.15f, middle + 0.3f, 0.5f), QVector3D(-0.15f, middle - 0.3f, 0.5f)}) {
            const QRgb skin = shot.pixel(project(around));
            EXPECT_TRUE(vxLooksLike(skin, kSkin)) << qPrintable(QColor(skin).name()) << " near " << middle;
        }
    }
}
