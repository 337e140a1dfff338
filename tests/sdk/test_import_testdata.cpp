// Every third-party OBJ file under the shared test data either loads with the counts the
// file implies (counted by hand, and cross-checked against tinyobjloader when it is
// installed) or is refused with the line and the reason written here.
#include "vxdefaultmaterial.h"
#include "vximporttest.h"

#include <QDirIterator>

#if defined(VX_HAVE_TINYOBJLOADER)
#include <tiny_obj_loader.h>
#endif

namespace {

struct Outcome
{
    QString file;
    int vertices = 0;
    int uvs = 0;
    int facets = 0;
    QStringList groups;
    std::vector<int> groupFacets;
    QStringList materials;
    int warnings = 0;
    int refusedLine = 0;   // > 0: refused on this line with `reason`
    QString reason;
    QColor firstDiffuse;   // checked when valid
};

Outcome loads(const char* file, int vertices, int uvs, int facets, QStringList materials = {}, int warnings = 0)
{
    return {QString::fromLatin1(file), vertices, uvs, facets, {}, {}, std::move(materials), warnings, 0, {}, {}};
}

Outcome grouped(Outcome outcome, QStringList groups, std::vector<int> groupFacets)
{
    outcome.groups = std::move(groups);
    outcome.groupFacets = std::move(groupFacets);
    return outcome;
}

Outcome coloured(Outcome outcome, double r, double g, double b)
{
    outcome.firstDiffuse = QColor::fromRgbF(r, g, b);
    return outcome;
}

Outcome refused(const char* file, int line, const char* reason)
{
    return {QString::fromLatin1(file), 0, 0, 0, {}, {}, {}, 0, line, QString::fromLatin1(reason), {}};
}

std::vector<Outcome> expectedOutcomes()
{
    const QStringList simpleMaterials{"Material.simple", "Material2.simple"};
    const QStringList cornell{"white", "light", "green", "red"};
    std::vector<Outcome> table{
        loads("PyWavefront/tests/fixtures/arbitrary-faces.obj", 14, 0, 8),
        coloured(loads("PyWavefront/tests/fixtures/simple.obj", 8, 8, 2, simpleMaterials), 0.1, 0.1, 0.1),
        coloured(loads("PyWavefront/tests/fixtures/simple.obj.gz", 8, 8, 2, simpleMaterials), 0.1, 0.1, 0.1),
        loads("PyWavefront/tests/fixtures/simple_missing_material.obj", 8, 8, 2, simpleMaterials, 1),
        loads("PyWavefront/tests/fixtures/simple_missing_normal.obj", 8, 8, 4, simpleMaterials),
        loads("PyWavefront/tests/fixtures/simple_missing_uv.obj", 8, 8, 4, simpleMaterials),
        loads("PyWavefront/tests/fixtures/simple_negative_indices.obj", 8, 8, 2, simpleMaterials),
        loads("PyWavefront/tests/fixtures/simple_no_object_no_mtl.obj", 6, 6, 2),
        loads("PyWavefront/tests/fixtures/simple_one_vertex.obj", 1, 0, 0),
        loads("PyWavefront/tests/fixtures/simple_unknown_usemtl.obj", 4, 4, 1, {"Unknown"}, 1),
        loads("PyWavefront/tests/fixtures/simple_vt.obj", 8, 8, 2, simpleMaterials),
        refused("PyWavefront/tests/fixtures/simple_zero_indices.obj", 26, "normal index 0 (indices count from 1)"),

        refused("assimp/test/models/OBJ/box_UTF16BE.obj", 1, "the file is UTF-16 text; only ASCII and UTF-8 can be read"),
        loads("assimp/test/models/OBJ/box_without_lineending.obj", 8, 0, 6, {"Default"}),
        coloured(grouped(loads("assimp/test/models/OBJ/concave_polygon.obj", 64, 0, 1, {"test"}), {"default"}, {1}),
                 0.141176, 0.184314, 0.411765),
        grouped(loads("assimp/test/models/OBJ/cube_mtllib_after_g.obj", 8, 0, 12, {"MyMaterial"}, 1), {"Object"}, {12}),
        loads("assimp/test/models/OBJ/multiple_spaces.obj", 4, 4, 1),
        refused("assimp/test/models/OBJ/number_formats.obj", 11, "coordinate '3.1+e2' is not a number"),
        grouped(loads("assimp/test/models/OBJ/regr_3429812.obj", 4, 0, 3, {"Trim"}), {"rectangle", "triangle1", "triangle2"},
                {1, 1, 1}),
        loads("assimp/test/models/OBJ/testmixed.obj", 8, 0, 6, {"Default"}),

        loads("helix-toolkit/Models/obj/obj_format_tests/face_relative_texture_vertices.obj", 3, 1, 1, {"TestMaterial"}, 1),
        loads("helix-toolkit/Models/obj/obj_format_tests/face_relative_vertex_normals.obj", 3, 0, 1),
        loads("helix-toolkit/Models/obj/obj_format_tests/face_relative_vertices.obj", 3, 0, 1),
        loads("helix-toolkit/Models/obj/obj_format_tests/line_continuation_empty_continuation.obj", 3, 0, 1),
        // The empty line ends the continued vertex after two coordinates.
        refused("helix-toolkit/Models/obj/obj_format_tests/line_continuation_empty_line.obj", 3,
                "a vertex needs x, y and z coordinates"),
        loads("helix-toolkit/Models/obj/obj_format_tests/line_continuation_multiple_breaks.obj", 3, 0, 1),
        loads("helix-toolkit/Models/obj/obj_format_tests/line_continuation_single.obj", 3, 0, 1),
        loads("helix-toolkit/Models/obj/obj_format_tests/simple_triangle.obj", 3, 0, 1),
        loads("helix-toolkit/Models/obj/obj_format_tests/simple_triangle_with_normals.obj", 3, 0, 1),
        loads("helix-toolkit/Models/obj/obj_format_tests/simple_triangle_with_texture.obj", 3, 1, 1, {"TestMaterial"}, 1),

        grouped(loads("rapidobj/tests/data/color/color.obj", 8, 0, 6), {"cube"}, {6}),
        grouped(loads("rapidobj/tests/data/mtllib/cube.obj", 8, 0, 6, {"foo", "bar", "baz"}), {"cube"}, {6}),
        grouped(loads("rapidobj/tests/data/mtllib/cube_mtllib_missing.obj", 8, 0, 6, {"foo", "bar", "baz"}, 1), {"cube"}, {6}),
        loads("rapidobj/tests/data/primitives/primitives.obj", 8, 0, 2),

        // Refers to normals it never defines; normals are not kept, so that is no error.
        loads("tinyobjloader/models/catmark_torus_creases0.obj", 32, 4, 32),
        coloured(loads("tinyobjloader/models/cornell_box.obj", 76, 0, 18, cornell), 1, 1, 1),
        refused("tinyobjloader/models/invalid-face-definition.obj", 15, "a face needs at least 3 vertices, this one has 1"),
        refused("tinyobjloader/models/invalid-relative-texture-index.obj", 2, "vertex index 1 is out of range (0 defined so far)"),
        refused("tinyobjloader/models/invalid-relative-vertex-index.obj", 1, "vertex index -4 is out of range (0 defined so far)"),
        refused("tinyobjloader/models/issue-140-zero-face-idx.obj", 16, "vertex index 0 (indices count from 1)"),
        grouped(loads("tinyobjloader/models/issue-161-inconsistent-f.obj", 8, 4, 12, {"cube"}, 1), {"cube"}, {12}),
        coloured(grouped(loads("tinyobjloader/models/issue-162-smoothing-group.obj", 8, 4, 12, {"test1", "test2"}),
                         {"test1", "test2"}, {2, 10}),
                 0.5, 0.2, 0.2),
        loads("tinyobjloader/models/issue-244-mtl-searchpaths.obj", 8, 0, 2, {"None", "None1"}, 1),
        loads("tinyobjloader/models/issue-319-002.obj", 20, 0, 3),
        loads("tinyobjloader/models/issue-319-003.obj", 10, 0, 1),
        loads("tinyobjloader/models/line-prim.obj", 8, 0, 0, {}, 1),
        loads("tinyobjloader/models/missing_material_file.obj", 76, 0, 18, cornell),
        coloured(loads("tinyobjloader/models/mtllib-multiple-files-issue-112.obj", 3, 0, 1, {"default"}, 2), 0, 0, 0),
        loads("tinyobjloader/models/points-prim.obj", 8, 0, 0, {}, 1),
        grouped(loads("tinyobjloader/models/skin-weight.obj", 8, 0, 6, {"white", "red", "green"}, 1),
                {"front", "back", "right", "top", "left", "bottom"}, {1, 1, 1, 1, 1, 1}),
        grouped(loads("tinyobjloader/models/smoothing-group-two-squares.obj", 6, 0, 2), {"all"}, {2}),
        refused("tinyobjloader/models/test-nan.obj", 12, "coordinate 'nan' is not a finite number"),
    };
    return table;
}

#if defined(VX_HAVE_TINYOBJLOADER)
// Vertex, UV and facet counts as tinyobjloader sees them, when it accepts the file.
bool tinyObjCounts(const QString& path, int* vertices, int* uvs, int* facets)
{
    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warn, err;
    const QByteArray folder = QFileInfo(path).absolutePath().toLocal8Bit() + '/';
    if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warn, &err, path.toLocal8Bit().constData(), folder.constData(), false))
        return false;
    *vertices = int(attrib.vertices.size() / 3);
    *uvs = int(attrib.texcoords.size() / 2);
    *facets = 0;
    for (const tinyobj::shape_t& shape : shapes)
        *facets += int(shape.mesh.num_face_vertices.size());
    return true;
}
#endif

} // namespace

