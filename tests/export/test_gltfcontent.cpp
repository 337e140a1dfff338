// What an exported file holds: the names, the skin's layout and the materials.
#include "exporttest.h"

#include "vxbone.h"
#include "vxdefaultmaterial.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxgltfexporter.h"
#include "vxshape.h"

#include <QBuffer>
#include <QImage>
#include <QJsonArray>
#include <QSet>


namespace {
QString key(float x, float y, float z, float u, float v)
{
    return QStringLiteral("%1 %2 %3 / %4 %5").arg(double(x)).arg(double(y)).arg(double(z)).arg(double(u)).arg(double(v));
}
} // namespace

// The file names the figure, the bones and the face groups, and the skin keeps every
// (position, UV) corner of the mesh with the UV turned to glTF's top-left origin.
TEST_F(ExportTest, TheFileKeepsTheNamesAndEveryCornerOfTheSkin)
{
    auto* figure = qobject_cast<VxFigure*>(exampleFigure(VxExampleFigure::SingleSkin));
    ASSERT_NE(figure, nullptr);
    VxExampleFigure::weightByFaceGroups(figure);
    const GlbFile glb = readGlb(exportFigure(*figure, QStringLiteral("content.glb")));
    ASSERT_TRUE(glb.valid);

    // Joints are the bones in order, their rotation orders kept; where they sit the pose
    // tests check, by skinning the file.
    const QJsonArray nodes = glb.json[QStringLiteral("nodes")].toArray();
    const QJsonObject skin = glb.json[QStringLiteral("skins")][0].toObject();
    EXPECT_EQ(nodes[skin[QStringLiteral("skeleton")].toInt()][QStringLiteral("extras")].toObject(),
              QJsonObject({{"figure", "Figure"}, {"label", "Example Figure"}}));
    QStringList bones, joints;
    for (const VxBone* bone : figure->getAllBones())
        bones.append(bone->getName() + QLatin1Char(' ') + bone->getRotationOrder().toString());
    for (const QJsonValue& joint : skin[QStringLiteral("joints")].toArray()) {
        const QJsonObject node = nodes[joint.toInt()].toObject();
        joints.append(node[QStringLiteral("name")].toString() + QLatin1Char(' ')
                      + node[QStringLiteral("extras")][QStringLiteral("rotationOrder")].toString());
    }
    EXPECT_EQ(joints, bones);

    const VxFacetMesh& mesh = *qobject_cast<VxFacetMesh*>(VxShape::getCurrentShapeForNode(figure)->getGeometry());
    QSet<QString> corners;
    for (int f = 0; f < mesh.getNumFacets(); ++f) {
        for (int c = 0; c < mesh.getFacetNumVertices(f); ++c) {
            const VxVec3 p = mesh.getVertex(mesh.getFacetVertex(f, c));
            const float* uv = mesh.getData().uvs.data() + 2 * mesh.getFacetUV(f, c);
            corners.insert(key(p.x, p.y, p.z, uv[0], 1.0f - uv[1]));
        }
    }
    const QJsonArray primitives = glb.json[QStringLiteral("meshes")][0][QStringLiteral("primitives")].toArray();
    const QJsonObject attributes = primitives[0][QStringLiteral("attributes")].toObject();
    const std::vector<float> positions = glbAccessor<float>(glb, attributes[QStringLiteral("POSITION")].toInt());
    const std::vector<float> uvs = glbAccessor<float>(glb, attributes[QStringLiteral("TEXCOORD_0")].toInt());
    QSet<QString> written;
    for (size_t v = 0; v < positions.size() / 3; ++v)
        written.insert(key(positions[3 * v], positions[3 * v + 1], positions[3 * v + 2], uvs[2 * v], uvs[2 * v + 1]));
    EXPECT_EQ(written, corners);
    EXPECT_EQ(int(written.size()), int(positions.size() / 3));

    // One primitive per face group and material, in order of first use.
    QStringList parts, groups;
    for (int f = 0; f < mesh.getNumFacets(); ++f) {
        const QString part = QStringLiteral("%1 %2").arg(mesh.getData().groupNames.value(mesh.getFacetFaceGroup(f)))
                                 .arg(mesh.getFacetMaterial(f));
        if (!parts.contains(part))
            parts.append(part);
    }
    for (const QJsonValue& primitive : primitives) {
        groups.append(QStringLiteral("%1 %2").arg(primitive[QStringLiteral("extras")][QStringLiteral("faceGroup")].toString())
                          .arg(primitive[QStringLiteral("material")].toInt()));
    }
    EXPECT_EQ(groups, parts);
}

