#include "iotestfiles.h"
#include "vxmessageboxanswerer.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyiklink.h"
#include "vxfshierarchyitem.h"
#include "vxfsphireader.h"
#include "vxfstemplatexml.h"

#include <QRandomGenerator>
#include <QSignalSpy>

#include <functional>

namespace {

class PhiTest : public IoTest
{
protected:
    void SetUp() override
    {
        IoTest::SetUp();
        m_figure = writeMesh(QStringLiteral("content/Runtime/Geometries/Fig/fig.obj"),
                             {"hip", "abdomen", "chest", "lThigh", "lShin", "lFoot"});
    }

    // Loads `text` (after a geometry line naming the figure mesh unless it has its own) into
    // m_document and returns the bone outline.
    QStringList load(const QByteArray& text, bool withGeometryLine = true)
    {
        const QByteArray content = (withGeometryLine ? "objFile:Runtime:Geometries:Fig:fig.obj\n" : "") + text;
        m_document.loadPHI(writeFile(QStringLiteral("input.phi"), content));
        return outline(m_document);
    }

    static int deepestLevel(const VxFSHierarchy& hierarchy)
    {
        int deepest = 0;
        std::function<void(const VxFSHierarchyItem*, int)> walk = [&](const VxFSHierarchyItem* bone, int level) {
            for (; bone; bone = bone->getNextSibling()) {
                deepest = qMax(deepest, level);
                walk(bone->getFirstChild(), level + 1);
            }
        };
        walk(hierarchy.getFirstBone(), 1);
        return deepest;
    }

    QString m_figure;
    VxFSHierarchy m_document;
};

} // namespace

TEST_F(PhiTest, DepthNumbersRebuildTheTreeOneLevelAtATime)
{
    // A shallower line closes one parent per level; the next deeper line opens the bone
    // before it.
    EXPECT_EQ(load("1 a xyz\n2 b xyz\n3 c xyz\n2 d xyz\n3 e xyz\n"),
              QStringList({"a", "  b", "    c", "  d", "    e"}));
    // A jump of two levels still goes one level down, and the counter follows the lines.
    EXPECT_EQ(load("1 a xyz\n3 b xyz\n3 c xyz\n2 d xyz\n"), QStringList({"a", "  b", "    c", "  d"}));
    // Running out of open parents leaves the counter where it was: both later bones are roots.
    EXPECT_EQ(load("1 a xyz\n2 b xyz\n0 c xyz\n1 d xyz\n"), QStringList({"a", "  b", "c", "d"}));
    // A first bone at depth 0 is a root; the depth-1 line after it becomes its child.
    EXPECT_EQ(load("0 a xyz\n1 b xyz\n-3 c xyz\n"), QStringList({"a", "  b", "c"}));
    // Lines too short to name a bone change nothing; neither do unknown lines.
    EXPECT_EQ(load("1 a xyz\n2 b\n2\n{\nversion 4\n2 c zyx\n"), QStringList({"a", "  c"}));
}

TEST_F(PhiTest, EverythingBeforeTheGeometryLineIsIgnored)
{
    QSignalSpy types(&m_document, &VxFSHierarchy::figureTypeChanged);
    QSignalSpy names(&m_document, &VxFSHierarchy::nameChanged);
    EXPECT_TRUE(load("1 early xyz\nikChain c early\n", false).isEmpty());
    EXPECT_EQ(m_document.getName(), QStringLiteral("Figure"));
    EXPECT_EQ(m_document.getFigureType(), Poser);
    EXPECT_EQ(m_document.getNumIKChains(), 0);
    ASSERT_EQ(types.count(), 1);
    EXPECT_EQ(types[0][0].value<VxFigureSetupFigureType>(), Poser);
    EXPECT_EQ(names.count(), 1); // the clear only

    EXPECT_EQ(load("1 early xyz\nOBJFILE:Runtime:Geometries:Fig:fig.obj\n1 hip xyz\n", false), QStringList({"hip"}));
    EXPECT_EQ(m_document.getName(), QStringLiteral("fig.obj"));
}