TEST_F(ImportTest, EveryThirdPartyFileLoadsWithItsCountsOrIsRefusedWithItsLine)
{
    const std::vector<Outcome> table = expectedOutcomes();
    for (const Outcome& expected : table) {
        SCOPED_TRACE(expected.file.toStdString());
        const QString path = vxTestDataPath(QStringLiteral("obj/") + expected.file);
        const int loggedBefore = loggedLines().size();
        const Loaded loaded = readFile(path);
        if (expected.refusedLine > 0) {
            EXPECT_NE(loaded.result, VxImportMgr::Success);
            EXPECT_FALSE(loaded.shape);
            const QString line = QStringLiteral("%1:%2: %3").arg(path).arg(expected.refusedLine).arg(expected.reason);
            EXPECT_EQ(importer().getLastError().toStdString(), line.toStdString());
            ASSERT_EQ(loggedLines().size(), loggedBefore + 1);
            EXPECT_EQ(loggedLines().last(), line);
            continue;
        }
        ASSERT_EQ(loaded.result, VxImportMgr::Success) << qPrintable(importer().getLastError());
        const VxFacetMesh* mesh = loaded.mesh();
        ASSERT_TRUE(mesh);
        EXPECT_EQ(mesh->getNumVertices(), expected.vertices);
        EXPECT_EQ(mesh->getNumUVs(), expected.uvs);
        EXPECT_EQ(mesh->getNumFacets(), expected.facets);
        EXPECT_EQ(loaded.data().groupNames, expected.groups);
        for (size_t g = 0; g < expected.groupFacets.size(); ++g)
            EXPECT_EQ(mesh->getFaceGroupFacetCount(int(g)), expected.groupFacets[g]) << g;
        QStringList materials;
        for (int m = 0; m < loaded.shape->getNumMaterials(); ++m)
            materials.append(loaded.shape->getMaterial(m)->getName());
        EXPECT_EQ(materials, expected.materials);
        if (expected.firstDiffuse.isValid()) {
            auto* first = qobject_cast<VxDefaultMaterial*>(loaded.shape->getMaterial(0));
            ASSERT_TRUE(first);
            EXPECT_EQ(first->getDiffuseColor().rgb(), expected.firstDiffuse.rgb());
        }
        EXPECT_EQ(importer().getLastWarnings().size(), expected.warnings) << qPrintable(importer().getLastWarnings().join('\n'));
        EXPECT_EQ(loggedLines().size(), loggedBefore + expected.warnings);
        for (const QString& warning : importer().getLastWarnings())
            EXPECT_TRUE(warning.startsWith(path + QLatin1Char(':')) || warning.contains(QLatin1String(".mtl:")))
                << qPrintable(warning);
#if defined(VX_HAVE_TINYOBJLOADER)
        int vertices = 0, uvs = 0, facets = 0;
        if (!path.endsWith(QLatin1String(".gz")) && tinyObjCounts(path, &vertices, &uvs, &facets)) {
            EXPECT_EQ(vertices, expected.vertices) << "tinyobjloader";
            EXPECT_EQ(uvs, expected.uvs) << "tinyobjloader";
            EXPECT_EQ(facets, expected.facets) << "tinyobjloader";
        }
#endif
    }

    // The table covers every mesh file there is, so a new one cannot slip by untested.
    QStringList covered;
    for (const Outcome& expected : table)
        covered.append(expected.file);
    const QString root = vxTestDataPath(QStringLiteral("obj/"));
    QDirIterator files(root, QDir::Files, QDirIterator::Subdirectories);
    int meshFiles = 0;
    while (files.hasNext()) {
        const QString file = files.next().mid(root.size());
        if (file.endsWith(QLatin1String(".mtl")) || file.endsWith(QLatin1String("LICENSE")) || file.endsWith(QLatin1String(".md")))
            continue;
        ++meshFiles;
        EXPECT_TRUE(covered.contains(file)) << "no expected outcome for " << qPrintable(file);
    }
    EXPECT_EQ(meshFiles, int(table.size()));
}
