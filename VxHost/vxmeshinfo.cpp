#include "vxmeshinfo.h"

#include "vxapp.h"
#include "vxfacegroup.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vximportmgr.h"
#include "vxmaterial.h"

#include <charconv>
#include <cmath>

namespace {

QByteArray jsonString(const QString& text)
{
    QByteArray out("\"");
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                out += QByteArray("\\u00") + QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0');
            else
                out += c;
        }
    }
    return out + '"';
}

QByteArray jsonNumber(float value)
{
    if (!std::isfinite(value))
        return QByteArrayLiteral("null");
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    return QByteArray(buffer, int(result.ptr - buffer));
}

QByteArray jsonPoint(const VxVec3& point)
{
    return '[' + jsonNumber(point.x) + ", " + jsonNumber(point.y) + ", " + jsonNumber(point.z) + ']';
}

} // namespace

bool VxMeshInfo::describeFile(const QString& path, QByteArray* json, QString* error)
{
    if (!vxApp || !vxApp->getImportMgr()) {
        if (error)
            *error = QStringLiteral("%1: the host has no importer").arg(path);
        return false;
    }
    VxShape* shape = nullptr;
    VxImportMgr* importer = vxApp->getImportMgr();
    if (importer->readGeometry(path, &shape) != VxImportMgr::Success || !shape) {
        if (error)
            *error = importer->getLastError();
        return false;
    }
    const VxRefGuard<VxShape> hold(shape);
    const auto* facetShape = qobject_cast<const VxFacetShape*>(shape);
    if (!facetShape || !facetShape->getFacetMesh()) {
        if (error)
            *error = QStringLiteral("%1: the importer returned no facet mesh").arg(path);
        return false;
    }
    if (json)
        *json = toJson(*facetShape);
    return true;
}

QByteArray VxMeshInfo::toJson(const VxFacetShape& shape)
{
    const VxFacetMesh* mesh = shape.getFacetMesh();
    QByteArray out("{\n");
    out += "  \"vertexCount\": " + QByteArray::number(mesh ? mesh->getNumVertices() : 0) + ",\n";
    out += "  \"uvCount\": " + QByteArray::number(mesh ? mesh->getNumUVs() : 0) + ",\n";
    out += "  \"facetCount\": " + QByteArray::number(mesh ? mesh->getNumFacets() : 0) + ",\n";

    out += "  \"groups\": [";
    const int groupCount = mesh ? mesh->getNumFaceGroups() : 0;
    for (int g = 0; g < groupCount; ++g) {
        const VxBox3 box = mesh->getFaceGroupBoundingBox(g);
        const QByteArray boxJson = box.isEmpty()
            ? QByteArrayLiteral("null")
            : "{\"min\": " + jsonPoint(box.getMin()) + ", \"max\": " + jsonPoint(box.getMax()) + '}';
        out += g == 0 ? "\n" : ",\n";
        out += "    {\"name\": " + jsonString(mesh->getFaceGroup(g)->getName())
            + ", \"facetCount\": " + QByteArray::number(mesh->getFaceGroupFacetCount(g))
            + ", \"boundingBox\": " + boxJson + '}';
    }
    out += groupCount > 0 ? "\n  ],\n" : "],\n";

    out += "  \"materials\": [";
    for (int m = 0; m < shape.getNumMaterials(); ++m) {
        const VxMaterial* material = shape.getMaterial(m);
        out += (m == 0 ? "" : ", ") + jsonString(material ? material->getName() : QString());
    }
    out += "]\n}\n";
    return out;
}