TEST_F(PhiTest, TheGeometryLineNamesTheFigureAndLoadsItsMeshFromTheRuntimeFolders)
{
    // Only in the second runtime folder: found there.
    const QString second = writeMesh(QStringLiteral("content2/Runtime/Geometries/Other/body.obj"), {"hip"});
    QSignalSpy names(&m_document, &VxFSHierarchy::nameChanged);
    QSignalSpy geometry(&m_document, &VxFSHierarchy::geometryChanged);
    load("objFile:Runtime:Geometries:Other:body.obj\nobjFile:Runtime:Geometries:Fig:fig.obj\n1 hip xyz\n", false);
    EXPECT_EQ(m_document.getName(), QStringLiteral("body.obj"));
    EXPECT_EQ(m_document.getLabel(), QStringLiteral("body.obj"));
    EXPECT_EQ(names.count(), 1); // the clear; naming the figure is silent
    ASSERT_NE(m_document.getBaseGeometry(), nullptr);
    EXPECT_EQ(m_document.getBaseGeometry()->getPath(), second);
    EXPECT_EQ(geometry.count(), 1);
    EXPECT_EQ(m_document.getNumGeometries(), 1); // the second geometry line was ignored
    EXPECT_EQ(m_document.getFirstBone()->getGeomGroup()->getGeomItem(), m_document.getBaseGeometry());

    // A space after the keyword leaves the token "objFile": the figure's name, and no path.
    load("objFile :Runtime:Geometries:Fig:fig.obj\n1 hip xyz\n", false);
    EXPECT_EQ(m_document.getName(), QStringLiteral("objFile"));
    EXPECT_EQ(m_document.getBaseGeometry(), nullptr);
    EXPECT_EQ(m_document.getFirstBone()->getGeomGroup(), nullptr);
    // A path that resolves to nothing names the figure all the same.
    load("objFile:Runtime:Geometries:Nowhere:gone.obj\n1 hip xyz\n", false);
    EXPECT_EQ(m_document.getName(), QStringLiteral("gone.obj"));
    EXPECT_EQ(m_document.getBaseGeometry(), nullptr);
    // Colons alone name no file (not the runtime folder itself): nothing is read or reported.
    VxMessageBoxAnswerer answerer;
    const int logged = loggedLines().size();
    VxFSHierarchy fresh;
    fresh.loadPHI(writeFile(QStringLiteral("colons.phi"), "objFile:\n1 hip xyz :\n"));
    EXPECT_EQ(fresh.getNumGeometries(), 0);
    EXPECT_EQ(answerer.count(), 0);
    EXPECT_EQ(loggedLines().size(), logged);
}

TEST_F(PhiTest, RotationOrderCodesAreReadInAnyCase)
{
    load("1 a ZYX\n1 b zyx\n1 c abc\n1 d yXz\n");
    EXPECT_EQ(m_document.findBone(QStringLiteral("a"))->getRotationOrder().getOrder(), 5);
    EXPECT_EQ(m_document.findBone(QStringLiteral("b"))->getRotationOrder().getOrder(), 5);
    EXPECT_EQ(m_document.findBone(QStringLiteral("c"))->getRotationOrder().getOrder(), 0);
    EXPECT_EQ(m_document.findBone(QStringLiteral("d"))->getRotationOrder().getOrder(), 2);
}

TEST_F(PhiTest, BonesTakeTheFaceGroupOfTheirNameFromTheirOwnOrTheFigureGeometry)
{
    const QString prop = writeMesh(QStringLiteral("content/Runtime/Geometries/Props/prop.obj"), {"lShin", "chest"});
    writeFile(QStringLiteral("content/Runtime/Geometries/Props/broken.obj"), "not a mesh\n");
    VxMessageBoxAnswerer answerer;
    load("1 hip xyz\n"
         "2 lShin yzx curve\n"                                  // curve, figure geometry
         "2 chest xyz :Runtime:Geometries:Props:prop.obj\n"     // its own geometry
         "2 lThigh xyz :Runtime:Geometries:Props:missing.obj\n" // nothing found: the line ends
         "2 abdomen xyz :Runtime:Geometries:Props:broken.obj\n" // does not load: the figure's
         "2 lFoot xyz Curve Runtime:Geometries:Props:prop.obj\n" // curve, then a path
         "1 hip xyz\n");                                         // becomes hip_1, no such group
    const VxFSGeomItem* figure = m_document.getBaseGeometry();
    ASSERT_NE(figure, nullptr);
    const auto group = [this](const char* bone) { return m_document.findBone(QString::fromLatin1(bone))->getGeomGroup(); };

    EXPECT_EQ(group("hip"), figure->findGroup(QStringLiteral("hip")));
    EXPECT_EQ(group("lShin"), figure->findGroup(QStringLiteral("lShin")));
    EXPECT_TRUE(m_document.findBone(QStringLiteral("lShin"))->getCurve());
    ASSERT_NE(group("chest"), nullptr);
    EXPECT_EQ(group("chest")->getGeomItem()->getPath(), prop);
    EXPECT_EQ(group("lThigh"), nullptr);
    EXPECT_EQ(group("abdomen"), figure->findGroup(QStringLiteral("abdomen")));
    EXPECT_TRUE(m_document.findBone(QStringLiteral("lFoot"))->getCurve());
    EXPECT_EQ(group("lFoot"), nullptr); // prop.obj has no lFoot group
    EXPECT_EQ(group("hip_1"), nullptr);
    EXPECT_EQ(m_document.getNumGeometries(), 2); // fig.obj and prop.obj, each once

    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Invalid Bone Name"));
}

