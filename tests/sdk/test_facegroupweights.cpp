// Automatic weights from face groups on hand-made skins: a welded tube, a strip folded back
// on itself, the box-built humanoid, painted maps and figures that cannot be weighted.
#include "vxscenetest.h"
#include "vxweightablefigure.h"

#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxfacegroupweighting.h"
#include "vxfacegroupweightsolver.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxmeshgen.h"
#include "vxobject.h"
#include "vxposechannels.h"
#include "vxrefcounted.h"
#include "vxselectionmap.h"
#include "vxshape.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"

#include <cmath>
#include <functional>
#include <memory>

namespace {
class FaceGroupWeightsTest : public VxSceneTest
{
protected:
    using BoneSpec = VxWeightableFigure::BoneSpec;
    void makeFigure(VxFacetMeshData mesh, const QList<BoneSpec>& bones)
    {
        m_rig = std::make_unique<VxWeightableFigure>(std::move(mesh), bones);
        m_figure = m_rig->figure();
        m_mesh = m_rig->mesh();
    }
    uint16_t weight(const QString& bone, int vertex, int channel = 0) const { return m_rig->weight(bone, vertex, channel); }
    uint32_t sum(int vertex, int channel) const { return m_rig->sum(vertex, channel); }
    std::vector<uint16_t> mapCopy(const QString& bone, int channel) const { return m_rig->mapCopy(bone, channel); }

    std::unique_ptr<VxWeightableFigure> m_rig;
    VxFigure* m_figure = nullptr;
    VxFacetMesh* m_mesh = nullptr;
};

constexpr int kSides = 12;
constexpr uint16_t kFull = VxWeightMap::kMaxWeight;

QString applyWeights(VxFigure* figure, bool replace)
{
    VxFaceGroupWeighting weighting(figure);
    QString reason;
    return weighting.apply(replace, &reason) ? QString() : reason;
}
} // namespace

TEST_F(FaceGroupWeightsTest, ATubeBlendsMonotonicallyAcrossItsJointAndEveryVertexSumsToFull)
{
    // 41 rings 0.25 apart (x = 0 .. 10), the seam ring at x = 5.
    makeFigure(vxCylinderMesh(41, kSides, 20), {{"upper", ""}, {"lower", "upper"}});
    // Bent at the joint before any weight exists, the skin stays at rest; the new weights
    // show in the evaluated skin at once.
    ASSERT_TRUE(VxPoseChannels::setChannel(m_figure->findBone("lower"), 2, 90.0f));
    const int deepLower = 38 * kSides;
    auto posed = [this](int v) { return qobject_cast<VxFacetMesh*>(m_figure->getObject()->getCachedGeom())->getVertex(v); };
    EXPECT_EQ(posed(deepLower), m_mesh->getVertex(deepLower));
    ASSERT_EQ(applyWeights(m_figure, false), QString());
    EXPECT_GT((posed(deepLower) - m_mesh->getVertex(deepLower)).length(), 1.0f);

    // The seam is a ring of radius 1, so the blend runs kBlendScale along the tube each way.
    const float blend = VxFaceGroupWeightSolver::kBlendScale;
    uint16_t previous = 0;
    for (int ring = 0; ring < 41; ++ring) {
        SCOPED_TRACE(ring);
        const float fromSeam = 0.25f * float(ring - 20);
        const uint16_t lower = weight("lower", ring * kSides);
        for (int s = 0; s < kSides; ++s) {
            const int v = ring * kSides + s;
            EXPECT_EQ(weight("lower", v), lower) << "a ring is weighted alike all round";
            for (int channel = 0; channel < 4; ++channel) {
                EXPECT_EQ(sum(v, channel), kFull) << "channel " << channel;
                EXPECT_EQ(weight("lower", v, channel), lower) << "every map of a bone carries its weight";
            }
        }
        EXPECT_GE(lower, previous);
        previous = lower;
        if (fromSeam <= -blend)
            EXPECT_EQ(lower, 0);
        else if (fromSeam >= blend)
            EXPECT_EQ(lower, kFull);
        else if (fromSeam == 0.0f)
            EXPECT_NEAR(lower, kFull / 2, 1);
        else
            EXPECT_TRUE(lower > 0 && lower < kFull);
    }
    // About half the blend distance into "lower": well on the way, not a step at the seam.
    const int halfway = 20 + int(blend / 0.5f);
    EXPECT_GT(weight("lower", halfway * kSides), 0.55 * kFull);
    EXPECT_LT(weight("lower", halfway * kSides), 0.9 * kFull);
}

