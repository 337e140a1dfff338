// Weights from Face Groups, speed and quality.
//
// Speed: a 500,000-vertex skin (a 1000 x 500 grid in 150 bands, one face group each) with a
// chain of 150 bones of four maps each, weighted whole (gather, edge graph, seams, distances,
// weights, writing every map); median of 5 rounds. Target: a few seconds.
//
// Quality: the example figure (examples/figure.vxt, built by the single-skin builder) with
// both elbows and both knees bent 90 degrees about their bend axes, posed by linear blend
// skinning, once with rigid weights (each face group fully its bone's: the floor) and once
// with the automatic weights. For each: facets turned inside out (a facet whose posed normal
// points against its rest normal carried by its main bone's rotation), the change of the
// enclosed volume (whole figure, and the bent limbs alone), and how far the skin opens where
// the pieces of the box-built figure touch at the bent joints (the distance between a point
// of one piece and the point of the other it lay on at rest).
//
// When Blender is installed (`blender` on the PATH), Blender's own automatic weights (bone
// heat, "With Automatic Weights") for the same skin and bones are measured too, as the mark
// to beat (bench/blender_auto_weights.py computes them in a headless Blender).
//
// Posing is the host's own: the bend channels are set (VxPoseChannels) and the figure's
// evaluated skin read back (VxObject::getCachedGeom, per-axis linear blend skinning).
#include "vxbenchsupport.h"

#include "vxfshierarchy.h"

#include "vxmeshgen.h"

#include "vxapp.h"
#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxcontentmgr.h"
#include "vxfacegroupweighting.h"
#include "vxfacegroupweightsolver.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxgraftingfigureshape.h"
#include "vxobject.h"
#include "vxposechannels.h"
#include "vxrefcounted.h"
#include "vxscene.h"
#include "vxselectionmap.h"
#include "vxshape.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMatrix4x4>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <array>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {
constexpr int kColumns = 1000;
constexpr int kRows = 500;
constexpr int kBones = 150;
constexpr int kRounds = 5;

// A chain of kBones bones up a sheet, bone i owning band i, each with three local maps and a
// scale map.
VxFigure* chainFigure(VxFacetMesh* mesh)
{
    VxFigure* figure = vxBenchSkinFigure(mesh, QStringLiteral("Grid"));
    VxNode* parent = figure;
    for (const QString& name : vxBenchBoneNames(kBones)) {
        parent = vxBenchAddBoundBone(figure, parent, name, true)->getBone();
        figure->getSelectionMap()->addPair(name, parent, true);
    }
    return figure;
}

void benchSpeed()
{
    VxFacetMesh* mesh = vxBenchSheet(kColumns, kRows, vxBenchBoneNames(kBones));
    VxFigure* figure = chainFigure(mesh);
    std::printf("speed: %d vertices, %d facets, %d bones x 4 maps\n", mesh->getNumVertices(), mesh->getNumFacets(),
                kBones);
    QString summary;
    const double cpuStart = double(std::clock());
    const double ms = vxBenchMedianMs(kRounds, [&] {
        VxFaceGroupWeighting weighting(figure);
        QString reason;
        if (!weighting.apply(true, &reason))
            std::printf("refused: %s\n", qPrintable(reason));
        summary = weighting.summary();
    });
    const double cpuMs = (double(std::clock()) - cpuStart) * 1000.0 / CLOCKS_PER_SEC / kRounds;
    std::printf("  %s\n", qPrintable(summary));
    std::vector<VxFaceGroupWeightSolver::Bone> bones(kBones);
    for (int b = 0; b < kBones; ++b)
        bones[size_t(b)] = {b - 1, {b}};
    const double solveCpuStart = double(std::clock());
    const double solveMs = vxBenchMedianMs(kRounds, [&] {
        VxFaceGroupWeightSolver solver(mesh->getData(), bones);
        solver.solve();
    });
    const double solveCpuMs = (double(std::clock()) - solveCpuStart) * 1000.0 / CLOCKS_PER_SEC / kRounds;
    std::printf("  solving alone (edge graph, seams, distances, weights): median of %d: %.0f ms, mean processor "
                "time %.0f ms\n",
                kRounds, solveMs, solveCpuMs);
    std::printf("  Weights from Face Groups: median of %d: %.0f ms, mean processor time %.0f ms (target: a few seconds)\n\n",
                kRounds, ms, cpuMs);
    vxScene->removeNode(figure);
}

