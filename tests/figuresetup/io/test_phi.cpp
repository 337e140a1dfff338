#include "iotestfiles.h"
#include "vxmessageboxanswerer.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyiklink.h"
#include "vxfshierarchyitem.h"
#include "vxfsphifile.h"
#include "vxfsphireader.h"
#include "vxfstemplatefile.h"
#include "vxfstemplatexml.h"

#include <QByteArrayList>
#include <QRandomGenerator>
#include <QSignalSpy>

namespace {

const QByteArray kGeometryLine = "objFile:Runtime:Geometries:Fig:fig.obj\n";

class PhiTest : public IoTest
{
protected:
    void SetUp() override
    {
        IoTest::SetUp();
        writeMesh(QStringLiteral("content/Runtime/Geometries/Fig/fig.obj"),
                  {"hip", "abdomen", "chest", "lThigh", "lShin", "lFoot"});
    }

    // Loads `text` into m_document and returns the bone outline.
    QStringList load(const QByteArray& text)
    {
        VxFSPhiFile::loadPHI(m_document, writeFile(QStringLiteral("input.phi"), text));
        return outline(m_document);
    }

    VxFSHierarchy m_document;
};

} // namespace

TEST_F(PhiTest, DepthNumbersRebuildTheTreeOneLevelAtATime)
{
    const struct {
        const char* lines;
        QStringList outline;
    } cases[] = {
        // A shallower line closes one parent per level; a deeper one opens the bone before it.
        {"1 a xyz\n2 b xyz\n3 c xyz\n2 d xyz\n3 e xyz\n", {"a", "  b", "    c", "  d", "    e"}},
        // A jump of two levels still goes one level down, and the counter follows the lines.
        {"1 a xyz\n3 b xyz\n3 c xyz\n2 d xyz\n", {"a", "  b", "    c", "  d"}},
        // Running out of open parents leaves the counter where it was: both later bones are roots.
        {"1 a xyz\n2 b xyz\n0 c xyz\n1 d xyz\n", {"a", "  b", "c", "d"}},
        // A first bone at depth 0 is a root; the depth-1 line after it becomes its child.
        {"0 a xyz\n1 b xyz\n-3 c xyz\n", {"a", "  b", "c"}},
        // Lines too short to name a bone change nothing; neither do unknown lines, nor depths
        // that are no decimal int.
        {"1 a xyz\n2 b\n2\n{\nversion 4\n4x x xyz\n0x1 x xyz\n99999999999 x xyz\n2 c zyx\n", {"a", "  c"}},
        // A sign is part of the number.
        {"1 a xyz\n+2 b xyz\n", {"a", "  b"}},
    };
    for (const auto& example : cases)
        EXPECT_EQ(load(kGeometryLine + example.lines), example.outline) << example.lines;
}

TEST_F(PhiTest, EverythingBeforeTheGeometryLineIsIgnored)
{
    m_document.setFigureType(Poser); // announced again all the same
    QSignalSpy types(&m_document, &VxFSHierarchy::figureTypeChanged);
    QSignalSpy names(&m_document, &VxFSHierarchy::nameChanged);
    EXPECT_TRUE(load("1 early xyz\nikChain c early\n").isEmpty());
    EXPECT_EQ(m_document.getName(), QStringLiteral("Figure"));
    EXPECT_EQ(m_document.getFigureType(), Poser);
    EXPECT_EQ(m_document.getNumIKChains(), 0);
    EXPECT_EQ(types.count(), 1);
    EXPECT_EQ(names.count(), 1); // the clear only

    EXPECT_EQ(load("1 early xyz\nOBJFILE:Runtime:Geometries:Fig:fig.obj\n1 hip xyz\n"), QStringList({"hip"}));
    EXPECT_EQ(m_document.getName(), QStringLiteral("fig.obj"));
}

