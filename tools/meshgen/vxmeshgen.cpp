#include "vxmeshgen.h"

#include "vxgzipwriter.h"
#include "vxobjwriter.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <array>
#include <charconv>
#include <cmath>

namespace {

enum HumanoidMaterial { Skin = 0, Hair = 1, Shoes = 2 };

struct BodyPart
{
    const char* name;
    float min[3];
    float max[3];
};

// Left-side and centre parts; the right side mirrors the left across x = 0. Neighbouring
// boxes share a face plane, so every joint sits where one box ends and the next begins.
const BodyPart kParts[] = {
    {"hip", {-0.16f, 0.92f, -0.09f}, {0.16f, 1.02f, 0.09f}},
    {"abdomen", {-0.14f, 1.02f, -0.08f}, {0.14f, 1.20f, 0.08f}},
    {"chest", {-0.13f, 1.20f, -0.10f}, {0.13f, 1.42f, 0.10f}},
    {"neck", {-0.05f, 1.42f, -0.05f}, {0.05f, 1.52f, 0.05f}},
    {"head", {-0.09f, 1.52f, -0.10f}, {0.09f, 1.76f, 0.11f}},
    {"lCollar", {0.13f, 1.32f, -0.06f}, {0.23f, 1.42f, 0.06f}},
    {"lShldr", {0.23f, 1.335f, -0.045f}, {0.52f, 1.415f, 0.045f}},
    {"lForeArm", {0.52f, 1.34f, -0.04f}, {0.78f, 1.41f, 0.04f}},
    {"lHand", {0.78f, 1.355f, -0.05f}, {0.96f, 1.395f, 0.05f}},
    {"rCollar", {}, {}},
    {"rShldr", {}, {}},
    {"rForeArm", {}, {}},
    {"rHand", {}, {}},
    {"lThigh", {0.02f, 0.50f, -0.07f}, {0.15f, 0.92f, 0.07f}},
    {"lShin", {0.03f, 0.08f, -0.055f}, {0.14f, 0.50f, 0.055f}},
    {"lFoot", {0.03f, 0.0f, -0.06f}, {0.14f, 0.08f, 0.19f}},
    {"rThigh", {}, {}},
    {"rShin", {}, {}},
    {"rFoot", {}, {}},
};
constexpr int kNumParts = int(sizeof(kParts) / sizeof(kParts[0]));
constexpr float kCellSize = 0.03f;

// The box of a part; right-side parts mirror their left counterpart.
BodyPart partBox(int index)
{
    BodyPart part = kParts[index];
    if (part.name[0] != 'r')
        return part;
    const QByteArray leftName = QByteArray("l") + (part.name + 1);
    for (const BodyPart& left : kParts) {
        if (leftName == left.name) {
            for (int axis = 0; axis < 3; ++axis) {
                part.min[axis] = left.min[axis];
                part.max[axis] = left.max[axis];
            }
            part.min[0] = -left.max[0];
            part.max[0] = -left.min[0];
        }
    }
    return part;
}

// Appends one subdivided box. Vertices on the box's surface lattice are shared between its
// six sides; UVs are not (each side has its own patch), as in a real UV layout with seams.
class BoxBuilder
{
public:
    BoxBuilder(VxFacetMeshData& mesh, const BodyPart& part, int group)
        : m_mesh(mesh), m_part(part), m_group(group)
    {
        for (int axis = 0; axis < 3; ++axis)
            m_steps[axis] = std::max(1, int(std::lround((part.max[axis] - part.min[axis]) / kCellSize)));
        m_vertexIndex.assign(size_t(m_steps[0] + 1) * size_t(m_steps[1] + 1) * size_t(m_steps[2] + 1), -1);
    }

    void build()
    {
        // Side with normal axis n uses in-plane axes a, b with a x b = n, so a quad walked
        // (a, b) -> (a+1, b) -> (a+1, b+1) -> (a, b+1) faces outwards on the max side.
        for (int normalAxis = 0; normalAxis < 3; ++normalAxis) {
            for (int side = 0; side < 2; ++side)
                buildSide(normalAxis, side);
        }
    }

private:
    int material(int normalAxis, int side) const
    {
        const QByteArray name(m_part.name);
        if (name.endsWith("Foot"))
            return Shoes;
        if (name == "head" && normalAxis == 1 && side == 1)
            return Hair;
        return Skin;
    }

