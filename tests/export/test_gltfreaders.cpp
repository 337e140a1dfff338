// Exported files as the tools people use read them: assimp, and Khronos' validator.
#include "exporttest.h"

#include "vxbone.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxlegacyfigure.h"
#include "vxshape.h"

#include <assimp/cimport.h>
#include <assimp/scene.h>

#include <QHash>
#include <QSet>

#include <cmath>
#include <cstdlib>

namespace {
// Skin vertices by their exact position: a seam can hold several at one place.
QMultiHash<QString, int> verticesByPosition(const VxFacetMesh& mesh)
{
    QMultiHash<QString, int> at;
    for (int v = 0; v < mesh.getNumVertices(); ++v) {
        const VxVec3 p = mesh.getVertex(v);
        at.insert(QStringLiteral("%1 %2 %3").arg(double(p.x)).arg(double(p.y)).arg(double(p.z)), v);
    }
    return at;
}

bool sameWeights(const BoneWeights& a, const BoneWeights& b)
{
    if (QSet<QString>(a.keyBegin(), a.keyEnd()) != QSet<QString>(b.keyBegin(), b.keyEnd()))
        return false;
    return std::all_of(a.keyBegin(), a.keyEnd(), [&](const QString& name) { return std::fabs(a[name] - b[name]) < 1e-5f; });
}

// Distinct (vertex, UV) pairs of the facets' corners: the vertices glTF needs.
int cornerPairs(const VxFacetMesh& mesh)
{
    QSet<qint64> pairs;
    for (int f = 0; f < mesh.getNumFacets(); ++f) {
        for (int c = 0; c < mesh.getFacetNumVertices(f); ++c)
            pairs.insert(qint64(mesh.getFacetVertex(f, c)) << 32 | quint32(mesh.getFacetUV(f, c)));
    }
    return pairs.size();
}
} // namespace

// assimp gives every primitive the whole vertex list, so every mesh it reads must show
// every vertex, with the single-skin figure's four largest weights scaled to a sum of one.
TEST_F(ExportTest, AssimpReadsBackTheJointsVerticesAndWeights)
{
    for (VxExampleFigure::Kind kind : {VxExampleFigure::SingleSkin, VxExampleFigure::Parametric}) {
        SCOPED_TRACE(kind == VxExampleFigure::SingleSkin ? "single skin" : "parametric");
        VxSkeleton* figure = exampleFigure(kind);
        ASSERT_NE(figure, nullptr);
        auto* skinFigure = qobject_cast<VxFigure*>(figure);
        if (skinFigure)
            paintBlendedWeights(skinFigure);
        const QString path = exportFigure(*figure, QStringLiteral("readback.glb"));
        ASSERT_FALSE(path.isEmpty());
        expectValid(path);
        const VxFacetMesh& mesh = *qobject_cast<VxFacetMesh*>(VxShape::getCurrentShapeForNode(figure)->getGeometry());
        const QMultiHash<QString, int> at = verticesByPosition(mesh);
        QStringList boneNames;
        for (const VxBone* bone : figure->getAllBones())
            boneNames.append(bone->getName());

        const aiScene* scene = aiImportFile(path.toUtf8().constData(), 0);
        ASSERT_NE(scene, nullptr) << aiGetErrorString();
        unsigned faces = 0;
        int mismatches = 0;
        int unnormalised = 0;
        for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
            const aiMesh* part = scene->mMeshes[m];
            faces += part->mNumFaces;
            ASSERT_EQ(int(part->mNumVertices), cornerPairs(mesh));
            QStringList joints;
            std::vector<BoneWeights> read(part->mNumVertices);
            for (unsigned b = 0; b < part->mNumBones; ++b) {
                const aiBone* bone = part->mBones[b];
                joints.append(QString::fromUtf8(bone->mName.C_Str()));
                for (unsigned w = 0; w < bone->mNumWeights; ++w)
                    read[bone->mWeights[w].mVertexId][joints.last()] += bone->mWeights[w].mWeight;
            }
            EXPECT_EQ(joints, boneNames);
            for (unsigned v = 0; v < part->mNumVertices; ++v) {
                const aiVector3D& p = part->mVertices[v];
                const QList<int> sources =
                    at.values(QStringLiteral("%1 %2 %3").arg(double(p.x)).arg(double(p.y)).arg(double(p.z)));
                // A parametric figure's weights come from its joints; the pose tests check
                // what they do. Here they must read back normalised.
                const bool matches = !skinFigure || std::any_of(sources.cbegin(), sources.cend(), [&](int source) {
                    return sameWeights(read[v], expectedSkinWeights(skinFigure, source));
                });
                mismatches += matches ? 0 : 1;
                float sum = 0.0f;
                for (float w : read[v])
                    sum += w;
                unnormalised += std::fabs(sum - 1.0f) < 1e-5f ? 0 : 1;
            }
        }
        EXPECT_EQ(mismatches, 0);
        EXPECT_EQ(unnormalised, 0);
        int triangles = 0;
        for (int f = 0; f < mesh.getNumFacets(); ++f)
            triangles += mesh.getFacetNumVertices(f) - 2;
        EXPECT_EQ(int(faces), triangles);
        aiReleaseImport(scene);
        vxScene->removeNode(figure);
    }
}