TEST_F(FaceGroupWeightsTest, BlendDistanceIsMeasuredAlongTheSurfaceNotThroughTheFold)
{
    // Seam at row 20 (x = 5, z = 0). Row 22 (x = 5.5, z = 0) is 0.5 from it along the strip;
    // row 62 (x = 5, z = 0.5) is 0.5 from it through the air but 10.5 along the strip.
    makeFigure(vxFoldedStripMesh(20), {{"a", ""}, {"b", "a"}});
    ASSERT_EQ(applyWeights(m_figure, false), QString());
    for (int k = 0; k < 5; ++k) {
        EXPECT_NEAR(weight("a", 20 * 5 + k), kFull / 2, 1);
        EXPECT_GT(weight("a", 22 * 5 + k), 5000) << "near along the strip: blended";
        EXPECT_LT(weight("a", 22 * 5 + k), kFull / 2);
        EXPECT_EQ(weight("b", 62 * 5 + k), kFull) << "near through the fold only: all its own bone's";
        EXPECT_EQ(weight("a", 62 * 5 + k), 0);
        EXPECT_EQ(weight("a", 0 * 5 + k), kFull);
    }
}

TEST_F(FaceGroupWeightsTest, BoxBuiltFigureBlendsWhereItsPiecesTouchAndBonesWithoutMapsGiveWayToTheirParent)
{
    QList<BoneSpec> bones;
    const QStringList parents{"", "hip", "abdomen", "chest", "neck", "chest", "lCollar", "lShldr", "lForeArm",
                              "chest", "rCollar", "rShldr", "rForeArm", "hip", "lThigh", "lShin", "hip", "rThigh", "rShin"};
    const QStringList names = VxMeshGen::humanoidGroupNames();
    ASSERT_EQ(names.size(), parents.size());
    for (int b = 0; b < names.size(); ++b)
        bones.append({names[b], parents[b]});
    makeFigure(VxMeshGen::humanoid(), bones);
    // lHand can take no weights: its skin goes with the forearm.
    VxBoneBinding* hand = m_figure->getSkinBinding()->findBoneBinding(m_figure->findBone("lHand"));
    for (int axis = 0; axis < 3; ++axis)
        hand->setLocalWeights(axis, nullptr);
    hand->setScaleWeights(nullptr);
    // lShin bends only (YZX: its bend map is on X): its other channels go up to the thigh.
    VxBoneBinding* shin = m_figure->getSkinBinding()->findBoneBinding(m_figure->findBone("lShin"));
    shin->setLocalWeights(1, nullptr);
    shin->setLocalWeights(2, nullptr);
    shin->setScaleWeights(nullptr);

    VxFaceGroupWeighting weighting(m_figure);
    QString reason;
    ASSERT_TRUE(weighting.apply(false, &reason)) << qPrintable(reason);
    EXPECT_TRUE(weighting.summary().contains("18 bones weighted from 19 face groups, 17 joints blended"))
        << qPrintable(weighting.summary());

    // The pieces are separate boxes: the elbow's two boxes share no vertex, yet blend where
    // the forearm's end lies on the upper arm's.
    const VxFacetMeshData& data = m_mesh->getData();
    int blendedForeArm = 0, handVertices = 0;
    for (int v = 0; v < m_mesh->getNumVertices(); ++v) {
        const float x = data.positions[3 * size_t(v)];
        for (int channel = 0; channel < 4; ++channel)
            ASSERT_EQ(sum(v, channel), kFull) << v << " channel " << channel;
        const float y = data.positions[3 * size_t(v) + 1];
        if (x > 0.0f && y > 0.15f && y < 0.4f) { // mid left shin
            EXPECT_EQ(weight("lShin", v, 0), kFull) << v;
            EXPECT_EQ(weight("lThigh", v, 1), kFull) << v;
        }
        const uint16_t foreArm = weight("lForeArm", v);
        if (x >= 0.78f - 1e-4f) { // the hand's box
            ++handVertices;
            EXPECT_GT(foreArm, kFull / 2 - 2) << v;
        }
        if (x > 0.52f - 1e-4f && x < 0.56f && foreArm > 0 && foreArm < kFull) {
            ++blendedForeArm;
            EXPECT_GT(weight("lShldr", v), 0) << v;
        }
        if (x > 0.64f && x < 0.70f)
            EXPECT_EQ(foreArm, kFull) << "mid forearm " << v;
    }
    EXPECT_GT(blendedForeArm, 10);
    EXPECT_GT(handVertices, 40);
    EXPECT_EQ(weight("lForeArm", m_mesh->getNumVertices() - 1), 0) << "the right foot is not the forearm's";
}

