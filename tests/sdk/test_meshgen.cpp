#include "vxapptest.h"
#include "vxbox3.h"
#include "vxmeshgen.h"

#include <QBuffer>
#include <QFile>

#include <cmath>

namespace {

// Boxes of every face group, straight from the raw arrays.
std::vector<VxBox3> groupBoxes(const VxFacetMeshData& mesh)
{
    std::vector<VxBox3> boxes(size_t(mesh.groupNames.size()));
    for (int f = 0; f < mesh.numFacets(); ++f) {
        for (uint32_t c = mesh.facetStart[size_t(f)]; c < mesh.facetStart[size_t(f) + 1]; ++c) {
            const float* p = &mesh.positions[3 * size_t(mesh.cornerVertex[c])];
            boxes[size_t(mesh.facetGroup[size_t(f)])].extendBy(VxVec3(p[0], p[1], p[2]));
        }
    }
    return boxes;
}

bool overlaps(const VxBox3& a, const VxBox3& b)
{
    for (int axis = 0; axis < 3; ++axis) {
        if (a.getMax()[axis] <= b.getMin()[axis] || b.getMax()[axis] <= a.getMin()[axis])
            return false;
    }
    return true;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(MeshGen, HumanoidHasOneSeparateBoxPerBodyPartPlacedLikeABody)
{
    QStringList materials;
    const VxFacetMeshData mesh = VxMeshGen::humanoid(&materials);
    EXPECT_EQ(materials, (QStringList{"skin", "hair", "shoes"}));
    ASSERT_EQ(mesh.groupNames, VxMeshGen::humanoidGroupNames());
    ASSERT_EQ(mesh.cornerUV.size(), mesh.cornerVertex.size());

    const std::vector<VxBox3> boxes = groupBoxes(mesh);
    for (size_t a = 0; a < boxes.size(); ++a) {
        ASSERT_FALSE(boxes[a].isEmpty()) << qPrintable(mesh.groupNames[int(a)]);
        for (size_t b = a + 1; b < boxes.size(); ++b)
            EXPECT_FALSE(overlaps(boxes[a], boxes[b])) << qPrintable(mesh.groupNames[int(a)] + " / " + mesh.groupNames[int(b)]);
    }
    auto box = [&](const char* name) { return boxes[size_t(mesh.groupNames.indexOf(QLatin1String(name)))]; };
    EXPECT_FLOAT_EQ(box("lFoot").getMin().y, 0.0f);
    EXPECT_GT(box("head").getMin().y, box("chest").getMax().y - 1e-6f);
    EXPECT_GT(box("lHand").getMin().x, box("lForeArm").getMin().x);   // left arm out along +X
    EXPECT_LT(box("rHand").getMax().x, box("rForeArm").getMax().x);   // right arm along -X
    EXPECT_GT(box("lFoot").getMax().z, box("lShin").getMax().z);      // toes point to +Z
    EXPECT_FLOAT_EQ(box("rShldr").getMin().x, -box("lShldr").getMax().x); // mirrored
}

TEST(MeshGen, GridSplitsIntoContiguousGroupsWithCyclingMaterials)
{
    QStringList materials;
    const VxFacetMeshData mesh = VxMeshGen::grid(20000, 7, 3, &materials);
    EXPECT_NEAR(mesh.numFacets(), 20000, 300);
    EXPECT_EQ(mesh.groupNames.first(), QStringLiteral("group_000"));
    EXPECT_EQ(materials, (QStringList{"material_0", "material_1", "material_2"}));
    EXPECT_EQ(mesh.numUVs(), mesh.numVertices());
    int changes = 0;
    for (int f = 1; f < mesh.numFacets(); ++f) {
        changes += mesh.facetGroup[size_t(f)] != mesh.facetGroup[size_t(f) - 1];
        EXPECT_EQ(mesh.facetMaterial[size_t(f)], mesh.facetGroup[size_t(f)] % 3);
    }
    EXPECT_EQ(changes, 6); // 7 groups, each one run of facets

    const VxFacetMeshData bare = VxMeshGen::grid(100, 500, 9, nullptr, false);
    EXPECT_TRUE(bare.uvs.empty());
    EXPECT_TRUE(bare.cornerUV.empty());
    EXPECT_EQ(bare.groupNames.size(), bare.numFacets());   // never more groups than facets
}

TEST(MeshGen, CommittedExampleFigureIsWhatTheGeneratorWritesNow)
{
    QStringList materials;
    const VxFacetMeshData mesh = VxMeshGen::humanoid(&materials);
    QBuffer obj;
    obj.open(QIODevice::WriteOnly);
    ASSERT_TRUE(VxMeshGen::writeObj(mesh, materials, obj, QStringLiteral("figure.mtl")));
    QBuffer mtl;
    mtl.open(QIODevice::WriteOnly);
    ASSERT_TRUE(VxMeshGen::writeMtl(materials, mtl));

    const QString folder = vxSourcePath(QStringLiteral("examples/Runtime/Geometries/Figure/"));
    EXPECT_TRUE(readAll(folder + QStringLiteral("figure.obj")) == obj.data())
        << "regenerate with: vxmeshgen humanoid examples/Runtime/Geometries/Figure/figure.obj";
    EXPECT_TRUE(readAll(folder + QStringLiteral("figure.mtl")) == mtl.data());
}
