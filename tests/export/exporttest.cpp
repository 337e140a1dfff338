#include "exporttest.h"

#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxfigure.h"
#include "vxgeometry.h"
#include "vxshape.h"
#include "vxgltfexporter.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QtEndian>

#include <algorithm>
#include <cstdio>

VxSkeleton* ExportTest::exampleFigure(VxExampleFigure::Kind kind)
{
    QString error;
    VxSkeleton* figure = VxExampleFigure::build(kind, vxSourcePath(QStringLiteral("examples")), &error);
    EXPECT_NE(figure, nullptr) << qPrintable(error);
    return figure;
}

QString ExportTest::exportFigure(const VxSkeleton& figure, const QString& name)
{
    const QString path = tempPath(name);
    VxGltfExporter exporter;
    if (!exporter.exportFigure(figure, path)) {
        ADD_FAILURE() << qPrintable(exporter.error());
        return QString();
    }
    return path;
}

GlbFile ExportTest::readGlb(const QString& path)
{
    GlbFile glb;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return glb;
    const QByteArray bytes = file.readAll();
    const auto word = [&bytes](int offset) { return qFromLittleEndian<quint32>(bytes.constData() + offset); };
    if (bytes.size() < 20 || word(0) != 0x46546C67 || word(4) != 2 || word(8) != quint32(bytes.size()))
        return glb;
    const int jsonLength = int(word(12));
    glb.json = QJsonDocument::fromJson(bytes.mid(20, jsonLength)).object();
    if (bytes.size() > 28 + jsonLength)
        glb.binary = bytes.mid(28 + jsonLength, int(word(20 + jsonLength)));
    glb.valid = !glb.json.isEmpty();
    return glb;
}

void ExportTest::expectValid(const QString& path)
{
    const QString validator = QStringLiteral(VX_GLTF_VALIDATOR_DIR);
    QString problem;
    QProcess node;
    if (!QFile::exists(validator + QStringLiteral("/package.json"))) {
        problem = QStringLiteral("gltf-validator is not installed in %1 (scripts/test installs it)").arg(validator);
    } else {
        node.start(QStringLiteral("node"), {vxSourcePath(QStringLiteral("scripts/validate-gltf.js")),
                                            QStringLiteral("--validator"), validator, path});
        if (!node.waitForFinished(120000) || node.exitCode() == 2)
            problem = QStringLiteral("node could not run the validator: %1 %2")
                          .arg(node.errorString(), QString::fromUtf8(node.readAllStandardError()));
    }
    if (!problem.isEmpty()) {
        if (qEnvironmentVariableIsSet("VX_REQUIRE_GLTF_VALIDATOR"))
            ADD_FAILURE() << qPrintable(problem);
        else
            std::printf("[ NOTE     ] not validated: %s\n", qPrintable(problem));
        return;
    }
    const QJsonObject report = QJsonDocument::fromJson(node.readAllStandardOutput()).object();
    QStringList messages(path);
    for (const QJsonValue& message : report.value(QStringLiteral("messages")).toArray())
        messages.append(message[QStringLiteral("code")].toString() + QLatin1Char(' ') + message[QStringLiteral("pointer")].toString());
    EXPECT_EQ(report.value(QStringLiteral("errors")).toInt(-1), 0) << qPrintable(messages.join(QLatin1Char('\n')));
    EXPECT_EQ(report.value(QStringLiteral("warnings")).toInt(-1), 0) << qPrintable(messages.join(QLatin1Char('\n')));
}

void ExportTest::paintBlendedWeights(VxFigure* figure)
{
    const VxSkinBinding* skin = figure->getSkinBinding();
    const int bones = skin->getNumBoneBindings();
    for (int b = 0; b < bones; ++b) {
        const VxBoneBinding* binding = skin->getBoneBinding(b);
        for (int axis = 0; axis < 3; ++axis) {
            VxWeightMap* map = binding->getLocalWeights(axis);
            for (int v = 0; v < map->getNumWeights(); ++v) {
                // Rank 0..bones-1 of this bone at this vertex; ranks 0 to 5 get weights.
                const int rank = (v * 7 + b * 3) % bones;
                if (rank > 5 || (rank % 2 == 1 && axis == 1))
                    continue;
                map->setWeight(v, uint16_t((rank + 1) * 1000 + axis * 100));
            }
        }
    }
}

void ExportTest::bindToFaceGroups(VxFigure* figure)
{
    const int vertices = VxShape::getCurrentShapeForNode(figure)->getGeometry()->getNumVertices();
    for (VxBone* bone : figure->getAllBones()) {
        auto* binding = new VxBoneBinding();
        binding->setBone(bone);
        for (int axis = 0; axis < 3; ++axis) {
            auto* map = new VxWeightMap();
            map->setNumWeights(vertices, false);
            binding->setLocalWeights(axis, map);
        }
        figure->getSkinBinding()->addBoneBinding(binding);
    }
    VxExampleFigure::weightByFaceGroups(figure);
}

BoneWeights ExportTest::expectedSkinWeights(const VxFigure* figure, int vertex)
{
    QList<QPair<float, QString>> sums;
    const VxSkinBinding* skin = figure->getSkinBinding();
    for (int b = 0; b < skin->getNumBoneBindings(); ++b) {
        float sum = 0.0f;
        for (int axis = 0; axis < 3; ++axis) {
            if (const VxWeightMap* map = skin->getBoneBinding(b)->getLocalWeights(axis))
                sum += map->getWeight(vertex) / 65535.0f;
        }
        if (sum > 0.0f)
            sums.append({sum, skin->getBoneBinding(b)->getBone()->getName()});
    }
    std::sort(sums.begin(), sums.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    sums = sums.mid(0, 4);
    float total = 0.0f;
    for (const auto& sum : sums)
        total += sum.first;
    BoneWeights weights;
    for (const auto& sum : sums)
        weights.insert(sum.second, sum.first / total);
    return weights;
}