    void buildSide(int normalAxis, int side)
    {
        const int a = (normalAxis + 1) % 3;
        const int b = (normalAxis + 2) % 3;
        const int stepsA = m_steps[a];
        const int stepsB = m_steps[b];
        const int sideIndex = normalAxis * 2 + side;
        const int firstUV = m_mesh.numUVs();
        for (int ib = 0; ib <= stepsB; ++ib) {
            for (int ia = 0; ia <= stepsA; ++ia)
                appendUV(sideIndex, float(ia) / float(stepsA), float(ib) / float(stepsB));
        }
        const int facetMaterial = material(normalAxis, side);
        for (int ib = 0; ib < stepsB; ++ib) {
            for (int ia = 0; ia < stepsA; ++ia) {
                const int cornersA[4] = {ia, ia + 1, ia + 1, ia};
                const int cornersB[4] = {ib, ib, ib + 1, ib + 1};
                for (int k = 0; k < 4; ++k) {
                    const int c = side ? k : 3 - k;
                    int lattice[3];
                    lattice[normalAxis] = side ? m_steps[normalAxis] : 0;
                    lattice[a] = cornersA[c];
                    lattice[b] = cornersB[c];
                    m_mesh.cornerVertex.push_back(vertex(lattice));
                    m_mesh.cornerUV.push_back(firstUV + cornersB[c] * (stepsA + 1) + cornersA[c]);
                }
                m_mesh.facetStart.push_back(uint32_t(m_mesh.cornerVertex.size()));
                m_mesh.facetGroup.push_back(m_group);
                m_mesh.facetMaterial.push_back(facetMaterial);
            }
        }
    }

    int vertex(const int lattice[3])
    {
        const size_t key = (size_t(lattice[2]) * size_t(m_steps[1] + 1) + size_t(lattice[1])) * size_t(m_steps[0] + 1)
                           + size_t(lattice[0]);
        int& index = m_vertexIndex[key];
        if (index >= 0)
            return index;
        index = m_mesh.numVertices();
        for (int axis = 0; axis < 3; ++axis)
            m_mesh.positions.push_back(coordinate(axis, lattice[axis]));
        return index;
    }

    // The end points are the box's own numbers, so touching boxes share exact planes.
    float coordinate(int axis, int step) const
    {
        if (step == 0)
            return m_part.min[axis];
        if (step == m_steps[axis])
            return m_part.max[axis];
        const double t = double(step) / double(m_steps[axis]);
        return float(double(m_part.min[axis]) + t * (double(m_part.max[axis]) - double(m_part.min[axis])));
    }

    // Parts sit in a 5 x 4 atlas of tiles; the six sides of a part in a 3 x 2 layout
    // inside its tile, each with a margin so that no two patches touch.
    void appendUV(int sideIndex, float s, float t)
    {
        const float tileW = 1.0f / 5.0f;
        const float tileH = 1.0f / 4.0f;
        const float cellW = tileW / 3.0f;
        const float cellH = tileH / 2.0f;
        const float u0 = float(m_group % 5) * tileW + float(sideIndex % 3) * cellW;
        const float v0 = float(m_group / 5) * tileH + float(sideIndex / 3) * cellH;
        m_mesh.uvs.push_back(u0 + cellW * (0.05f + 0.9f * s));
        m_mesh.uvs.push_back(v0 + cellH * (0.05f + 0.9f * t));
    }

    VxFacetMeshData& m_mesh;
    BodyPart m_part;
    int m_group;
    int m_steps[3];
    std::vector<int> m_vertexIndex;
};

QString formatGroupName(int index)
{
    return QStringLiteral("group_%1").arg(index, 3, 10, QLatin1Char('0'));
}

} // namespace

QStringList VxMeshGen::humanoidGroupNames()
{
    QStringList names;
    for (const BodyPart& part : kParts)
        names.append(QString::fromLatin1(part.name));
    return names;
}

VxFacetMeshData VxMeshGen::humanoid(QStringList* materialNames)
{
    VxFacetMeshData mesh;
    mesh.groupNames = humanoidGroupNames();
    for (int group = 0; group < kNumParts; ++group)
        BoxBuilder(mesh, partBox(group), group).build();
    if (materialNames)
        *materialNames = QStringList{QStringLiteral("skin"), QStringLiteral("hair"), QStringLiteral("shoes")};
    return mesh;
}

