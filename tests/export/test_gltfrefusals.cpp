// Exports that cannot be made: a clear reason, and no file written or changed.
#include "exporttest.h"

#include "vxbone.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxgltfexporter.h"
#include "vxgraftingfigureshape.h"
#include "vxlegacyfigure.h"
#include "vxobject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
        if (!c.reason.isEmpty())
            EXPECT_EQ(exporter.error(), prefix + c.reason);
        EXPECT_FALSE(QFileInfo(c.path).isFile());
    }
    EXPECT_EQ(QDir(tempPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    EXPECT_TRUE(QDir(tempPath(QStringLiteral("folder.glb"))).isEmpty());
}

// The figure an export means: the selected one (or a selected bone's), else the only one.
TEST_F(ExportTest, TheFigureToExportIsTheSelectedOneOrTheOnlyOne)
{
    QString error;
    EXPECT_EQ(VxGltfExporter::findFigure(vxScene, &error), nullptr);
    EXPECT_EQ(error, QStringLiteral("The scene holds no figure to export."));
    auto* first = vxMakeFigure<VxFigure>(boxMesh(), QStringLiteral("First"));
    EXPECT_EQ(VxGltfExporter::findFigure(vxScene, &error), first);
    auto* second = vxMakeFigure<VxLegacyFigure>(boxMesh(), QStringLiteral("Second"));
    EXPECT_EQ(VxGltfExporter::findFigure(vxScene, &error), nullptr);
    EXPECT_EQ(error, QStringLiteral("The scene holds 2 figures: select the one to export (the figure or one of its bones)."));
    vxScene->selectNode(second->getAllBones().first(), true);
    EXPECT_EQ(VxGltfExporter::findFigure(vxScene, &error), second);
    vxScene->selectAllNodes(false);
    vxScene->selectNode(first, true);
    EXPECT_EQ(VxGltfExporter::findFigure(vxScene, &error), first);
}