// Normals point out of a closed box; diffuse textures are embedded as PNG (other formats
// converted), a texture that cannot be read leaves its material with its colour and a note.
TEST_F(ExportTest, NormalsPointOutwardAndTexturesAreEmbedded)
{
    VxFacetMesh* mesh = vxMakeBoxMesh({{QStringLiteral("hip"), VxVec3(-1, 0, -1), VxVec3(1, 2, 1)}});
    auto* figure = vxMakeFigure<VxFigure>(mesh, QStringLiteral("Box"));
    // Three materials over the box's six facets: a PNG, a BMP and a missing texture.
    VxFacetMeshData data = mesh->getData();
    data.facetMaterial = {0, 0, 1, 1, 2, 2};
    mesh->setData(VxFacetMeshData(data));
    data.uvs = {0, 0, 1, 0, 1, 1, 0, 1};
    for (size_t c = 0; c < data.cornerVertex.size(); ++c)
        data.cornerUV.push_back(int32_t(c % 4));
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(tempPath(QStringLiteral("red.png"))) && image.save(tempPath(QStringLiteral("red.bmp"))));
    VxShape* shape = VxShape::getCurrentShapeForNode(figure);
    for (const char* texture : {"red.png", "red.bmp", "missing.png"}) {
        auto* material = new VxDefaultMaterial();
        material->setName(QLatin1String(texture));
        material->setDiffuseColor(QColor(0, 128, 255));
        material->setDiffuseTexture(tempPath(QLatin1String(texture)));
        shape->addMaterial(material);
    }
    bindToFaceGroups(figure);
    VxGltfExporter exporter;
    QByteArray bytes;
    ASSERT_TRUE(exporter.build(*figure, &bytes)) << qPrintable(exporter.error());
    EXPECT_EQ(exporter.warnings().last(), QStringLiteral("The skin has no UVs to place textures with; the textures of "
                                                         "\"red.png\", \"red.bmp\", \"missing.png\" are left out."));
    mesh->setData(std::move(data));
    ASSERT_TRUE(exporter.build(*figure, &bytes)) << qPrintable(exporter.error());
    EXPECT_EQ(exporter.warnings(), QStringList(QStringLiteral("The texture %1 of material \"missing.png\" could not be "
                                                              "read (no such file); the material keeps its colour.")
                                                   .arg(tempPath(QStringLiteral("missing.png")))));
    const QString path = writeFile(QStringLiteral("box.glb"), bytes);
    const GlbFile glb = readGlb(path);
    ASSERT_TRUE(glb.valid);

    const QJsonObject attributes = glbAttributes(glb);
    const std::vector<float> positions = glbAccessor<float>(glb, attributes[QStringLiteral("POSITION")].toInt());
    const std::vector<float> normals = glbAccessor<float>(glb, attributes[QStringLiteral("NORMAL")].toInt());
    ASSERT_EQ(positions.size(), normals.size());
    for (size_t v = 0; v < positions.size() / 3; ++v) {
        const VxVec3 p(positions[3 * v], positions[3 * v + 1] - 1.0f, positions[3 * v + 2]);
        const VxVec3 n(normals[3 * v], normals[3 * v + 1], normals[3 * v + 2]);
        EXPECT_NEAR(n.length(), 1.0f, 1e-6f);
        EXPECT_NEAR(n.dot(p), p.length(), 1e-5f) << "vertex " << v << ": corner normals point away from the centre";
    }

    const QJsonArray materials = glb.json[QStringLiteral("materials")].toArray();
    ASSERT_EQ(materials.size(), 3);
    const QJsonArray images = glb.json[QStringLiteral("images")].toArray();
    ASSERT_EQ(images.size(), 2);
    for (int m = 0; m < 2; ++m) {
        const QJsonObject pbr = materials[m][QStringLiteral("pbrMetallicRoughness")].toObject();
        const int texture = pbr[QStringLiteral("baseColorTexture")][QStringLiteral("index")].toInt(-1);
        const QJsonObject imageJson = images[glb.json[QStringLiteral("textures")][texture][QStringLiteral("source")].toInt()].toObject();
        EXPECT_EQ(imageJson[QStringLiteral("mimeType")].toString(), QStringLiteral("image/png"));
        const QJsonObject view = glb.json[QStringLiteral("bufferViews")][imageJson[QStringLiteral("bufferView")].toInt()].toObject();
        const QImage embedded = QImage::fromData(glb.binary.mid(view[QStringLiteral("byteOffset")].toInt(),
                                                                view[QStringLiteral("byteLength")].toInt()), "PNG");
        EXPECT_EQ(embedded.size(), QSize(4, 2));
        EXPECT_EQ(embedded.pixelColor(3, 1), QColor(Qt::red));
        EXPECT_EQ(pbr[QStringLiteral("baseColorFactor")].toArray(), QJsonArray({1.0, 1.0, 1.0, 1.0}));
    }
    const QJsonObject plain = materials[2][QStringLiteral("pbrMetallicRoughness")].toObject();
    EXPECT_FALSE(plain.contains(QStringLiteral("baseColorTexture")));
    EXPECT_EQ(plain[QStringLiteral("baseColorFactor")].toArray(), QJsonArray({0.0, 128 / 255.0, 1.0, 1.0}));

    expectValid(path);
}