const VxFacetMeshData& skinOf(const VxFigure* figure)
{
    return qobject_cast<VxFacetMesh*>(VxShape::getCurrentShapeForNode(figure)->getGeometry())->getData();
}

// Every map of every bone: the full weight on the vertices of the bone's face groups, a
// vertex on the line between two groups going with its first facet's.
void rigidWeights(VxFigure* figure)
{
    const VxFacetMeshData& mesh = skinOf(figure);
    std::vector<int> group(size_t(mesh.numVertices()), -1);
    for (int f = 0; f < mesh.numFacets(); ++f)
        for (uint32_t c = mesh.facetStart[size_t(f)]; c < mesh.facetStart[size_t(f) + 1]; ++c)
            if (group[size_t(mesh.cornerVertex[c])] < 0)
                group[size_t(mesh.cornerVertex[c])] = mesh.facetGroup[size_t(f)];
    const VxSkinBinding* skin = figure->getSkinBinding();
    for (int b = 0; b < skin->getNumBoneBindings(); ++b) {
        const VxBoneBinding* binding = skin->getBoneBinding(b);
        const QStringList groups = figure->getSelectionMap()->getGroupsOfNode(binding->getBone());
        for (VxWeightMap* map : {binding->getLocalWeights(0), binding->getLocalWeights(1), binding->getLocalWeights(2),
                                 binding->getScaleWeights()}) {
            if (!map)
                continue;
            map->fill(0);
            for (int v = 0; v < mesh.numVertices(); ++v)
                if (group[size_t(v)] >= 0 && groups.contains(mesh.groupNames[group[size_t(v)]]))
                    map->setWeight(v, VxWeightMap::kMaxWeight);
        }
    }
}

// Blender's automatic weights for the figure's skin and bones, written into every map;
// false with the reason when Blender is not there or did not give them.
bool blenderWeights(VxFigure* figure, const QString& skinPath, QString* reason)
{
    const QString blender = QStandardPaths::findExecutable(QStringLiteral("blender"));
    if (blender.isEmpty()) {
        *reason = QStringLiteral("Blender is not installed");
        return false;
    }
    QTemporaryDir folder;
    QJsonArray bones;
    const VxSkinBinding* skin = figure->getSkinBinding();
    auto point = [](const VxVec3& p) { return QJsonArray{p.x, p.y, p.z}; };
    for (int b = 0; b < skin->getNumBoneBindings(); ++b) {
        const VxNode* bone = skin->getBoneBinding(b)->getBone();
        const VxNode* parent = bone->getNodeParent();
        bones.append(QJsonObject{{"name", bone->getName()},
                                 {"parent", qobject_cast<const VxBone*>(parent) ? parent->getName() : QString()},
                                 {"head", point(bone->getOrigin(true))},
                                 {"tail", point(bone->getEndPoint(true))}});
    }
    QFile rig(folder.filePath(QStringLiteral("rig.json")));
    if (!rig.open(QIODevice::WriteOnly) || rig.write(QJsonDocument(QJsonObject{{"bones", bones}}).toJson()) < 0) {
        *reason = QStringLiteral("cannot write the rig for Blender");
        return false;
    }
    rig.close();
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(blender, {"-b", "--factory-startup", "--python-exit-code", "1", "--python", QStringLiteral(VX_SOURCE_DIR "/bench/blender_auto_weights.py"),
                            "--", skinPath,
                            rig.fileName(), folder.filePath(QStringLiteral("weights.json"))});
    if (!process.waitForFinished(300000) || process.exitCode() != 0) {
        *reason = QStringLiteral("Blender failed: ") + QString::fromLocal8Bit(process.readAll().right(600));
        return false;
    }
    for (const QByteArray& line : process.readAll().split('\n')) {
        if (line.contains("Heat") || line.contains("failed"))
            std::printf("  Blender says: %s\n", line.constData());
    }
    QFile file(folder.filePath(QStringLiteral("weights.json")));
    const QJsonObject out = file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
    const QJsonArray positions = out.value("positions").toArray(), weights = out.value("weights").toArray();
    if (positions.isEmpty() || positions.size() != weights.size()) {
        *reason = QStringLiteral("Blender gave no weights");
        return false;
    }
    const VxFacetMeshData& mesh = skinOf(figure);
    // Blender's vertices by position (the importer may order them its own way).
    QHash<QString, int> byPosition;
    auto keyOf = [](double x, double y, double z) { return QString::asprintf("%.5f %.5f %.5f", x, y, z); };
    for (int i = 0; i < positions.size(); ++i) {
        const QJsonArray p = positions[i].toArray();
        byPosition.insert(keyOf(p[0].toDouble(), p[1].toDouble(), p[2].toDouble()), i);
    }
    QHash<QString, VxBoneBinding*> bindings;
    for (int b = 0; b < skin->getNumBoneBindings(); ++b) {
        VxBoneBinding* binding = skin->getBoneBinding(b);
        bindings.insert(binding->getBone()->getName(), binding);
        for (int c = 0; c < 3; ++c)
            if (binding->getLocalWeights(c))
                binding->getLocalWeights(c)->fill(0);
        if (binding->getScaleWeights())
            binding->getScaleWeights()->fill(0);
    }
    int missing = 0;
    for (int v = 0; v < mesh.numVertices(); ++v) {
        const int i = byPosition.value(keyOf(mesh.positions[3 * size_t(v)], mesh.positions[3 * size_t(v) + 1],
                                             mesh.positions[3 * size_t(v) + 2]), -1);
        if (i < 0) {
            ++missing;
            continue;
        }
        // Blender's armature deform normalises each vertex's weights; so do these maps.
        double total = 0.0;
        for (const QJsonValue& pair : weights[i].toArray())
            total += pair.toArray()[1].toDouble();
        for (const QJsonValue& pair : weights[i].toArray()) {
            VxBoneBinding* binding = bindings.value(pair.toArray()[0].toString());
            const uint16_t w = uint16_t(std::lround(VxWeightMap::kMaxWeight * pair.toArray()[1].toDouble() / total));
            for (int c = 0; binding && c < 4; ++c)
                if (VxWeightMap* map = c < 3 ? binding->getLocalWeights(c) : binding->getScaleWeights())
                    map->setWeight(v, w);
        }
    }
    if (missing > 0)
        std::printf("  %d vertices not found among Blender's\n", missing);
    return true;
}