namespace {
// The figure's skin replaced by the tube, spoilt by `spoil`.
void spoilSkin(VxFigure* figure, const std::function<void(VxFacetMeshData&)>& spoil)
{
    VxFacetMeshData data = vxCylinderMesh(41, kSides, 20);
    spoil(data);
    qobject_cast<VxFacetMesh*>(VxShape::getCurrentShapeForNode(figure)->getGeometry())->setData(std::move(data));
}
} // namespace

TEST_F(FaceGroupWeightsTest, FiguresThatCannotBeWeightedAreRefusedWithTheReasonAndKeepTheirMaps)
{
    const QString kBrokenSkin = "The skin of figure \"Figure\" has facets naming vertices it does not have, or "
                                "positions that are not numbers.";
    struct Case
    {
        const char* name;
        std::function<void(VxFigure*)> spoil;
        QString reason;
    };
    const Case cases[] = {
        {"no skin", [](VxFigure* f) { f->setObject(new VxObject()); }, "Figure \"Figure\" has no skin mesh to weight."},
        {"no maps",
         [](VxFigure* f) {
             for (int b = 0; b < f->getSkinBinding()->getNumBoneBindings(); ++b) {
                 VxBoneBinding* binding = f->getSkinBinding()->getBoneBinding(b);
                 for (int axis = 0; axis < 3; ++axis)
                     binding->setLocalWeights(axis, nullptr);
                 binding->setScaleWeights(nullptr);
             }
         },
         "No bone of figure \"Figure\" has a weight map to fill. Choose weight maps for its bones in Figure Setup "
         "and create the figure again."},
        {"facet naming a vertex the skin lacks", [](VxFigure* f) { spoilSkin(f, [](VxFacetMeshData& d) { d.cornerVertex[7] = 5000; }); },
         kBrokenSkin},
        {"position not a number", [](VxFigure* f) { spoilSkin(f, [](VxFacetMeshData& d) { d.positions[4] = NAN; }); },
         kBrokenSkin},
        {"no bindings",
         [](VxFigure* f) {
             while (f->getSkinBinding()->getNumBoneBindings() > 0)
                 f->getSkinBinding()->removeBoneBinding(f->getSkinBinding()->getBoneBinding(0));
         },
         "Figure \"Figure\" has no bones bound to its skin."},
        {"map of another size",
         [](VxFigure* f) {
             f->getSkinBinding()->findBoneBinding(f->findBone("lower"))->getScaleWeights()->setNumWeights(7, false);
         },
         "The weight maps of bone \"lower\" hold 7 weights, but the skin of figure \"Figure\" has 492 vertices."},
        {"no paired group",
         [](VxFigure* f) {
             while (f->getSelectionMap()->getNumPairs() > 0)
                 f->getSelectionMap()->removePair(0);
         },
         "No face group of the skin of figure \"Figure\" is paired with a bone that has weight maps."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        makeFigure(vxCylinderMesh(41, kSides, 20), {{"upper", ""}, {"lower", "upper"}});
        c.spoil(m_figure);
        const std::vector<uint16_t> before = mapCopy("upper", 0);
        EXPECT_EQ(applyWeights(m_figure, true), c.reason);
        EXPECT_EQ(mapCopy("upper", 0), before);
        m_scene->removeNode(m_figure);
    }
}
