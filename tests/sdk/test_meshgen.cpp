#include "vxapptest.h"
#include "vxmeshgen.h"

#include <QBuffer>
#include <QFile>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

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