// The skin posed by the host with the given bends, and what the measures need besides: each
// bone's figure-space transform (each turned about its origin after its parent's) to carry
// rest normals with, and its weights (local X map) to find a facet's main bone.
struct Posed
{
    std::vector<QVector3D> positions;
    std::vector<QMatrix4x4> boneMatrix;        // per bone binding
    std::vector<std::vector<float>> weights;   // per bone binding, per vertex, 0 .. 1
};

Posed pose(VxFigure* figure, const QHash<QString, float>& bendDegrees)
{
    QHash<const VxNode*, QMatrix4x4> world;
    world.insert(figure, QMatrix4x4());
    for (VxNode* node : figure->getNodeChildren(true)) {
        QMatrix4x4 m = world.value(node->getNodeParent());
        const float degrees = bendDegrees.value(node->getName(), 0.0f);
        if (degrees != 0.0f) {
            VxPoseChannels::setChannel(node, 2, degrees);
            const int axis = node->getRotationOrder().getAxisOrder()[2];
            const VxVec3 o = node->getOrigin(true);
            m.translate(o.x, o.y, o.z);
            m.rotate(degrees, axis == 0 ? 1.0f : 0.0f, axis == 1 ? 1.0f : 0.0f, axis == 2 ? 1.0f : 0.0f);
            m.translate(-o.x, -o.y, -o.z);
        }
        world.insert(node, m);
    }
    Posed posed;
    figure->getObject()->invalidateCachedGeom(); // the weights were written without signals
    const auto* evaluated = qobject_cast<const VxFacetMesh*>(figure->getObject()->getCachedGeom());
    const int n = evaluated ? evaluated->getNumVertices() : 0;
    for (int v = 0; v < n; ++v) {
        const VxVec3 p = evaluated->getVertex(v);
        posed.positions.emplace_back(p.x, p.y, p.z);
    }
    VxPoseChannels::resetPose(figure);
    const VxSkinBinding* skin = figure->getSkinBinding();
    for (int b = 0; b < skin->getNumBoneBindings(); ++b) {
        posed.boneMatrix.push_back(world.value(skin->getBoneBinding(b)->getBone()));
        const VxWeightMap* map = skin->getBoneBinding(b)->getLocalWeights(0);
        std::vector<float> w(size_t(n), 0.0f);
        for (int v = 0; map && v < n; ++v)
            w[size_t(v)] = map->getWeight(v) / float(VxWeightMap::kMaxWeight);
        posed.weights.push_back(std::move(w));
    }
    return posed;
}