TEST_F(PhiTest, TheGeometryLineNamesTheFigureAndLoadsItsMeshFromTheRuntimeFolders)
{
    // Only in the second runtime folder: found there.
    const QString second = writeMesh(QStringLiteral("content2/Runtime/Geometries/Other/body.obj"), {"hip"});
    QSignalSpy names(&m_document, &VxFSHierarchy::nameChanged);
    QSignalSpy geometry(&m_document, &VxFSHierarchy::geometryChanged);
    load("objFile:Runtime:Geometries:Other:body.obj\n" + kGeometryLine + "1 hip xyz\n");
    EXPECT_EQ(m_document.getName(), QStringLiteral("body.obj"));
    EXPECT_EQ(m_document.getLabel(), QStringLiteral("body.obj"));
    EXPECT_EQ(names.count(), 1); // the clear; naming the figure is silent
    ASSERT_NE(m_document.getBaseGeometry(), nullptr);
    EXPECT_EQ(m_document.getBaseGeometry()->getPath(), second);
    EXPECT_EQ(geometry.count(), 1);
    EXPECT_EQ(m_document.getNumGeometries(), 1); // the second geometry line was ignored
    EXPECT_EQ(m_document.getFirstBone()->getGeomGroup()->getGeomItem(), m_document.getBaseGeometry());

    // A space after the keyword leaves the token "objFile": the figure's name, and no path.
    load("objFile :Runtime:Geometries:Fig:fig.obj\n1 hip xyz\n");
    EXPECT_EQ(m_document.getName(), QStringLiteral("objFile"));
    EXPECT_EQ(m_document.getBaseGeometry(), nullptr);
    EXPECT_EQ(m_document.getFirstBone()->getGeomGroup(), nullptr);
    // A path that resolves to nothing names the figure all the same.
    load("objFile:Runtime:Geometries:Nowhere:gone.obj\n1 hip xyz\n");
    EXPECT_EQ(m_document.getName(), QStringLiteral("gone.obj"));
    EXPECT_EQ(m_document.getBaseGeometry(), nullptr);
    // Colons alone name no file (not the runtime folder itself): nothing is read or reported.
    VxMessageBoxAnswerer answerer;
    const int logged = loggedLines().size();
    VxFSHierarchy fresh;
    VxFSPhiFile::loadPHI(fresh, writeFile(QStringLiteral("colons.phi"), "objFile:\n1 hip xyz :\n"));
    EXPECT_EQ(fresh.getNumGeometries(), 0);
    EXPECT_EQ(answerer.count(), 0);
    EXPECT_EQ(loggedLines().size(), logged);
}

TEST_F(PhiTest, BonesTakeTheFaceGroupOfTheirNameFromTheirOwnOrTheFigureGeometry)
{
    writeMesh(QStringLiteral("content/Runtime/Geometries/Props/prop.obj"), {"lShin", "chest"});
    writeFile(QStringLiteral("content/Runtime/Geometries/Props/broken.obj"), "not a mesh\n");
    writeFile(QStringLiteral("content/Runtime/Geometries/Props/latin.obj"),
              "v 0 0 0\nv 1 0 0\nv 1 1 0\ng \xe9paule\nf 1 2 3\ng \xe8paule\nf 1 2 3\n");
    VxMessageBoxAnswerer answerer;
    load(kGeometryLine + "1 hip xyz\n"
         "2 \xe8paule xyz :Runtime:Geometries:Props:latin.obj\n"  // Latin-1, as the mesh's groups
         "2 lShin YzX curve\n"                                  // curve, figure geometry
         "2 chest xyz :Runtime:Geometries:Props:prop.obj\n"     // its own geometry
         "2 lThigh xyz :Runtime:Geometries:Props:missing.obj\n" // nothing found: the line ends
         "2 abdomen abc :Runtime:Geometries:Props:broken.obj\n" // does not load: the figure's
         "2 lFoot xyz Curve Runtime:Geometries:Props:prop.obj\n" // curve, then a path
         "1 hip xyz\n");                                         // becomes hip_1, no such group
    EXPECT_EQ(details(m_document), QStringList({"hip XYZ fig.obj:hip",
                                                QString::fromUtf8("  \xc3\xa8paule XYZ latin.obj:\xc3\xa8paule"),
                                                "  lShin YZX curve fig.obj:lShin",
                                                "  chest XYZ prop.obj:chest", "  lThigh XYZ",
                                                "  abdomen XYZ fig.obj:abdomen", "  lFoot XYZ curve", "hip_1 XYZ"}));
    EXPECT_EQ(m_document.getNumGeometries(), 3); // fig.obj, latin.obj and prop.obj, each once
    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Invalid Bone Name"));
}

