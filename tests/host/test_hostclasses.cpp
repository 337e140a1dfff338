// The host's classes on their own: the mesh summary, the plug-in listing's HTML handling
// and the command line.
#include "vxhostcommandline.h"
#include "vxmeshinfo.h"
#include "vxpluginlistwriter.h"

#include "vxhostguitest.h"

#include "vxdefaultmaterial.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

using HostClassesTest = VxAppTest;

TEST_F(HostClassesTest, MeshInfoWritesCountsGroupsAndMaterialsInMeshOrder)
{
    VxFacetMeshData data;
    data.positions = {0.1f, -2.5f, 0.0f,   1.0f, 0.0f, 0.0f,   1.0f, 1e-7f, 3.0f,   0.5f, 0.25f, 100000.0f};
    data.uvs = {0, 0, 1, 0, 1, 1};
    data.facetStart = {0, 3, 6, 10};
    data.cornerVertex = {0, 1, 2,   0, 2, 1,   0, 1, 2, 3};
    data.facetGroup = {1, 1, -1};
    data.facetMaterial = {0, 0, 1};
    // Group 0 has no facets at all; group 1's name needs escaping.
    data.groupNames = QStringList{"empty", "left \"arm\"\\"};
    auto* mesh = new VxFacetMesh();
    mesh->setData(std::move(data));
    VxFacetShape shape;
    shape.setFacetMesh(mesh);
    for (const char* name : {"skin", "nails"}) {
        auto* material = new VxDefaultMaterial();
        material->setName(name);
        shape.addMaterial(material);
    }

    // Keys in the documented order, floats in their shortest form that reads back as the
    // same 32-bit float, names escaped, null for a group without facets.
    const QByteArray json = VxMeshInfo::toJson(shape);
    EXPECT_EQ(json, QByteArray("{\n"
                               "  \"vertexCount\": 4,\n"
                               "  \"uvCount\": 3,\n"
                               "  \"facetCount\": 3,\n"
                               "  \"groups\": [\n"
                               "    {\"name\": \"empty\", \"facetCount\": 0, \"boundingBox\": null},\n"
                               "    {\"name\": \"left \\\"arm\\\"\\\\\", \"facetCount\": 2, "
                               "\"boundingBox\": {\"min\": [0.1, -2.5, 0], \"max\": [1, 1e-07, 3]}}\n"
                               "  ],\n"
                               "  \"materials\": [\"skin\", \"nails\"]\n"
                               "}\n"));
    EXPECT_EQ(QJsonDocument::fromJson(json).object().value("groups").toArray().size(), 2);
}

TEST(HostText, PluginDescriptionsBecomePlainLinesWithTheirLinks)
{
    EXPECT_EQ(
        VxPluginListWriter::htmlToPlainText(
            "<a href='http://x/doc'>Docs</a><br><A HREF=\"/r e/a.htm\">Read &amp; me</A><br/><br>Tom &lt;3<b>!</b>"),
        "Docs (http://x/doc)\nRead & me (/r e/a.htm)\n\nTom <3!");
    EXPECT_EQ(VxPluginListWriter::htmlToPlainText("plain"), "plain");
}

TEST(HostCommandLine, ParsesOneBatchOptionWithTheSessionOptions)
{
    VxHostCommandLine commandLine;
    ASSERT_TRUE(commandLine.parse(
        {"vxhost", "--plugin", "a.so", "--mesh-info", "m.obj", "--plugin", "b", "--runtime", "rt", "--data-dir", "d"}));
    EXPECT_EQ(commandLine.mode(), VxHostCommandLine::MeshInfo);
    EXPECT_EQ(commandLine.file(), "m.obj");
    EXPECT_EQ(commandLine.extraPlugins(), QStringList({"a.so", "b"}));
    EXPECT_EQ(commandLine.runtimeDirectories(), QStringList{"rt"});
    EXPECT_EQ(commandLine.dataDirectory(), "d");
    EXPECT_TRUE(commandLine.isBatch());

    ASSERT_TRUE(commandLine.parse({"vxhost"}));
    EXPECT_EQ(commandLine.mode(), VxHostCommandLine::Gui);
    EXPECT_FALSE(commandLine.isBatch());
    EXPECT_TRUE(commandLine.extraPlugins().isEmpty());

    // Every option the help lists is one the parser knows, with a value where it shows one
    // (--size alone is refused, but as an option that goes with --screenshot).
    const QRegularExpression listed("^  (?:-\\w, )?--([\\w-]+)( [A-Z]+)?", QRegularExpression::MultilineOption);
    int options = 0;
    for (auto match = listed.globalMatch(VxHostCommandLine::helpText()); match.hasNext(); ++options) {
        const QRegularExpressionMatch option = match.next();
        QStringList arguments{"vxhost", "--" + option.captured(1)};
        if (!option.captured(2).isEmpty())
            arguments << "value";
        commandLine.parse(arguments);
        EXPECT_FALSE(commandLine.errorText().contains("Unknown option"))
            << qPrintable(arguments.join(' ')) << ": " << qPrintable(commandLine.errorText());
    }
    EXPECT_EQ(options, 12);
    // Wrapped descriptions line up under the first line's.
    EXPECT_FALSE(VxHostCommandLine::helpText().contains('\n' + QString(24, ' ')));
}

TEST(HostCommandLine, TheScreenshotComesAfterTheScriptAndAloneNeedsADisplay)
{
    VxHostCommandLine commandLine;
    ASSERT_TRUE(commandLine.parse(
        {"vxhost", "--script", "a.js", "--screenshot", "s.png", "--size", "1600x1000", "--save-scene", "s.json"}));
    EXPECT_EQ(commandLine.mode(), VxHostCommandLine::RunScript);
    EXPECT_EQ(commandLine.screenshotFile(), "s.png");
    EXPECT_EQ(commandLine.sceneFile(), "s.json");
    EXPECT_EQ(commandLine.windowSize(), QSize(1600, 1000));
    EXPECT_TRUE(commandLine.needsDisplay());
    EXPECT_TRUE(commandLine.buildsWindow());

    ASSERT_TRUE(commandLine.parse({"vxhost", "--save-scene", "s.json"}));
    EXPECT_FALSE(commandLine.needsDisplay());
    EXPECT_TRUE(commandLine.buildsWindow());

    const QStringList refused[] = {
        {"--size", "800x600"},
        {"--screenshot", "s.png", "--size", "800"},
        {"--screenshot", "s.png", "--size", "0x600"},
        {"--screenshot", "s.png", "--plugins"},
        {"--script", "a.js", "--script", "b.js"},
        {"--data-dir", "a", "--data-dir", "b"},
    };
    for (const QStringList& arguments : refused) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        EXPECT_FALSE(commandLine.parse(QStringList{"vxhost"} + arguments));
        EXPECT_FALSE(commandLine.errorText().isEmpty());
    }
}