std::vector<QVector3D> restPositions(const VxFacetMeshData& mesh)
{
    std::vector<QVector3D> rest;
    for (int v = 0; v < mesh.numVertices(); ++v)
        rest.emplace_back(mesh.positions[3 * size_t(v)], mesh.positions[3 * size_t(v) + 1], mesh.positions[3 * size_t(v) + 2]);
    return rest;
}

// Triangles of the facets (fans) whose group is in `groups`, or of all facets when empty.
std::vector<std::array<int, 3>> triangles(const VxFacetMeshData& mesh, const QStringList& groups = {})
{
    std::vector<std::array<int, 3>> out;
    for (int f = 0; f < mesh.numFacets(); ++f) {
        const int g = mesh.facetGroup[size_t(f)];
        if (!groups.isEmpty() && (g < 0 || !groups.contains(mesh.groupNames[g])))
            continue;
        const uint32_t begin = mesh.facetStart[size_t(f)];
        for (uint32_t c = begin + 1; c + 1 < mesh.facetStart[size_t(f) + 1]; ++c)
            out.push_back({mesh.cornerVertex[begin], mesh.cornerVertex[c], mesh.cornerVertex[c + 1]});
    }
    return out;
}

double volume(const std::vector<QVector3D>& p, const std::vector<std::array<int, 3>>& tris)
{
    double sum = 0.0;
    for (const auto& t : tris)
        sum += QVector3D::dotProduct(p[size_t(t[0])], QVector3D::crossProduct(p[size_t(t[1])], p[size_t(t[2])]));
    return sum / 6.0;
}

int invertedFacets(const Posed& posed, const std::vector<QVector3D>& rest, const std::vector<std::array<int, 3>>& tris)
{
    int inverted = 0;
    for (const auto& t : tris) {
        size_t main = 0;
        float best = -1.0f;
        for (size_t b = 0; b < posed.weights.size(); ++b) {
            const float w = posed.weights[b][size_t(t[0])] + posed.weights[b][size_t(t[1])] + posed.weights[b][size_t(t[2])];
            if (w > best) {
                best = w;
                main = b;
            }
        }
        const QVector3D restNormal = QVector3D::crossProduct(rest[size_t(t[1])] - rest[size_t(t[0])], rest[size_t(t[2])] - rest[size_t(t[0])]);
        if (restNormal.lengthSquared() == 0.0f)
            continue;
        const QVector3D carried = posed.boneMatrix[main].mapVector(restNormal);
        const auto& p = posed.positions;
        const QVector3D now = QVector3D::crossProduct(p[size_t(t[1])] - p[size_t(t[0])], p[size_t(t[2])] - p[size_t(t[0])]);
        inverted += QVector3D::dotProduct(now, carried) <= 0.0f;
    }
    return inverted;
}

// A vertex of one piece lying on a triangle of the piece it touches, where on it.
struct Contact
{
    int vertex;
    std::array<int, 3> triangle;
    float u, v, w;
};