TEST_F(PhiTest, ChainLinesLinkTheBonesAboveThem)
{
    load(kGeometryLine + "ikChain early hip\n1 hip xyz\n2 lThigh xyz\n3 lShin xyz\n"
         "ikChain leftLeg lThigh lShin lFoot\nikchain notAChain lThigh\nikChain\nikChain lonely\n");
    // Only bones above a chain line are linked; lFoot is missing.
    EXPECT_EQ(details(m_document).mid(3),
              QStringList({"ikChain early", "ikChain leftLeg lThigh*1 lShin*1", "ikChain lonely"}));
}

TEST_F(PhiTest, ALineLongerThanTheLimitGoesOnAsTheNextLine)
{
    // readLine(1024) hands out at most 1023 bytes: the rest of the line is a line of its own.
    QByteArray first = "1 hip xyz";
    first += QByteArray(1023 - first.size(), ' ');
    EXPECT_EQ(load(kGeometryLine + first + "2 chest xyz\n3 " + QByteArray(2000, 'x') + " xyz\n"),
              QStringList({"hip", "  chest"}));
}

TEST_F(PhiTest, AFileThatCannotBeOpenedLeavesTheDocumentAlone)
{
    m_document.setName(QStringLiteral("Kept"));
    new VxFSHierarchyItem(&m_document, QStringLiteral("hip"));
    // Only regular files are read: a named pipe would block in open.
    for (const QString& path : {tempPath(QStringLiteral("missing.phi")), tempPath(), namedPipe(QStringLiteral("pipe.phi"))}) {
        VxMessageBoxAnswerer answerer;
        VxFSPhiFile::loadPHI(m_document, path);
        expectOneBox(answerer, QStringLiteral("Error opening file"),
                     QStringLiteral("Unable to open file \"%1\" for reading.").arg(path),
                     QStringLiteral("Error reading PHI file: "));
        EXPECT_EQ(m_document.getName(), QStringLiteral("Kept"));
        EXPECT_EQ(m_document.getFigureType(), SingleSkin);
        EXPECT_EQ(outline(m_document), QStringList({"hip"}));
    }
}

TEST_F(PhiTest, FilesNestedDeeperThanATemplateCanHoldAreRefusedBeforeAnythingChanges)
{
    const int limit = VxFSTemplateXml::MaxBoneDepth;
    // The deepest bone takes a face group of the figure mesh, so it writes an element of its own.
    const auto chain = [](int bones) {
        QByteArray text = kGeometryLine;
        for (int i = 1; i <= bones; ++i)
            text += QByteArray::number(i) + (i == bones ? " lFoot" : " b" + QByteArray::number(i)) + " xyz\n";
        return text;
    };
    load(chain(limit));
    EXPECT_EQ(deepestLevel(m_document), limit);
    ASSERT_NE(m_document.findBone(QStringLiteral("lFoot"))->getGeomGroup(), nullptr);
    {
        // What was imported saves as a template that reads back whole.
        VxMessageBoxAnswerer answerer;
        VxFSTemplateFile::savePreset(m_document, tempPath(QStringLiteral("deep.vxt")));
        VxFSHierarchy reread;
        VxFSTemplateFile::loadPreset(reread, tempPath(QStringLiteral("deep.vxt")));
        EXPECT_EQ(answerer.count(), 0);
        EXPECT_EQ(deepestLevel(reread), limit);
    }
    for (int bones : {limit + 1, 100000}) {
        VxMessageBoxAnswerer answerer;
        const QStringList before = outline(m_document);
        load(chain(bones));
        expectOneBox(answerer, QStringLiteral("Can not import PHI file"),
                     QStringLiteral("The PHI file \"%1\" nests its bones more than %2 levels deep and can not be "
                                    "imported.").arg(tempPath(QStringLiteral("input.phi"))).arg(limit),
                     QStringLiteral("Error reading PHI file: "));
        EXPECT_EQ(outline(m_document), before);
    }
}

TEST_F(PhiTest, ThePreviewOfTheNestingAgreesWithTheTreeBuilt)
{
    QRandomGenerator random(7);
    for (int round = 0; round < 30; ++round) {
        QByteArrayList lines = {"objFile:x\n"};
        for (int i = 0; i < 60; ++i)
            lines.append(QByteArray::number(random.bounded(-2, 12)) + " n" + QByteArray::number(i) + " xyz\n");
        const QByteArray text = lines.join();
        load(text);
        VxFSPhiNesting nesting;
        for (const QByteArray& line : lines)
            nesting.addLine(line);
        EXPECT_EQ(nesting.deepestLevel(), deepestLevel(m_document)) << text.constData();
    }
}
