#include "vxgltfexporter.h"

#include "vxgltfbuffer.h"
#include "vxgltfmaterialbuilder.h"
#include "vxgltfmeshbuilder.h"
#include "vxgltfskeletonbuilder.h"
#include "vxgltfskinweights.h"
#include "vxgltfweightreader.h"
#include "vxglbwriter.h"

#include "vxbone.h"
#include "vxfacetmesh.h"
#include "vxfacegroup.h"
#include "vxscene.h"
#include "vxshape.h"
#include "vxskeleton.h"
#include "vxversion.h"

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace {
// glTF joint indices are stored as unsigned shorts.
constexpr int kMaxJoints = 65535;

QString tooLarge(const VxSkeleton& figure)
{
    return QStringLiteral("The figure \"%1\" is too large for one binary glTF file: its data would pass %2 MB.")
        .arg(figure.getName())
        .arg(VxGltfBuffer::kMaxSize / (1024 * 1024));
}

bool finitePositions(const VxFacetMesh& mesh)
{
    const float* p = mesh.getVertexData();
    return std::all_of(p, p + size_t(mesh.getNumVertices()) * 3, [](float v) { return std::isfinite(v); });
}

// The index accessor of one primitive, in the smallest type that holds every index (the
// largest unsigned short is reserved for primitive restart).
int addIndices(VxGltfBuffer& buffer, const std::vector<uint32_t>& indices, int vertexCount)
{
    if (vertexCount > 65535)
        return buffer.addUnsignedInts(indices, 1, VxGltfBuffer::IndexData);
    return buffer.addUnsignedShorts(std::vector<uint16_t>(indices.cbegin(), indices.cend()), 1, VxGltfBuffer::IndexData);
}
} // namespace

VxSkeleton* VxGltfExporter::findFigure(const VxScene* scene, QString* error)
{
    const auto fail = [error](const QString& message) -> VxSkeleton* {
        if (error)
            *error = message;
        return nullptr;
    };
    if (!scene)
        return fail(QStringLiteral("There is no scene to export a figure from."));
    if (VxNode* selected = scene->getPrimarySelection()) {
        if (VxSkeleton* figure = selected->getSkeleton())
            return figure;
    }
    QList<VxSkeleton*> figures;
    for (VxNode* node : scene->getNodes()) {
        if (auto* figure = qobject_cast<VxSkeleton*>(node))
            figures.append(figure);
    }
    if (figures.size() == 1)
        return figures.first();
    if (figures.isEmpty())
        return fail(QStringLiteral("The scene holds no figure to export."));
    return fail(QStringLiteral("The scene holds %1 figures: select the one to export (the figure or one of its "
                               "bones).")
                    .arg(figures.size()));
}

bool VxGltfExporter::exportFigure(const VxSkeleton& figure, const QString& path)
{
    QByteArray glb;
    if (!build(figure, &glb))
        return false;
    QString error;
    if (!VxGlbWriter::save(path, glb, &error))
        return fail(error);
    return true;
}