// Vertices of `from` on the triangles of `onto` at rest (within 0.1 mm).
void findContacts(const VxFacetMeshData& mesh, const std::vector<QVector3D>& rest, const QString& from,
                  const QString& onto, std::vector<Contact>& out)
{
    const std::vector<std::array<int, 3>> target = triangles(mesh, {onto});
    std::vector<char> seen(size_t(mesh.numVertices()), 0);
    for (const auto& t : triangles(mesh, {from}))
        for (int vertex : t) {
            if (seen[size_t(vertex)]++)
                continue;
            const QVector3D p = rest[size_t(vertex)];
            for (const auto& s : target) {
                const QVector3D a = rest[size_t(s[0])], e1 = rest[size_t(s[1])] - a, e2 = rest[size_t(s[2])] - a;
                const QVector3D n = QVector3D::crossProduct(e1, e2);
                if (n.lengthSquared() == 0.0f || std::fabs(QVector3D::dotProduct(p - a, n.normalized())) > 1e-4f)
                    continue;
                const float d11 = QVector3D::dotProduct(e1, e1), d12 = QVector3D::dotProduct(e1, e2);
                const float d22 = QVector3D::dotProduct(e2, e2), d1 = QVector3D::dotProduct(p - a, e1);
                const float d2 = QVector3D::dotProduct(p - a, e2), det = d11 * d22 - d12 * d12;
                const float v = (d22 * d1 - d12 * d2) / det, w = (d11 * d2 - d12 * d1) / det;
                if (v >= -1e-4f && w >= -1e-4f && v + w <= 1.0f + 1e-4f) {
                    out.push_back({vertex, s, 1.0f - v - w, v, w});
                    break;
                }
            }
        }
}

struct Opening
{
    double max = 0.0;
    double mean = 0.0;
};

Opening opening(const std::vector<Contact>& contacts, const std::vector<QVector3D>& p)
{
    Opening o;
    for (const Contact& c : contacts) {
        const QVector3D on = c.u * p[size_t(c.triangle[0])] + c.v * p[size_t(c.triangle[1])] + c.w * p[size_t(c.triangle[2])];
        const double d = double((p[size_t(c.vertex)] - on).length());
        o.max = std::max(o.max, d);
        o.mean += d;
    }
    o.mean /= std::max<size_t>(1, contacts.size());
    return o;
}

// Poses the figure with each kind of weights and prints one row for each. `limbs`: the
// face groups of the bent limbs; `contacts`: where its pieces touch (empty for a welded skin).
void compareWeights(VxFigure* figure, const QString& skinPath, const QHash<QString, float>& bend,
                    const QStringList& limbs, const std::vector<Contact>& contacts)
{
    const VxFacetMeshData& mesh = skinOf(figure);
    const std::vector<QVector3D> rest = restPositions(mesh);
    const auto all = triangles(mesh), limbTriangles = triangles(mesh, limbs);
    std::printf("  %-30s %9s %15s %15s %24s\n", "weights", "inverted", "volume change", "limbs' volume",
                "skin opening max / mean");
    enum Weights { Rigid, Blender, Ours };
    const char* names[] = {"rigid per face group (floor)", "Blender automatic weights", "Weights from Face Groups"};
    for (const Weights weights : {Rigid, Blender, Ours}) {
        QString reason;
        if (weights == Rigid)
            rigidWeights(figure);
        if (weights == Blender && !blenderWeights(figure, skinPath, &reason)) {
            std::printf("  %-30s %s\n", names[weights], qPrintable(reason));
            continue;
        }
        if (weights == Ours && !VxFaceGroupWeighting(figure).apply(true, &reason))
            std::printf("refused: %s\n", qPrintable(reason));
        const Posed posed = pose(figure, bend);
        const double whole = 100.0 * (volume(posed.positions, all) / volume(rest, all) - 1.0);
        const double limb = 100.0 * (volume(posed.positions, limbTriangles) / volume(rest, limbTriangles) - 1.0);
        std::printf("  %-30s %9d %+14.2f%% %+14.2f%%", names[weights], invertedFacets(posed, rest, all), whole, limb);
        if (contacts.empty()) {
            std::printf(" %24s\n", "(welded)");
            continue;
        }
        const Opening gap = opening(contacts, posed.positions);
        std::printf(" %13.1f / %.1f mm\n", 1000.0 * gap.max, 1000.0 * gap.mean);
    }
}