VxFacetMeshData VxMeshGen::grid(int triangles, int groups, int materials, QStringList* materialNames, bool withUVs)
{
    const int quads = std::max(1, triangles / 2);
    const int columns = std::max(1, int(std::lround(std::sqrt(double(quads)))));
    const int rows = std::max(1, int(std::lround(double(quads) / double(columns))));
    const long long facets = 2LL * columns * rows;
    groups = int(std::clamp<long long>(groups, 1, facets));
    materials = std::clamp(materials, 1, groups);

    VxFacetMeshData mesh;
    const float size = 10.0f;
    const float step = size / float(std::max(columns, rows));
    mesh.positions.reserve(size_t(columns + 1) * size_t(rows + 1) * 3);
    for (int j = 0; j <= rows; ++j) {
        for (int i = 0; i <= columns; ++i) {
            const float x = float(i) * step;
            const float y = float(j) * step;
            mesh.positions.push_back(x);
            mesh.positions.push_back(y);
            mesh.positions.push_back(0.1f * float(std::sin(double(x)) * std::cos(double(y))));
            if (withUVs) {
                mesh.uvs.push_back(float(i) / float(columns));
                mesh.uvs.push_back(float(j) / float(rows));
            }
        }
    }

    mesh.facetStart.reserve(size_t(facets) + 1);
    mesh.cornerVertex.reserve(size_t(facets) * 3);
    mesh.facetGroup.reserve(size_t(facets));
    mesh.facetMaterial.reserve(size_t(facets));
    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < columns; ++i) {
            const int v00 = j * (columns + 1) + i;
            const int v10 = v00 + 1;
            const int v01 = v00 + columns + 1;
            const int v11 = v01 + 1;
            const int triangleCorners[2][3] = {{v00, v10, v11}, {v00, v11, v01}};
            for (const auto& corners : triangleCorners) {
                const long long facet = mesh.numFacets();
                const int group = int(facet * groups / facets);
                for (int corner : corners)
                    mesh.cornerVertex.push_back(corner);
                mesh.facetStart.push_back(uint32_t(mesh.cornerVertex.size()));
                mesh.facetGroup.push_back(group);
                mesh.facetMaterial.push_back(group % materials);
            }
        }
    }
    if (withUVs)
        mesh.cornerUV = mesh.cornerVertex;
    for (int g = 0; g < groups; ++g)
        mesh.groupNames.append(formatGroupName(g));
    if (materialNames) {
        materialNames->clear();
        for (int m = 0; m < materials; ++m)
            materialNames->append(QStringLiteral("material_%1").arg(m));
    }
    return mesh;
}

bool VxMeshGen::writeObj(const VxFacetMeshData& mesh, const QStringList& materialNames, QIODevice& out,
                         const QString& mtlLibName)
{
    return VxObjWriter(out).write(mesh, materialNames, mtlLibName);
}

void VxMeshGen::materialColor(const QString& name, float rgb[3])
{
    static const struct {
        const char* name;
        std::array<float, 3> rgb;
    } known[] = {
        {"skin", {0.87f, 0.7f, 0.58f}},
        {"hair", {0.25f, 0.16f, 0.1f}},
        {"shoes", {0.15f, 0.15f, 0.18f}},
    };
    for (const auto& entry : known) {
        if (name == QLatin1String(entry.name)) {
            std::copy(entry.rgb.begin(), entry.rgb.end(), rgb);
            return;
        }
    }
    // Other names get a grey that differs from name to name but never from run to run.
    uint sum = 0;
    for (QChar c : name)
        sum = sum * 31u + c.unicode();
    const float grey = 0.4f + float(sum % 41u) / 100.0f;
    rgb[0] = rgb[1] = rgb[2] = grey;
}

bool VxMeshGen::writeMtl(const QStringList& materialNames, QIODevice& out)
{
    QByteArray text;
    for (const QString& name : materialNames) {
        float rgb[3];
        materialColor(name, rgb);
        text += "newmtl " + name.toUtf8() + "\nKd";
        for (float channel : rgb) {
            char number[32];
            const auto result = std::to_chars(number, number + sizeof(number), channel);
            text += ' ';
            text.append(number, int(result.ptr - number));
        }
        text += "\n\n";
    }
    return out.write(text) == text.size();
}

bool VxMeshGen::writeObjFile(const VxFacetMeshData& mesh, const QStringList& materialNames, const QString& path,
                             QString* error)
{
    const QFileInfo info(path);
    QString mtlLibName;
    if (!materialNames.isEmpty()) {
        mtlLibName = info.completeBaseName() + QStringLiteral(".mtl");
        QSaveFile mtl(info.dir().filePath(mtlLibName));
        if (!mtl.open(QIODevice::WriteOnly) || !writeMtl(materialNames, mtl) || !mtl.commit()) {
            if (error)
                *error = QStringLiteral("cannot write %1: %2").arg(mtl.fileName(), mtl.errorString());
            return false;
        }
    }
    QSaveFile obj(path);
    bool written = obj.open(QIODevice::WriteOnly);
    if (written && info.suffix().compare(QLatin1String("obz"), Qt::CaseInsensitive) == 0) {
        VxGzipWriter gzip(obj, 9);
        written = writeObj(mesh, materialNames, gzip, mtlLibName) && gzip.finish();
    } else if (written) {
        written = writeObj(mesh, materialNames, obj, mtlLibName);
    }
    if (!written || !obj.commit()) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(path, obj.errorString());
        return false;
    }
    return true;
}