TEST_F(PhiTest, ChainLinesLinkTheBonesAboveThem)
{
    load("ikChain early hip\n"
         "1 hip xyz\n2 lThigh xyz\n3 lShin xyz\n"
         "ikChain leftLeg lThigh lShin lFoot\n"
         "ikchain notAChain lThigh\n"
         "ikChain\n"
         "ikChain lonely\n");
    ASSERT_EQ(m_document.getNumIKChains(), 3);
    EXPECT_EQ(m_document.getIKChain(0)->getName(), QStringLiteral("early"));
    EXPECT_EQ(m_document.getIKChain(0)->getNumLinks(), 0);
    const VxFSHierarchyIKChain* leg = m_document.getIKChain(1);
    EXPECT_EQ(leg->getName(), QStringLiteral("leftLeg"));
    EXPECT_TRUE(leg->isActive());
    ASSERT_EQ(leg->getNumLinks(), 2);
    EXPECT_EQ(leg->getLink(0)->getBone(), m_document.findBone(QStringLiteral("lThigh")));
    EXPECT_EQ(leg->getLink(1)->getBone(), m_document.findBone(QStringLiteral("lShin")));
    EXPECT_FLOAT_EQ(leg->getLink(0)->getWeight(), 1.0f);
    EXPECT_FLOAT_EQ(leg->getLink(1)->getWeight(), 1.0f);
    EXPECT_EQ(m_document.getIKChain(2)->getName(), QStringLiteral("lonely"));
}

TEST_F(PhiTest, ALineLongerThanTheLimitGoesOnAsTheNextLine)
{
    // readLine(1024) hands out at most 1023 bytes: the rest of the line is a line of its own.
    QByteArray first = "1 hip xyz";
    first += QByteArray(1023 - first.size(), ' ');
    EXPECT_EQ(load(first + "2 chest xyz\n3 " + QByteArray(2000, 'x') + " xyz\n"),
              QStringList({"hip", "  chest"}));
}

TEST_F(PhiTest, AFileThatCannotBeOpenedLeavesTheDocumentAlone)
{
    m_document.setName(QStringLiteral("Kept"));
    new VxFSHierarchyItem(&m_document, QStringLiteral("hip"));
    const QString path = tempPath(QStringLiteral("missing.phi"));
    VxMessageBoxAnswerer answerer;
    m_document.loadPHI(path);
    const QString text = QStringLiteral("Unable to open file \"%1\" for reading.").arg(path);
    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Error opening file"));
    EXPECT_EQ(answerer.seen()[0].text, text);
    EXPECT_EQ(answerer.seen()[0].clicked, QStringLiteral("Ok"));
    EXPECT_TRUE(loggedLines().contains(QStringLiteral("Error reading PHI file: ") + text));
    EXPECT_EQ(m_document.getName(), QStringLiteral("Kept"));
    EXPECT_EQ(m_document.getFigureType(), SingleSkin);
    EXPECT_EQ(outline(m_document), QStringList({"hip"}));
}

TEST_F(PhiTest, FilesNestedDeeperThanATemplateCanHoldAreRefusedBeforeAnythingChanges)
{
    const int limit = VxFSTemplateXml::MaxBoneDepth;
    // The deepest bone takes a face group of the figure mesh, so it writes an element of its own.
    const auto chain = [](int bones) {
        QByteArray text;
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
        m_document.savePreset(tempPath(QStringLiteral("deep.vxt")));
        VxFSHierarchy reread;
        reread.loadPreset(tempPath(QStringLiteral("deep.vxt")));
        EXPECT_EQ(answerer.count(), 0);
        EXPECT_EQ(deepestLevel(reread), limit);
    }

    for (int bones : {limit + 1, 100000}) {
        VxMessageBoxAnswerer answerer;
        const QStringList before = outline(m_document);
        load(chain(bones));
        const QString text = QStringLiteral("The PHI file \"%1\" nests its bones more than %2 levels deep and can not "
                                            "be imported.").arg(tempPath(QStringLiteral("input.phi"))).arg(limit);
        ASSERT_EQ(answerer.count(), 1);
        EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Can not import PHI file"));
        EXPECT_EQ(answerer.seen()[0].text, text);
        EXPECT_TRUE(loggedLines().contains(QStringLiteral("Error reading PHI file: ") + text));
        EXPECT_EQ(outline(m_document), before);
    }
}

TEST_F(PhiTest, ThePreviewOfTheNestingAgreesWithTheTreeBuilt)
{
    QRandomGenerator random(7);
    for (int round = 0; round < 30; ++round) {
        QByteArray text = "objFile:x\n";
        QList<QByteArray> lines = {text};
        for (int i = 0; i < 60; ++i) {
            const QByteArray line = QByteArray::number(random.bounded(-2, 12)) + " n" + QByteArray::number(i) + " xyz\n";
            text += line;
            lines.append(line);
        }
        load(text, false);
        EXPECT_EQ(VxFSPhiReader::deepestBoneLevel(lines), deepestLevel(m_document)) << text.constData();
    }
}