bool VxGltfExporter::build(const VxSkeleton& figure, QByteArray* glb)
{
    m_error.clear();
    m_warnings.clear();
    const VxShape* shape = VxShape::getCurrentShapeForNode(&figure);
    const auto* mesh = shape ? qobject_cast<const VxFacetMesh*>(shape->getGeometry()) : nullptr;
    if (!mesh || mesh->getNumFacets() == 0)
        return fail(QStringLiteral("The figure \"%1\" has no skin to export: it has no mesh with facets.").arg(figure.getName()));
    const QList<VxBone*> bones = figure.getAllBones();
    if (bones.isEmpty())
        return fail(QStringLiteral("The figure \"%1\" has no bones: a glTF skin needs at least one joint.").arg(figure.getName()));
    if (bones.size() > kMaxJoints)
        return fail(QStringLiteral("The figure \"%1\" has %2 bones; a glTF skin holds at most %3 joints.")
                        .arg(figure.getName())
                        .arg(bones.size())
                        .arg(kMaxJoints));
    if (!finitePositions(*mesh))
        return fail(QStringLiteral("The skin of figure \"%1\" has vertex positions that are not numbers.").arg(figure.getName()));

    VxGltfSkinWeights weights(mesh->getNumVertices());
    VxGltfWeightReader reader(figure, *mesh, bones);
    if (!reader.read(weights))
        return fail(reader.error());
    m_warnings.append(reader.warnings());

    const VxGltfMeshBuilder layout(*mesh);
    VxGltfBuffer buffer;
    QJsonObject attributes{
        {QStringLiteral("POSITION"), buffer.addFloats(layout.positions(), 3, VxGltfBuffer::VertexData, true)},
        {QStringLiteral("NORMAL"), buffer.addFloats(layout.normals(), 3, VxGltfBuffer::VertexData)}};
    if (layout.hasUVs())
        attributes.insert(QStringLiteral("TEXCOORD_0"), buffer.addFloats(layout.uvs(), 2, VxGltfBuffer::VertexData));
    attributes.insert(QStringLiteral("JOINTS_0"),
                      buffer.addUnsignedShorts(weights.jointsOf(layout.sourceVertices()), 4, VxGltfBuffer::VertexData));
    attributes.insert(QStringLiteral("WEIGHTS_0"),
                      buffer.addFloats(weights.weightsOf(layout.sourceVertices()), 4, VxGltfBuffer::VertexData));
    for (const QJsonValue& accessor : attributes) {
        if (accessor.toInt() < 0)
            return fail(tooLarge(figure));
    }

    const int materialCount = shape->getNumMaterials();
    QJsonArray primitives;
    for (const VxGltfMeshBuilder::Primitive& part : layout.primitives()) {
        const int indices = addIndices(buffer, part.indices, layout.vertexCount());
        if (indices < 0)
            return fail(tooLarge(figure));
        QJsonObject primitive{{QStringLiteral("attributes"), attributes}, {QStringLiteral("indices"), indices}};
        if (part.material >= 0 && part.material < materialCount)
            primitive.insert(QStringLiteral("material"), part.material);
        if (const VxFaceGroup* group = mesh->getFaceGroup(part.faceGroup))
            primitive.insert(QStringLiteral("extras"), QJsonObject{{QStringLiteral("faceGroup"), group->getName()}});
        primitives.append(primitive);
    }

    QJsonArray nodes;
    const VxGltfSkeletonBuilder skeleton(figure, bones);
    m_warnings.append(skeleton.poseNotes());
    const QJsonObject skin = skeleton.build(nodes, buffer);
    if (skin.value(QStringLiteral("inverseBindMatrices")).toInt() < 0)
        return fail(tooLarge(figure));
    const int figureNode = 0;
    const QString meshName = shape->getName().isEmpty() ? figure.getName() : shape->getName();
    nodes.append(QJsonObject{{QStringLiteral("name"), meshName}, {QStringLiteral("mesh"), 0}, {QStringLiteral("skin"), 0}});
    const int meshNode = nodes.size() - 1;

    VxGltfMaterialBuilder materials(buffer);
    if (!materials.build(*shape, layout.hasUVs()))
        return fail(tooLarge(figure));
    m_warnings.append(materials.warnings());

    QJsonObject json{
        {QStringLiteral("asset"),
         QJsonObject{{QStringLiteral("version"), QStringLiteral("2.0")},
                     {QStringLiteral("generator"), QStringLiteral("VxSDK %1 glTF exporter").arg(VxVersion::sdkVersion().toString())}}},
        {QStringLiteral("scene"), 0},
        {QStringLiteral("scenes"),
         QJsonArray{QJsonObject{{QStringLiteral("name"), figure.getName()},
                                {QStringLiteral("nodes"), QJsonArray{figureNode, meshNode}}}}},
        {QStringLiteral("nodes"), nodes},
        {QStringLiteral("meshes"),
         QJsonArray{QJsonObject{{QStringLiteral("name"), meshName},
                                {QStringLiteral("primitives"), primitives},
                                {QStringLiteral("extras"), QJsonObject{{QStringLiteral("figure"), figure.getName()},
                                                                       {QStringLiteral("label"), figure.getLabel()}}}}}},
        {QStringLiteral("skins"), QJsonArray{skin}},
        {QStringLiteral("accessors"), buffer.accessors()},
        {QStringLiteral("bufferViews"), buffer.bufferViews()},
        {QStringLiteral("buffers"), QJsonArray{QJsonObject{{QStringLiteral("byteLength"), buffer.data().size()}}}},
    };
    // glTF forbids empty arrays: a shape without materials or textures has no such key.
    const std::pair<const char*, const QJsonArray*> optional[] = {{"materials", &materials.materials()},
                                                                  {"textures", &materials.textures()},
                                                                  {"images", &materials.images()},
                                                                  {"samplers", &materials.samplers()}};
    for (const auto& [key, array] : optional) {
        if (!array->isEmpty())
            json.insert(QLatin1String(key), *array);
    }
    *glb = VxGlbWriter::pack(json, buffer.data());
    return true;
}

bool VxGltfExporter::fail(const QString& message)
{
    m_error = message;
    return false;
}
