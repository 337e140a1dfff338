// Exports that cannot be made: a clear reason, and no file written or changed.
#include "exporttest.h"

#include "vxbone.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxgltfexporter.h"
#include "vxgraftingfigureshape.h"
#include "vxlegacyfigure.h"
#include "vxobject.h"
#include "vxshape.h"
#include "vxskinbinding.h"
#include "vxbonebinding.h"
#include "vxweightmap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>

#include <functional>
#include <limits>

namespace {
// A figure with the one-box skin `mesh` (none when null) and no bones.
VxFigure* bareFigure(const QString& name, VxFacetMesh* mesh)
{
    auto* figure = new VxFigure();
    figure->setName(name);
    vxScene->addNode(figure);
    if (mesh) {
        figure->setObject(new VxObject());
        auto* shape = new VxGraftingFigureShape();
        shape->setFacetMesh(mesh);
        figure->getObject()->addShape(shape);
    }
    return figure;
}

VxFacetMesh* boxMesh()
{
    return vxMakeBoxMesh({{QStringLiteral("hip"), VxVec3(-1, 0, -1), VxVec3(1, 2, 1)}});
}
} // namespace

TEST_F(ExportTest, BadFiguresAreRefusedWithTheirReason)
{
    struct Case
    {
        const char* what;
        std::function<VxSkeleton*()> make;
        QString error;
    };
    const Case cases[] = {
        {"no skin", [] { return bareFigure(QStringLiteral("Bare"), nullptr); },
         QStringLiteral("The figure \"Bare\" has no skin to export: it has no mesh with facets.")},
        {"no bones", [] { return bareFigure(QStringLiteral("Boneless"), boxMesh()); },
         QStringLiteral("The figure \"Boneless\" has no bones: a glTF skin needs at least one joint.")},
        {"no weights", [this] { return exampleFigure(VxExampleFigure::SingleSkin); },
         QStringLiteral("No bone of the figure \"Figure\" has any weight on its skin, so nothing would move with the "
                        "bones. Give the bones weights (paint them, or use Weights from Face Groups) and export again.")},
        {"positions not numbers",
         [] {
             VxFacetMesh* mesh = boxMesh();
             auto* figure = vxMakeFigure<VxFigure>(mesh, QStringLiteral("Broken"));
             bindToFaceGroups(figure);
             std::vector<float> positions(mesh->getVertexData(), mesh->getVertexData() + 24);
             positions[4] = std::numeric_limits<float>::quiet_NaN();
             mesh->setVertexPositions(positions);
             return figure;
         },
         QStringLiteral("The skin of figure \"Broken\" has vertex positions that are not numbers.")},
    };
    // An earlier file of the same name must survive a refused export unchanged.
    const QString path = writeFile(QStringLiteral("figure.glb"), "earlier file");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VxSkeleton* figure = c.make();
        ASSERT_NE(figure, nullptr);
        VxGltfExporter exporter;
        EXPECT_FALSE(exporter.exportFigure(*figure, path));
        EXPECT_EQ(exporter.error(), c.error);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray("earlier file"));
        vxScene->removeNode(figure);
    }
    EXPECT_EQ(QDir(tempPath()).entryList(QDir::Files), QStringList(QStringLiteral("figure.glb")));
}

TEST_F(ExportTest, PathsThatCannotBeWrittenAreRefusedAndLeaveNoFile)
{
    VxSkeleton* figure = exampleFigure(VxExampleFigure::Parametric);
    ASSERT_NE(figure, nullptr);
    writeFile(QStringLiteral("plain.txt"), "a file, not a folder");
    QDir().mkpath(tempPath(QStringLiteral("folder.glb")));
    const struct
    {
        QString path;
        QString reason;
    } cases[] = {
        {tempPath(QStringLiteral("missing/figure.glb")), QString()},
        {tempPath(QStringLiteral("plain.txt/figure.glb")), QString()},
        {tempPath(QStringLiteral("folder.glb")), QStringLiteral("it is a folder")},
        {QString(), QStringLiteral("no file name was given")},
    };
    const QStringList before = QDir(tempPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        VxGltfExporter exporter;
        EXPECT_FALSE(exporter.exportFigure(*figure, c.path));
        const QString prefix = QStringLiteral("Cannot write the glTF file %1: ").arg(c.path);
        EXPECT_TRUE(exporter.error().startsWith(prefix)) << qPrintable(exporter.error());
        EXPECT_GT(exporter.error().size(), prefix.size());
        if (!c.reason.isEmpty()) {
            EXPECT_EQ(exporter.error(), prefix + c.reason);
        }
        EXPECT_FALSE(QFileInfo(c.path).isFile());
    }
    EXPECT_EQ(QDir(tempPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    EXPECT_TRUE(QDir(tempPath(QStringLiteral("folder.glb"))).isEmpty());
}

// A figure weighted in part still exports: unweighted vertices follow their face group's
// bone in full, and the notes say so.
TEST_F(ExportTest, UnweightedVerticesFollowTheirFaceGroupsBoneWithANote)
{
    auto* figure = qobject_cast<VxFigure*>(exampleFigure(VxExampleFigure::SingleSkin));
    ASSERT_NE(figure, nullptr);
    VxExampleFigure::weightByFaceGroups(figure);
    const QList<VxBone*> bones = figure->getAllBones();
    // Only the hip keeps its weights.
    for (int b = 1; b < figure->getSkinBinding()->getNumBoneBindings(); ++b) {
        for (int axis = 0; axis < 3; ++axis)
            figure->getSkinBinding()->getBoneBinding(b)->getLocalWeights(axis)->fill(0);
    }
    VxGltfExporter exporter;
    QByteArray bytes;
    ASSERT_TRUE(exporter.build(*figure, &bytes)) << qPrintable(exporter.error());
    const int hipVertices = int(figure->getVertexMap(bones[0]).size());
    const VxFacetMesh* mesh = qobject_cast<VxFacetMesh*>(VxShape::getCurrentShapeForNode(figure)->getGeometry());
    EXPECT_EQ(exporter.warnings(),
              QStringList({QStringLiteral("Bones without weights, which move no part of the skin: abdomen, chest, neck, "
                                          "head, lCollar, lShldr, lForeArm, lHand, rCollar, rShldr and 8 more."),
                           QStringLiteral("%1 of the skin's vertices have no weight; each follows the bone of its face "
                                          "group (or the first bone) in full.")
                               .arg(mesh->getNumVertices() - hipVertices)}));

    const GlbFile glb = readGlb(writeFile(QStringLiteral("partly.glb"), bytes));
    const QJsonObject attributes = glbAttributes(glb);
    const std::vector<float> positions = glbAccessor<float>(glb, attributes[QStringLiteral("POSITION")].toInt());
    const std::vector<uint16_t> joints = glbAccessor<uint16_t>(glb, attributes[QStringLiteral("JOINTS_0")].toInt());
    const std::vector<float> weights = glbAccessor<float>(glb, attributes[QStringLiteral("WEIGHTS_0")].toInt());
    int wrong = 0;
    for (size_t v = 0; v < positions.size() / 3; ++v) {
        const VxVec3 p(positions[3 * v], positions[3 * v + 1], positions[3 * v + 2]);
        const VxBone* bone = bones.value(joints[4 * v]);
        // The bone's face groups hold a skin vertex at this place.
        const std::vector<int>& own = figure->getVertexMap(bone);
        const bool held = std::any_of(own.cbegin(), own.cend(), [&](int source) { return mesh->getVertex(source) == p; });
        wrong += weights[4 * v] == 1.0f && held ? 0 : 1;
    }
    EXPECT_EQ(wrong, 0);
}
