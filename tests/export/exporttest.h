#pragma once

#include "vxexamplefigure.h"
#include "vxscenetest.h"

#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QStringList>

#include <cstring>
#include <ostream>
#include <vector>

class VxFigure;
class VxSkeleton;

// What a test reads back from a .glb file: its JSON and its binary chunk.
struct GlbFile
{
    QJsonObject json;
    QByteArray binary;
    bool valid = false;
};

// The values of accessor `index` (its whole buffer view), as T.
template<typename T>
std::vector<T> glbAccessor(const GlbFile& glb, int index)
{
    const QJsonObject accessor = glb.json[QStringLiteral("accessors")][index].toObject();
    const QJsonObject view = glb.json[QStringLiteral("bufferViews")][accessor[QStringLiteral("bufferView")].toInt()].toObject();
    const size_t count = size_t(view[QStringLiteral("byteLength")].toInt()) / sizeof(T);
    std::vector<T> out(count);
    std::memcpy(out.data(), glb.binary.constData() + view[QStringLiteral("byteOffset")].toInt(), count * sizeof(T));
    return out;
}

// The attributes every primitive of the file's mesh shares.
inline QJsonObject glbAttributes(const GlbFile& glb)
{
    return glb.json[QStringLiteral("meshes")][0][QStringLiteral("primitives")][0][QStringLiteral("attributes")].toObject();
}

// One weight per bone name.
using BoneWeights = QMap<QString, float>;

// VxSceneTest with the example humanoid built as a figure and the tools that check files.
class ExportTest : public VxSceneTest
{
protected:
    VxSkeleton* exampleFigure(VxExampleFigure::Kind kind);
    // Exports to a file in the test's folder; returns its path, or an empty one (with the
    // failure recorded) when the export was refused.
    QString exportFigure(const VxSkeleton& figure, const QString& name);

    static GlbFile readGlb(const QString& path);
    // Runs Khronos' validator through node on `path` and expects neither errors nor
    // warnings. Without the validator the check is left out with a note, unless
    // VX_REQUIRE_GLTF_VALIDATOR is set (scripts/test sets it, having installed it), which
    // makes that a failure.
    static void expectValid(const QString& path);

    // Weights for every skin vertex of a single-skin figure that need the whole rule: six
    // bones per vertex (so two drop out), each with its own weight on each of its maps, and
    // some bones weighting only two of their three axes.
    static void paintBlendedWeights(VxFigure* figure);
    // Gives every bone of a figure built by hand a binding with three local maps, each
    // weighting the bone's face groups in full.
    static void bindToFaceGroups(VxFigure* figure);
    // What a vertex's weights must be in the file: each bone's axis weights summed, the four
    // largest kept and scaled to a sum of one.
    static BoneWeights expectedSkinWeights(const VxFigure* figure, int vertex);
};

// Readable failures for QString and QStringList comparisons.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