void benchExampleFigure()
{
    vxApp->getContentMgr()->addPoserDirectory(QStringLiteral(VX_SOURCE_DIR "/examples"));
    VxFSHierarchy document;
    document.loadPreset(QStringLiteral(VX_SOURCE_DIR "/examples/figure.vxt"));
    document.createFigure(false);
    auto* figure = qobject_cast<VxFigure*>(vxScene->findNode(document.getName()));
    if (!figure || !VxShape::getCurrentShapeForNode(figure)) {
        std::printf("quality: the example figure could not be built\n");
        return;
    }
    const VxFacetMeshData& mesh = skinOf(figure);
    const std::vector<QVector3D> rest = restPositions(mesh);
    const QStringList limbs{"lShldr", "lForeArm", "rShldr", "rForeArm", "lThigh", "lShin", "rThigh", "rShin"};
    std::vector<Contact> contacts;
    for (int j = 0; j < limbs.size(); j += 2) {
        findContacts(mesh, rest, limbs[j + 1], limbs[j], contacts);
        findContacts(mesh, rest, limbs[j], limbs[j + 1], contacts);
    }
    std::printf("quality: example figure (%d vertices, box-built), elbows and knees bent 90 degrees, "
                "%d contact points at those joints\n",
                mesh.numVertices(), int(contacts.size()));
    compareWeights(figure, QStringLiteral(VX_SOURCE_DIR "/examples/Runtime/Geometries/Figure/figure.obj"),
                   {{"lForeArm", 90.0f}, {"rForeArm", 90.0f}, {"lShin", 90.0f}, {"rShin", 90.0f}}, limbs, contacts);
    vxScene->removeNode(figure);
}

// A welded arm: a closed tube 60 cm long, 4 cm in radius (32 sides, rings 1 cm apart, a fan
// at each end), "upper" up to x = 30 cm and "lower" after, bones along its axis.
VxFacetMeshData weldedArm()
{
    constexpr int kSides = 32, kRings = 61;
    VxFacetMeshData mesh;
    mesh.groupNames = QStringList{"upper", "lower"};
    for (int r = 0; r < kRings; ++r)
        for (int k = 0; k < kSides; ++k) {
            const double a = 2.0 * M_PI * k / kSides;
            mesh.positions.insert(mesh.positions.end(), {0.01f * r, float(0.04 * std::cos(a)), float(0.04 * std::sin(a))});
        }
    const int first = kRings * kSides;
    mesh.positions.insert(mesh.positions.end(), {0.0f, 0.0f, 0.0f, 0.6f, 0.0f, 0.0f});
    auto facet = [&](std::initializer_list<int> corners, int group) {
        for (int c : corners)
            mesh.cornerVertex.push_back(c);
        mesh.facetStart.push_back(uint32_t(mesh.cornerVertex.size()));
        mesh.facetGroup.push_back(group);
        mesh.facetMaterial.push_back(-1);
    };
    for (int r = 0; r + 1 < kRings; ++r)
        for (int k = 0; k < kSides; ++k) {
            const int a = r * kSides + k, b = r * kSides + (k + 1) % kSides;
            facet({a, b, b + kSides, a + kSides}, r < kRings / 2 ? 0 : 1);
        }
    for (int k = 0; k < kSides; ++k) { // end caps, facing out
        facet({first, (k + 1) % kSides, k}, 0);
        facet({first + 1, (kRings - 1) * kSides + k, (kRings - 1) * kSides + (k + 1) % kSides}, 1);
    }
    return mesh;
}

void benchWeldedArm()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("arm.obj"));
    VxFacetMeshData data = weldedArm();
    QString error;
    if (!VxMeshGen::writeObjFile(data, {}, path, &error)) {
        std::printf("quality: cannot write the welded arm: %s\n", qPrintable(error));
        return;
    }
    auto* mesh = new VxFacetMesh();
    mesh->setData(std::move(data));
    VxFigure* figure = vxBenchSkinFigure(mesh, QStringLiteral("Arm"));
    VxNode* parent = figure;
    for (const char* name : {"upper", "lower"}) {
        VxNode* bone = vxBenchAddBoundBone(figure, parent, QString::fromLatin1(name), true)->getBone();
        bone->setRotationOrder(VxRotationOrder(0)); // XYZ: bends about Z
        const float x = parent == figure ? 0.0f : 0.3f;
        bone->setOrigin({x, 0.0f, 0.0f}, true);
        bone->setEndPoint({x + 0.3f, 0.0f, 0.0f}, true);
        figure->getSelectionMap()->addPair(bone->getName(), bone, true);
        parent = bone;
    }
    std::printf("\nquality: welded arm (%d vertices), elbow bent 90 degrees\n", mesh->getNumVertices());
    compareWeights(figure, path, {{"lower", 90.0f}}, {"upper", "lower"}, {});
    vxScene->removeNode(figure);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    VxBenchApp app;
    VxScene scene;
    benchSpeed();
    benchExampleFigure();
    benchWeldedArm();
    return 0;
}
