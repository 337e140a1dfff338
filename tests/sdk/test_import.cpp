#include "vxdefaultmaterial.h"
#include "vxfacegroup.h"
#include "vxgzipwriter.h"
#include "vximporttest.h"
#include "vxmeshgen.h"

#include <QFile>
#include <QUrl>

#include <sys/stat.h>

namespace {

const QByteArray kSquare = "# two facets in one group\n"
                           "v 0 0 0\n"
                           "v 1 0 0\n"
                           "v 1 1 0\n"
                           "v 0 1 0\n"
                           "vt 0 0\n"
                           "vt 1 0\n"
                           "vt 1 1\n"
                           "g a\n"
                           "usemtl m1\n"
                           "f 1/1 2/2 3/3\n"
                           "f 1 3 4\n";

QColor colorOf(const QString& name)
{
    float rgb[3];
    VxMeshGen::materialColor(name, rgb);
    return QColor::fromRgbF(double(rgb[0]), double(rgb[1]), double(rgb[2]));
}

} // namespace

// The generated humanoid, plain and gzip-compressed: gzip is known by its first bytes
// whatever the name, and may come in several members, cut anywhere (even inside a line).
TEST_F(ImportTest, GeneratedHumanoidComesBackWithItsGroupsMaterialsAndUVsPlainOrCompressed)
{
    QStringList materials;
    const VxFacetMeshData generated = VxMeshGen::humanoid(&materials);
    const QString path = tempPath(QStringLiteral("Figure.v2.obj"));
    ASSERT_TRUE(VxMeshGen::writeObjFile(generated, materials, path));
    ASSERT_TRUE(VxMeshGen::writeObjFile(generated, materials, tempPath(QStringLiteral("body.obz"))));
    QFile file(tempPath(QStringLiteral("body.obz")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray compressed = file.readAll();
    ASSERT_TRUE(compressed.startsWith("\x1f\x8b"));
    QFile text(path);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QByteArray plain = text.readAll();
    const int cut = plain.size() / 3 + 7;
    const QList<QPair<QString, QByteArray>> variants{
        {QStringLiteral("body.obz"), compressed},
        {QStringLiteral("body-compressed.obj"), compressed},
        {QStringLiteral("members.obz"), VxGzipWriter::compress(plain.left(cut)) + VxGzipWriter::compress(plain.mid(cut))}};
    for (const auto& [name, content] : variants) {
        SCOPED_TRACE(name.toStdString());
        const Loaded loaded = readText(content, name);
        ASSERT_EQ(loaded.result, VxImportMgr::Success) << qPrintable(importer().getLastError());
        expectSameMesh(loaded.data(), generated);
        EXPECT_EQ(loaded.shape->getNumMaterials(), 3);
    }

    const Loaded loaded = readFile(path);
    ASSERT_EQ(loaded.result, VxImportMgr::Success) << qPrintable(importer().getLastError());
    ASSERT_TRUE(loaded.mesh());
    expectSameMesh(loaded.data(), generated);
    EXPECT_EQ(loaded.shape->getName(), QStringLiteral("Figure.v2"));
    EXPECT_EQ(loaded.shape->getLabel(), QStringLiteral("Figure.v2"));
    EXPECT_EQ(loaded.mesh()->getAssetUrl(), QUrl::fromLocalFile(path));
    EXPECT_EQ(loaded.shape->refCount(), 1);   // the fixture's reference only

    ASSERT_EQ(loaded.mesh()->getNumFaceGroups(), 19);
    for (int g = 0; g < 19; ++g)
        EXPECT_EQ(loaded.mesh()->getFaceGroup(g)->objectName(), VxMeshGen::humanoidGroupNames()[g]);
    const VxBox3 foot = loaded.mesh()->getFaceGroupBoundingBox(QStringLiteral("lFoot"));
    EXPECT_FLOAT_EQ(foot.getMin().y, 0.0f);
    EXPECT_FLOAT_EQ(foot.getMax().z, 0.19f);
    EXPECT_FLOAT_EQ(loaded.mesh()->getFaceGroupBoundingBox(QStringLiteral("head")).getMax().y, 1.76f);

    ASSERT_EQ(loaded.shape->getNumMaterials(), 3);
    for (int m = 0; m < 3; ++m) {
        auto* material = qobject_cast<VxDefaultMaterial*>(loaded.shape->getMaterial(m));
        ASSERT_TRUE(material);
        EXPECT_EQ(material->getName(), materials[m]);
        EXPECT_EQ(material->getDiffuseColor().rgb(), colorOf(materials[m]).rgb());
    }
    EXPECT_TRUE(importer().getLastWarnings().isEmpty());
    EXPECT_TRUE(loggedLines().isEmpty());
}

// Line ends, blanks, a byte-order mark, continuations and comments are spelling: every
// variant must give exactly the mesh the plain text gives.
TEST_F(ImportTest, LineEndsBlanksMarksAndContinuationsDoNotChangeTheMesh)
{
    const Loaded plain = readText(kSquare, QStringLiteral("plain.obj"));
    ASSERT_EQ(plain.result, VxImportMgr::Success);
    ASSERT_EQ(plain.data().numFacets(), 2);
    const std::vector<int32_t> expectedUV{0, 1, 2, -1, -1, -1};
    EXPECT_EQ(plain.data().cornerUV, expectedUV);

    QByteArray crlf = kSquare;
    crlf.replace("\n", "\r\n");
    QByteArray cr = kSquare;
    cr.replace("\n", "\r");
    QByteArray blanks = kSquare;
    blanks.replace("g a", "g a b").replace(" ", " \t  ").replace("\n", "  \t\n");
    QByteArray continued = kSquare;
    continued.replace("f 1/1 2/2 3/3", "f 1/1 \\\n  2/2\\\r\n3/3").replace("v 1 1 0", "v 1 \\\n\\\n 1 0");
    QByteArray commented = kSquare;
    commented.replace("f 1 3 4", "f 1 3 4 # closing facet\n  # indented comment \\\ns off\no name\nvn 0 0 1\nl 1 2\np 3");
    QByteArray everything = "\xef\xbb\xbf" + kSquare;
    everything.replace("f 1/1 2/2 3/3", "f 1/1 \\\n  2/2 \\\n3/3").replace("\n", "\r\n").replace(" ", "\t ");
    everything.chop(2);   // no final line end

    const QList<QPair<const char*, QByteArray>> variants{
        {"crlf", crlf}, {"cr", cr}, {"blanks", blanks}, {"continued", continued},
        {"commented", commented}, {"everything", everything}, {"no final newline", kSquare.chopped(1)}};
    for (const auto& variant : variants) {
        SCOPED_TRACE(variant.first);
        const Loaded loaded = readText(variant.second, QStringLiteral("variant.obj"));
        ASSERT_EQ(loaded.result, VxImportMgr::Success) << qPrintable(importer().getLastError());
        expectSameMesh(loaded.data(), plain.data());
        EXPECT_EQ(loaded.shape->getNumMaterials(), 1);
    }
    EXPECT_TRUE(loggedLines().isEmpty()) << qPrintable(loggedLines().join('\n'));
}

TEST_F(ImportTest, NgonsNegativeIndicesAndPartialUVs)
{
    const Loaded loaded = readText("v 0 0 0\nv 1 0 0\nv 2 1 0\nv 1 2 0\nv 0 2 0\nv -1 1 0\n"
                                   "f 1 2 3 4 5 6\n"
                                   "vt 0 0\nvt 1 0\nvt 0 1\n"
                                   "f -3 -2 -1\n"                  // vertices 4 5 6
                                   "f 1//1 2//1 3//1\n"             // normals are not kept
                                   "f 1/1 2/-1/7 3/-2/\n"           // vt 1, 3, 2
                                   "vt 0.5 +0.5 0\n"
                                   "f 4/-1 5/4 6 1\n"               // a quad, one corner without UV
                                   "v 1e-50 2.5E1 -.5\n");          // underflow reads as 0
    ASSERT_EQ(loaded.result, VxImportMgr::Success) << qPrintable(importer().getLastError());
    const VxFacetMeshData& data = loaded.data();
    EXPECT_EQ(data.numVertices(), 7);
    EXPECT_EQ(data.numUVs(), 4);
    EXPECT_EQ(data.facetStart, (std::vector<uint32_t>{0, 6, 9, 12, 15, 19}));
    EXPECT_EQ(data.cornerVertex, (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 3, 4, 5, 0, 1, 2, 0, 1, 2, 3, 4, 5, 0}));
    EXPECT_EQ(data.cornerUV, (std::vector<int32_t>{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 2, 1, 3, 3, -1, -1}));
    EXPECT_EQ(data.uvs[7], 0.5f);
    EXPECT_EQ(data.positions[18], 0.0f);
    EXPECT_EQ(data.positions[19], 25.0f);
    EXPECT_EQ(data.positions[20], -0.5f);
    EXPECT_EQ(loaded.mesh()->getNumFaceGroups(), 0);
    EXPECT_EQ(data.facetGroup, std::vector<int32_t>(5, -1));
    EXPECT_EQ(data.facetMaterial, std::vector<int32_t>(5, -1));
}

// A group or material exists once a facet lands in it; names repeat into the same one.
TEST_F(ImportTest, GroupsAndMaterialsFollowTheFacets)
{
    const Loaded loaded = readText("v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n"
                                   "f 1 2 3\n"                        // no group, no material
                                   "g a b\nusemtl my  skin\n"
                                   "f 1 2 3\n"
                                   "g lines\nusemtl unused\nl 1 2\np 3\n"
                                   "g\nusemtl\n"
                                   "f 2 3 4\n"
                                   "g a\nusemtl cloth # the second material\n"
                                   "f 1 3 4\n"
                                   "g  d  # comment\nusemtl my skin\n"
                                   "f 1 2 4\n");
    ASSERT_EQ(loaded.result, VxImportMgr::Success) << qPrintable(importer().getLastError());
    const VxFacetMeshData& data = loaded.data();
    EXPECT_EQ(data.groupNames, (QStringList{"a", "d"}));
    EXPECT_EQ(data.facetGroup, (std::vector<int32_t>{-1, 0, -1, 0, 1}));
    EXPECT_EQ(data.facetMaterial, (std::vector<int32_t>{-1, 0, -1, 1, 0}));
    ASSERT_EQ(loaded.shape->getNumMaterials(), 2);
    EXPECT_EQ(loaded.shape->getMaterial(0)->getName(), QStringLiteral("my skin"));
    EXPECT_EQ(loaded.shape->getMaterial(1)->getName(), QStringLiteral("cloth"));
    EXPECT_EQ(loaded.mesh()->getFaceGroupFacetCount(0), 2);
    EXPECT_EQ(loaded.mesh()->getFaceGroupFacetCount(1), 1);
    EXPECT_EQ(loaded.mesh()->getFaceGroupBoundingBox(QStringLiteral("d")), VxBox3(VxVec3(0, 0, 0), VxVec3(1, 1, 0)));
    // No material library named: plain usemtl names are no cause for warnings.
    EXPECT_TRUE(importer().getLastWarnings().isEmpty());

    // A group of lines only, then back to an earlier group; a material named and replaced
    // before any facet: neither is entered.
    const Loaded returning = readText("v 0 0 0\nv 1 0 0\nv 1 1 0\n"
                                      "g a\nf 1 2 3\ng lines\nl 1 2\ng a\nf 1 2 3\n"
                                      "usemtl unused\nusemtl skin\nf 1 2 3\n");
    ASSERT_EQ(returning.result, VxImportMgr::Success) << qPrintable(importer().getLastError());
    EXPECT_EQ(returning.data().groupNames, QStringList{"a"});
    EXPECT_EQ(returning.data().facetGroup, (std::vector<int32_t>{0, 0, 0}));
    ASSERT_EQ(returning.shape->getNumMaterials(), 1);
    EXPECT_EQ(returning.shape->getMaterial(0)->getName(), QStringLiteral("skin"));
}

TEST_F(ImportTest, EightBitNamesAreUtf8WhenValidElseLatin1)
{
    // Latin-1 names stay as distinct as their bytes; a valid UTF-8 name is UTF-8. The
    // material library's names are decoded the same way, so the material finds its colour.
    writeFile(QStringLiteral("latin/lib.mtl"), "newmtl \xe9toffe\nKd 1 0 0\n");
    const Loaded loaded = readFile(writeFile(QStringLiteral("latin/mesh.obj"),
                                             "mtllib lib.mtl\nv 0 0 0\nv 1 0 0\nv 1 1 0\nusemtl \xe9toffe\n"
                                             "g \xe9paule\nf 1 2 3\ng \xe8paule\nf 1 2 3\ng \xc9paule\nf 1 2 3\n"
                                             "g Sch\xc3\xa4\x64\x65l\nf 1 2 3\n"));
    ASSERT_EQ(loaded.result, VxImportMgr::Success) << qPrintable(importer().getLastError());
    EXPECT_EQ(loaded.data().groupNames, QStringList({QString::fromUtf8("\xc3\xa9paule"), QString::fromUtf8("\xc3\xa8paule"),
                                                     QString::fromUtf8("\xc3\x89paule"),
                                                     QString::fromUtf8("Sch\xc3\xa4\x64\x65l")}));
    auto* material = qobject_cast<VxDefaultMaterial*>(loaded.shape->getMaterial(0));
    EXPECT_EQ(material->getName(), QString::fromUtf8("\xc3\xa9toffe"));
    EXPECT_EQ(material->getDiffuseColor(), QColor::fromRgbF(1, 0, 0));
    EXPECT_TRUE(importer().getLastWarnings().isEmpty());
}

TEST_F(ImportTest, MaterialLibrariesGiveColoursAndTexturesAndMissingOnesAreWarnings)
{
    writeFile(QStringLiteral("mesh/lib.mtl"), "# library\r\n"
                                              "newmtl skin\r\n"
                                              "  Ka 0 0 0\r\n"
                                              "  Kd 1 0.5 0\r\n"
                                              "  map_Kd -s 1 1 1 textures\\skin.png\r\n"
                                              "newmtl grey\r\nKd 0.25\r\n"
                                              "newmtl broken\r\nKd 1 x 0\r\n");
    writeFile(QStringLiteral("mesh/second.mtl"), "newmtl skin\nKd 0 0 1\n");   // the first definition holds
    const QString path = writeFile(QStringLiteral("mesh/body.obj"), "mtllib lib.mtl missing.mtl\n"
                                                                    "mtllib second.mtl lib.mtl\n"
                                                                    "v 0 0 0\nv 1 0 0\nv 1 1 0\n"
                                                                    "usemtl grey\nf 1 2 3\n"
                                                                    "usemtl skin\nf 1 2 3\n"
                                                                    "usemtl ghost\nf 1 2 3\n"
                                                                    "usemtl broken\nf 1 2 3\n");
    const Loaded loaded = readFile(path);
    ASSERT_EQ(loaded.result, VxImportMgr::Success) << qPrintable(importer().getLastError());
    ASSERT_EQ(loaded.shape->getNumMaterials(), 4);
    auto material = [&](int i) { return qobject_cast<VxDefaultMaterial*>(loaded.shape->getMaterial(i)); };
    EXPECT_EQ(material(0)->getName(), QStringLiteral("grey"));
    EXPECT_EQ(material(0)->getDiffuseColor(), QColor::fromRgbF(0.25, 0.25, 0.25));
    EXPECT_EQ(material(1)->getDiffuseColor(), QColor::fromRgbF(1, 0.5, 0));
    EXPECT_EQ(material(1)->getDiffuseTexture(), tempPath(QStringLiteral("mesh/textures/skin.png")));
    EXPECT_EQ(material(2)->getName(), QStringLiteral("ghost"));
    EXPECT_EQ(material(2)->getDiffuseColor(), VxDefaultMaterial().getDiffuseColor());
    EXPECT_EQ(material(3)->getDiffuseColor(), VxDefaultMaterial().getDiffuseColor());

    const QString libPath = tempPath(QStringLiteral("mesh/lib.mtl"));
    const QStringList expected{path + QStringLiteral(":1: material library 'missing.mtl' not found"),
                               libPath + QStringLiteral(":9: Kd colour 'x' is not a number"),
                               path + QStringLiteral(":10: material 'ghost' is not defined in the material libraries")};
    EXPECT_EQ(importer().getLastWarnings(), expected);
    EXPECT_EQ(loggedLines(), expected);
    EXPECT_TRUE(importer().getLastError().isEmpty());
}

// Every refusal: a non-zero result, no shape, and one log line "<path>:<line>: <reason>".
TEST_F(ImportTest, RefusalsNameTheFileTheLineAndTheReason)
{
    const QByteArray triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
    const struct {
        QByteArray content;
        int line;
        const char* reason;
    } cases[] = {
        {"v 1 2\n", 1, "a vertex needs x, y and z coordinates"},
        {triangle + "f 1 2 4\n", 4, "vertex index 4 is out of range (3 defined so far)"},
        {triangle + "\n\nf 0 1 2\n", 6, "vertex index 0 (indices count from 1)"},
        {triangle + "f -4 1 2\n", 4, "vertex index -4 is out of range (3 defined so far)"},
        {triangle + "f 1 2\n", 4, "a face needs at least 3 vertices, this one has 2"},
        {triangle + "f 1 # 2 3\n", 4, "a face needs at least 3 vertices, this one has 1"},
        {triangle + "vt 0 0\nf 1/1 2/2 3/1\n", 5, "texture coordinate index 2 is out of range (1 defined so far)"},
        {triangle + "vt 0 0\nf 1/1/0 2/1 3/1\n", 5, "normal index 0 (indices count from 1)"},
        {triangle + "f 1 2 3a\n", 4, "face corner '3a' is not an index or v/vt/vn indices"},
        {triangle + "f 1 2 3/x\n", 4, "face corner '3/x' is not an index or v/vt/vn indices"},
        {"v 1 nan 0\n", 1, "coordinate 'nan' is not a finite number"},
        {"v 1 -inf 0\n", 1, "coordinate '-inf' is not a finite number"},
        {"v 1 1e39 0\n", 1, "coordinate '1e39' is too large"},
        {"v 1 3.1+e2 0\n", 1, "coordinate '3.1+e2' is not a number"},
        {"v 1 0x10 0\n", 1, "coordinate '0x10' is not a number"},
        {"v 0 0 0\nvt 0.5 zero\n", 2, "texture coordinate 'zero' is not a number"},
        {"v 0 0 0\nvt\n", 2, "a texture coordinate needs at least u"},
        {"v 0 0 0\nv 1 \\\n 0\n", 2, "a vertex needs x, y and z coordinates"},
        {"v 0 0 0\rv 1 0 0\r\rv 0 1\r", 4, "a vertex needs x, y and z coordinates"},
        {"v 0 0 0\r\nv 1 0 0\r\nf 1 2 3\r\n", 3, "vertex index 3 is out of range (2 defined so far)"},
        {"", 1, "no vertices: this is not an OBJ mesh"},
        {"# only\n# comments\n", 2, "no vertices: this is not an OBJ mesh"},
        {"Dear reader,\nthis is a letter.\n", 2, "no vertices: this is not an OBJ mesh"},
    };
    for (const auto& refusal : cases) {
        SCOPED_TRACE(refusal.content.constData());
        const int loggedBefore = loggedLines().size();
        const Loaded loaded = readText(refusal.content, QStringLiteral("bad.obj"));
        EXPECT_EQ(loaded.result, VxImportMgr::BadData);
        EXPECT_FALSE(loaded.shape);
        const QString expected = tempPath(QStringLiteral("bad.obj:%1: %2")).arg(refusal.line).arg(QLatin1String(refusal.reason));
        EXPECT_EQ(importer().getLastError().toStdString(), expected.toStdString());
        ASSERT_EQ(loggedLines().size(), loggedBefore + 1);
        EXPECT_EQ(loggedLines().last(), expected);
    }
}

TEST_F(ImportTest, FilesThatAreNotTextAreRefused)
{
    const QByteArray text = "v 0 0 0\r\nv 1 0 0\r\nv 0 1 0\r\nf 1 2 3\r\n";
    const QString utf16le = QString::fromLatin1(text);
    QByteArray littleEndian("\xff\xfe", 2);
    littleEndian.append(reinterpret_cast<const char*>(utf16le.utf16()), utf16le.size() * 2);
    QByteArray bigEndianWithoutMark;
    for (char c : text)
        bigEndianWithoutMark.append('\0').append(c);
    QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    QByteArray late = text;
    late.append(QByteArray(70 * 1024, '#'));   // a long comment, then binary beyond the first block
    late.append("\n\x01\x02\x03 data\n");
    // A megabyte of zeros past the first block, in a comment and after a statement.
    const QByteArray zeros(1 << 20, '\0');
    const QByteArray zerosInComment = late.left(late.indexOf('\x01')) + "# " + zeros + "\nf 1 2 3\n";
    const QByteArray zerosAfterVertex = late.left(late.indexOf('\x01')) + "v 1 2 3" + zeros;

    const struct {
        QByteArray content;
        int result;
        QString message;
    } cases[] = {
        {littleEndian, VxImportMgr::UnknownFormat, ":1: the file is UTF-16 text; only ASCII and UTF-8 can be read"},
        {bigEndianWithoutMark, VxImportMgr::UnknownFormat, ":1: the file is UTF-16 text; only ASCII and UTF-8 can be read"},
        {png, VxImportMgr::UnknownFormat, ":3: the file is binary, not text (byte 0x00)"},
        {QByteArray("v 0 0 0\n\0\0\0\0", 12), VxImportMgr::UnknownFormat, ":2: the file is binary, not text (byte 0x00)"},
        {late, VxImportMgr::BadData, ":6: binary data, not text (byte 0x01)"},
        {zerosInComment, VxImportMgr::UnknownFormat, ":6: the file is binary, not text (byte 0x00)"},
        {zerosAfterVertex, VxImportMgr::UnknownFormat, ":6: the file is binary, not text (byte 0x00)"},
    };
    for (const auto& refusal : cases) {
        const Loaded loaded = readText(refusal.content, QStringLiteral("odd.obj"));
        EXPECT_EQ(loaded.result, refusal.result) << qPrintable(refusal.message);
        EXPECT_EQ(importer().getLastError().toStdString(), (tempPath(QStringLiteral("odd.obj")) + refusal.message).toStdString());
    }

    const Loaded missing = readFile(tempPath(QStringLiteral("nowhere/none.obj")));
    EXPECT_EQ(missing.result, VxImportMgr::CannotOpen);
    EXPECT_TRUE(importer().getLastError().startsWith(tempPath(QStringLiteral("nowhere/none.obj: cannot open the file"))));
    // Only regular files are opened: a folder, a device that never ends, a named pipe that
    // would block in open until someone wrote to it.
    const QString pipe = tempPath(QStringLiteral("pipe.obj"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString& path : {tempPath(), QStringLiteral("/dev/zero"), pipe}) {
        EXPECT_EQ(readFile(path).result, VxImportMgr::CannotOpen) << qPrintable(path);
        EXPECT_TRUE(importer().getLastError().startsWith(path + QStringLiteral(": cannot open the file (")));
    }
    EXPECT_EQ(loggedLines().size(), 11);
}
