#include "iotestfiles.h"
#include "vxfuzzreaders.h"
#include "vxmessageboxanswerer.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyiklink.h"
#include "vxfshierarchyitem.h"
#include "vxfsphifile.h"
#include "vxfsregionitem.h"
#include "vxfstemplatefile.h"
#include "vxfstemplatexml.h"

#include <QFile>
#include <QSignalSpy>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString kSaveLog = QStringLiteral("Error saving Hierarchy Preset: ");
const QString kReadLog = QStringLiteral("Error reading Hierarchy preset: ");

QString bone(int depth, const QString& name, const QString& label, const QString& order = QStringLiteral("XYZ"))
{
    return QString(depth, QLatin1Char(' '))
           + QStringLiteral("Bone Bend=True BendBulge=False Curve=False Label=%1 Name=%2 RotationOrder=%3 "
                            "Scale=True SideBulge=False SideSide=True Twist=True TwistBulge=False")
                 .arg(label, name, order);
}

// Bones nested `bones` deep below the Figure.
QByteArray nestedBones(int bones)
{
    QByteArray xml = "<VexelHierarchyPreset><Figure>";
    for (int i = 0; i < bones; ++i)
        xml += "<Bone Name=\"b" + QByteArray::number(i) + "\">";
    return xml + QByteArray("</Bone>").repeated(bones) + "</Figure></VexelHierarchyPreset>";
}

class TemplateTest : public IoTest
{
protected:
    // body.obj in the first runtime folder, alt.obj outside any runtime folder.
    void SetUp() override
    {
        IoTest::SetUp();
        m_body = writeMesh(QStringLiteral("content/Runtime/Geometries/Test/body.obj"), {"hip", "abdomen", "chest", "lThigh"});
        m_alt = writeMesh(QStringLiteral("elsewhere/alt.obj"), {"hip"});
    }

    QString m_body;
    QString m_alt;
};

} // namespace

TEST_F(TemplateTest, EveryElementAndAttributeIsReadAndWrittenBackTheSame)
{
    // Geometry from both runtime folders.
    const QString second = writeMesh(QStringLiteral("content2/Runtime/Geometries/Second/two.obj"), {"hip"});
    const QString extra = writeMesh(QStringLiteral("content/Runtime/Geometries/Test/extra.obj"), {"x"});
    const QString input = vxSourcePath(QStringLiteral("tests/figuresetup/io/data/everything.vxt"));
    VxFSHierarchy document;
    VxFSTemplateFile::loadPreset(document, input);
    EXPECT_EQ(document.getLabel(), QString::fromUtf8("Der Held <\xc3\xbc&\">"));
    // Every switch is off its default on one of these bones: none can be mixed up unseen.
    const auto switches = [&document](const char* name) {
        const VxFSHierarchyItem* bone = document.findBone(QString::fromLatin1(name));
        return QStringLiteral("%1%2%3%4 %5%6%7 %8 ").arg(bone->getTwist()).arg(bone->getSideSide()).arg(bone->getBend())
                   .arg(bone->getScale()).arg(bone->getTwistBulge()).arg(bone->getSideBulge()).arg(bone->getBendBulge())
                   .arg(bone->getCurve()) + bone->getRotationOrder().toString() + QLatin1Char(' ') + bone->getLabel();
    };
    EXPECT_EQ(switches("hip"), QStringLiteral("0011 101 1 ZYX Hip"));
    EXPECT_EQ(switches("chest"), QStringLiteral("1100 010 0 YZX Chest"));
    ASSERT_EQ(document.getNumGeometries(), 3);
    EXPECT_EQ(document.getGeometry(0)->getPath(), m_body);
    EXPECT_EQ(document.getGeometry(1)->getPath(), second);
    EXPECT_EQ(document.getGeometry(2)->getPath(), extra);
    EXPECT_EQ(document.getBaseGeometry(), document.getGeometry(0));
    const VxFSHierarchyItem* hip = document.findBone(QStringLiteral("hip"));
    EXPECT_EQ(hip->getGeomGroup()->getGeomItem(), document.getGeometry(0));
    EXPECT_EQ(hip->getAltGeometry(0), document.getGeometry(1));
    EXPECT_EQ(document.findBone(QStringLiteral("lThigh"))->getWeldTarget(0), hip);
    EXPECT_EQ(document.getIKChain(0)->getLink(0)->getBone(), hip);

    const QString path = tempPath(QStringLiteral("hero.vxt"));
    VxFSTemplateFile::savePreset(document, path);
    const QByteArray xml = readBytes(path);
    EXPECT_EQ(VxFuzzReaders::elementTree(xml), VxFuzzReaders::elementTree(readBytes(input)));
    // UTF-8 without a declaration, one space per level, empty elements as empty-element tags,
    // the geometry list in the document's order.
    const QList<QByteArray> lines = xml.split('\n');
    ASSERT_GT(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith("<VexelHierarchyPreset ")) << lines[0].constData();
    EXPECT_TRUE(lines[1].startsWith(" <Figure ")) << lines[1].constData();
    EXPECT_TRUE(lines[1].contains(" Label=\"Der Held &lt;\xc3\xbc&amp;&quot;>\"")) << lines[1].constData();
    EXPECT_TRUE(lines[3].startsWith("  <Bone ")) << lines[3].constData();
    EXPECT_TRUE(lines[4].startsWith("   <AssignedGeom ")) << lines[4].constData();
    EXPECT_TRUE(lines[4].endsWith("/>")) << lines[4].constData();
    EXPECT_EQ(lines.mid(lines.size() - 3), QList<QByteArray>({" </Figure>", "</VexelHierarchyPreset>", ""}));
    const int geomItems = xml.indexOf("<GeomItem ");
    EXPECT_LT(xml.indexOf("Test/body.obj", geomItems), xml.indexOf("Second/two.obj", geomItems));
    EXPECT_LT(xml.indexOf("Second/two.obj", geomItems), xml.indexOf("Test/extra.obj", geomItems));
}

TEST_F(TemplateTest, AnEmptyDocumentIsNotSavedAndTheOldFileStays)
{
    VxFSHierarchy hierarchy;
    hierarchy.setBaseGeometry(hierarchy.addGeometry(m_body));
    hierarchy.createIKChain(QStringLiteral("leg"));
    new VxFSRegionItem(&hierarchy, QStringLiteral("Body"));
    const QString existing = writeFile(QStringLiteral("old.vxt"), "old template");
    for (const QString& path : {existing, tempPath(QStringLiteral("fresh.vxt"))}) {
        VxMessageBoxAnswerer answerer;
        VxFSTemplateFile::savePreset(hierarchy, path);
        expectOneBox(answerer, QStringLiteral("Can not save preset"), QStringLiteral("An empty preset can not be saved!"));
    }
    EXPECT_EQ(readBytes(existing), QByteArray("old template"));
    EXPECT_FALSE(QFile::exists(tempPath(QStringLiteral("fresh.vxt"))));
    EXPECT_TRUE(loggedLines().filter(QStringLiteral("Hierarchy")).isEmpty());
}

TEST_F(TemplateTest, FilesThatCanNotBeWrittenOrReadAreReportedAndChangeNothing)
{
    VxFSHierarchy hierarchy;
    auto* root = new VxFSHierarchyItem(&hierarchy, QStringLiteral("root"));
    for (int i = 0; i < 300; ++i)
        new VxFSHierarchyItem(root, QStringLiteral("bone%1").arg(i));
    const QString cannotWrite = QStringLiteral("Unable to open file \"%1\" for writing.");
    {
        const QString path = tempPath(QStringLiteral("no/such/folder/a.vxt"));
        VxMessageBoxAnswerer answerer;
        VxFSTemplateFile::savePreset(hierarchy, path);
        expectOneBox(answerer, QStringLiteral("Error opening file"), cannotWrite.arg(path), kSaveLog);
        EXPECT_FALSE(QFile::exists(path));
    }
    // A file that can not be read leaves the document alone; only regular files are read (a
    // named pipe would block in open until someone wrote to it).
    for (const QString& path : {tempPath(QStringLiteral("missing.vxt")), tempPath(), namedPipe(QStringLiteral("pipe.vxt"))}) {
        VxMessageBoxAnswerer answerer;
        VxFSTemplateFile::loadPreset(hierarchy, path);
        expectOneBox(answerer, QStringLiteral("Error opening file"),
                     QStringLiteral("Unable to open file \"%1\" for reading.").arg(path), kReadLog);
        EXPECT_EQ(hierarchy.getNumBones(true), 301);
    }
    // The file system refuses every byte past 16 KiB, as a full disk would.
    const QByteArray old = "<VexelHierarchyPreset Version=\"1.0\"/>\n";
    const QString path = writeFile(QStringLiteral("kept.vxt"), old);
    VxMessageBoxAnswerer answerer;
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 16 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    VxFSTemplateFile::savePreset(hierarchy, path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(readBytes(path), old);
    expectOneBox(answerer, QStringLiteral("Error opening file"), cannotWrite.arg(path), kSaveLog);
    EXPECT_EQ(QDir(tempPath()).entryList(QDir::Files), QStringList({"kept.vxt"})); // nothing left beside it
    VxFSTemplateFile::savePreset(hierarchy, path); // without the limit it replaces the old file
    EXPECT_GT(readBytes(path).size(), 16 * 1024);

    // A template with a second name (a hard link) keeps it: such a file is written in place.
    const QString second = tempPath(QStringLiteral("second name.vxt"));
    ASSERT_EQ(link(QFile::encodeName(path).constData(), QFile::encodeName(second).constData()), 0);
    new VxFSHierarchyItem(root, QStringLiteral("one more"));
    VxFSTemplateFile::savePreset(hierarchy, path);
    EXPECT_TRUE(readBytes(second).contains("one more"));
    EXPECT_EQ(readBytes(second), readBytes(path));
}

TEST_F(TemplateTest, ReadingIsLenientWithDefaultsAndExactTexts)
{
    VxFSHierarchy hierarchy(QStringLiteral("Before"));
    VxMessageBoxAnswerer answerer;
    VxFSTemplateFile::loadPreset(hierarchy, vxSourcePath(QStringLiteral("tests/figuresetup/io/data/lenient.vxt")));
    // The clashes of the second "thigh" and of the nameless regions were announced once each.
    ASSERT_EQ(answerer.count(), 2);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Invalid Bone Name"));
    EXPECT_EQ(answerer.seen()[1].title, QStringLiteral("Invalid Region Name"));
    EXPECT_EQ(hierarchy.getFigureType(), SingleSkin); // only the exact "Poser" selects it
    // Only bones read before the weld target can be found.
    const VxFSHierarchyItem* first = hierarchy.getFirstBone();
    ASSERT_EQ(first->getNumWeldTargets(), 1);
    EXPECT_EQ(first->getWeldTarget(0), first->getFirstChild());

    // What was read, as the (tested) writer puts it.
    VxFSTemplateFile::savePreset(hierarchy, tempPath(QStringLiteral("lenient.vxt")));
    EXPECT_EQ(VxFuzzReaders::elementTree(readBytes(tempPath(QStringLiteral("lenient.vxt")))),
              QStringList({
                  QStringLiteral("VexelHierarchyPreset Version=1.0"),
                  QStringLiteral(" Figure FigureType=SingleSkin Label=Figure Name=Figure"),
                  // "zyx" is no order name, "true" is not "True"; the rest are defaults.
                  QStringLiteral("  Bone Bend=False BendBulge=False Curve=False Label=Bone Name=Bone RotationOrder=XYZ "
                                 "Scale=True SideBulge=False SideSide=True Twist=False TwistBulge=True"),
                  bone(3, QStringLiteral("thigh"), QStringLiteral("Thigh"), QStringLiteral("YZX")),
                  bone(2, QStringLiteral("later"), QStringLiteral("Bone")),
                  bone(2, QStringLiteral("thigh_1"), QStringLiteral("Bone")),
                  // Only the exact "False" switches a chain off; "abc" does not parse as a
                  // weight; links to missing bones and nameless chains are dropped; a name
                  // finds the first bone in pre-order.
                  QStringLiteral("  IKChain IKActive=True IKName=leg"),
                  QStringLiteral("   IKLink IKLinkBone=Bone IKWeight=1"),
                  QStringLiteral("   IKLink IKLinkBone=later IKWeight=0.25"),
                  QStringLiteral("   IKLink IKLinkBone=thigh IKWeight=1"),
                  QStringLiteral("  IKChain IKActive=False IKName=off"),
                  // Without IKActive a chain is active; weights that are not finite are 1.
                  QStringLiteral("  IKChain IKActive=True IKName=bare"),
                  QStringLiteral("   IKLink IKLinkBone=later IKWeight=1"),
                  QStringLiteral("   IKLink IKLinkBone=thigh IKWeight=1"),
                  QStringLiteral("  Region Name=Region"),
                  QStringLiteral("   Region Name=Arm"),
                  QStringLiteral("    Region Name=Region_1"),
              }));
}

TEST_F(TemplateTest, GeometryPathsAreCutAtRuntimeAndResolvedThroughTheRuntimeFolders)
{
    // Written from the first "runtime" in any case, even inside a folder name; else whole.
    VxFSHierarchy saved;
    new VxFSHierarchyItem(&saved, QStringLiteral("hip"));
    saved.addGeometry(writeMesh(QStringLiteral("my runtimes/odd.obj"), {"hip"}));
    saved.addGeometry(m_alt);
    VxFSTemplateFile::savePreset(saved, tempPath(QStringLiteral("paths.vxt")));
    EXPECT_EQ(VxFuzzReaders::elementTree(readBytes(tempPath(QStringLiteral("paths.vxt")))).mid(3),
              QStringList({"  GeomItem GeomAbsolutePath=" + m_alt, "  GeomItem GeomRelativePath=runtimes/odd.obj"}));

    // Read: loaded geometry is reused, new geometry joins in order of first reference; a
    // leading "/" is dropped and back-slashes separate folders too; the absolute path wins
    // over a relative one; what nothing resolves is dropped.
    const QString extra = writeMesh(QStringLiteral("content/Runtime/Geometries/Test/extra.obj"), {"x"});
    const QString input = writeFile(QStringLiteral("order.vxt"), QStringLiteral(R"(<VexelHierarchyPreset><Figure>
  <Bone Name="hip">
   <AltGeom GeomRelativePath="/Runtime/Geometries/Test/extra.obj"/>
   <AssignedGeom GeomRelativePath="Runtime\Geometries\Test\body.obj" GeomGroup="hip"/>
  </Bone>
  <GeomItem GeomRelativePath="Runtime/Geometries/Missing/none.obj"/>
  <GeomItem GeomAbsolutePath="%1" GeomRelativePath="Runtime/Geometries/Test/body.obj"/>
  <GeomItem GeomAbsolutePath="%2"/>
  <AssignedGeom GeomRelativePath="Runtime/Geometries/Test/body.obj"/>
 </Figure></VexelHierarchyPreset>)").arg(m_alt, tempPath(QStringLiteral("nowhere.obj"))).toUtf8());
    VxFSHierarchy hierarchy;
    VxFSGeomItem* preloaded = hierarchy.addGeometry(m_body);
    for (int load = 0; load < 2; ++load) { // loading again loads nothing again
        VxFSTemplateFile::loadPreset(hierarchy, input);
        ASSERT_EQ(hierarchy.getNumGeometries(), 3);
        EXPECT_EQ(hierarchy.getGeometry(0), preloaded);
        EXPECT_EQ(hierarchy.getGeometry(1)->getPath(), extra);
        EXPECT_EQ(hierarchy.getGeometry(2)->getPath(), m_alt);
        EXPECT_EQ(hierarchy.getBaseGeometry(), preloaded);
        EXPECT_EQ(hierarchy.getFirstBone()->getGeomGroup(), preloaded->findGroup(QStringLiteral("hip")));
        EXPECT_EQ(hierarchy.getFirstBone()->getAltGeometry(0), hierarchy.getGeometry(1));
    }
    // A figure geometry that does not load leaves none; a bone's, no face group (a named
    // pipe is not read at all).
    writeFile(QStringLiteral("content/Runtime/Geometries/Test/broken.obj"), "f 1 2 3\n");
    namedPipe(QStringLiteral("content/Runtime/Geometries/Test/pipe.obj"));
    VxFSTemplateFile::loadPreset(hierarchy, writeFile(QStringLiteral("broken.vxt"), R"(<VexelHierarchyPreset><Figure>
  <AssignedGeom GeomRelativePath="Runtime/Geometries/Test/body.obj"/>
  <AssignedGeom GeomRelativePath="Runtime/Geometries/Test/broken.obj"/>
  <Bone Name="hip"><AssignedGeom GeomRelativePath="Runtime/Geometries/Test/broken.obj" GeomGroup="hip"/></Bone>
  <GeomItem GeomRelativePath="Runtime/Geometries/Test/pipe.obj"/>
 </Figure></VexelHierarchyPreset>)"));
    EXPECT_EQ(hierarchy.getBaseGeometry(), nullptr);
    EXPECT_EQ(hierarchy.getNumGeometries(), 3);
    EXPECT_EQ(hierarchy.getFirstBone()->getGeomGroup(), nullptr);
}

TEST_F(TemplateTest, WhatIsNotATemplateLeavesTheDocumentClearedWithItsGeometry)
{
    const QByteArray inputs[] = {
        "this is not XML",
        "<Other><Figure Name=\"x\"><Bone Name=\"hip\"/></Figure></Other>",
        "<VexelHierarchyPreset><Figure Name=\"x\"><Bone Name=\"hip\"/></Figure>", // cut short
        "",
        // Deeper than a template may be, but not well-formed: no template, so no refusal.
        "<VexelHierarchyPreset><Figure>" + QByteArray("<Bone>").repeated(1200),
        // Entities could make the text gigabytes long; templates declare none.
        "<!DOCTYPE VexelHierarchyPreset [<!ENTITY b \"<Bone Name='hip'/>\">]>"
        "<VexelHierarchyPreset><Figure Name=\"x\">&b;</Figure></VexelHierarchyPreset>",
    };
    for (const QByteArray& bytes : inputs) {
        VxFSHierarchy hierarchy(QStringLiteral("Before"));
        hierarchy.setLabel(QStringLiteral("Before"));
        hierarchy.setFigureType(Poser);
        hierarchy.setBaseGeometry(hierarchy.addGeometry(m_body));
        new VxFSHierarchyItem(&hierarchy, QStringLiteral("hip"));
        new VxFSRegionItem(&hierarchy, QStringLiteral("Body"));
        hierarchy.createIKChain(QStringLiteral("leg"));
        QSignalSpy names(&hierarchy, &VxFSHierarchy::nameChanged);
        VxMessageBoxAnswerer answerer;
        VxFSTemplateFile::loadPreset(hierarchy, writeFile(QStringLiteral("bad.vxt"), bytes));
        EXPECT_EQ(answerer.count(), 0) << bytes.constData();
        EXPECT_EQ(hierarchy.getName(), QStringLiteral("Figure"));
        EXPECT_EQ(hierarchy.getLabel(), QStringLiteral("Figure"));
        EXPECT_EQ(hierarchy.getFirstBone(), nullptr);
        EXPECT_EQ(hierarchy.getFirstRegion(), nullptr);
        EXPECT_EQ(hierarchy.getBaseGeometry(), nullptr);
        EXPECT_EQ(hierarchy.getNumIKChains(), 0);
        EXPECT_EQ(hierarchy.getNumGeometries(), 1);
        EXPECT_EQ(hierarchy.getFigureType(), Poser);
        EXPECT_EQ(names.count(), 1);
    }
}

TEST_F(TemplateTest, SeveralFiguresAddUpAndTheLastNameWins)
{
    const QString input = writeFile(QStringLiteral("two.vxt"), R"(<VexelHierarchyPreset>
 <Figure Name="One" Label="First" FigureType="Poser"><Bone Name="hip"/><IKChain IKName="a"/></Figure>
 <Figure Name="Two"><Bone Name="chest"/><Region Name="R"/></Figure>
</VexelHierarchyPreset>)");
    VxFSHierarchy hierarchy;
    QSignalSpy names(&hierarchy, &VxFSHierarchy::nameChanged);
    QSignalSpy types(&hierarchy, &VxFSHierarchy::figureTypeChanged);
    VxFSTemplateFile::loadPreset(hierarchy, input);
    EXPECT_EQ(hierarchy.getName(), QStringLiteral("Two"));
    EXPECT_EQ(hierarchy.getLabel(), QStringLiteral("Figure"));
    EXPECT_EQ(hierarchy.getFigureType(), SingleSkin);
    EXPECT_EQ(outline(hierarchy), QStringList({"hip", "chest"}));
    EXPECT_EQ(hierarchy.getNumIKChains(), 1);
    EXPECT_NE(hierarchy.getFirstRegion(), nullptr);
    EXPECT_EQ(names.count(), 3); // clear, then each figure's name
    EXPECT_EQ(types.count(), 2);
}

TEST_F(TemplateTest, TemplatesNestedTooDeeplyAreRefusedBeforeAnythingChanges)
{
    // Bones as deep as the limit allows load (below the document element and the Figure).
    const int deepest = VxFSTemplateXml::MaxElementDepth - 2;
    VxFSHierarchy hierarchy;
    VxFSTemplateFile::loadPreset(hierarchy, writeFile(QStringLiteral("deepest.vxt"), nestedBones(deepest)));
    EXPECT_EQ(deepestLevel(hierarchy), deepest);
    {
        // It saves again; one element more below the deepest bone and the writer refuses,
        // leaving the file it would have replaced as it was.
        const QString saved = tempPath(QStringLiteral("saved.vxt"));
        VxFSTemplateFile::savePreset(hierarchy, saved);
        const QByteArray before = readBytes(saved);
        ASSERT_FALSE(before.isEmpty());
        VxFSHierarchyItem* deepestBone = hierarchy.findBone(QStringLiteral("b%1").arg(deepest - 1));
        deepestBone->addWeldTarget(hierarchy.getFirstBone());
        VxMessageBoxAnswerer answerer;
        VxFSTemplateFile::savePreset(hierarchy, saved);
        expectOneBox(answerer, QStringLiteral("Can not save preset"),
                     QStringLiteral("The figure nests its bones or regions too deeply to be saved as a template "
                                    "(more than %1 levels of elements).").arg(VxFSTemplateXml::MaxElementDepth), kSaveLog);
        EXPECT_EQ(readBytes(saved), before);
        deepestBone->removeWeldTarget(hierarchy.getFirstBone());
    }
    // One level more is refused whole, and so is a deep tower of other elements (also after
    // a document type that declares nothing).
    const QByteArray tower = "<VexelHierarchyPreset>" + QByteArray("<a>").repeated(200000)
                             + QByteArray("</a>").repeated(200000) + "</VexelHierarchyPreset>";
    for (const QByteArray& bytes : {nestedBones(deepest + 1), nestedBones(10000), tower, "<!DOCTYPE x>" + tower}) {
        const QString path = writeFile(QStringLiteral("deep.vxt"), bytes);
        VxMessageBoxAnswerer answerer;
        VxFSTemplateFile::loadPreset(hierarchy, path);
        expectOneBox(answerer, QStringLiteral("Can not load preset"),
                     QStringLiteral("The template \"%1\" nests its elements more than %2 levels deep and can not "
                                    "be loaded.").arg(path).arg(VxFSTemplateXml::MaxElementDepth), kReadLog);
        EXPECT_EQ(deepestLevel(hierarchy), deepest); // untouched
    }

    // The nesting is measured from the markup: what only looks like elements (in comments,
    // CDATA sections, processing instructions, attribute values) does not count.
    const QByteArray lookalikes = QByteArray("<a>").repeated(2000);
    VxMessageBoxAnswerer answerer;
    VxFSTemplateFile::loadPreset(hierarchy, writeFile(QStringLiteral("shallow.vxt"),
                                   "<?pi " + lookalikes + "?><!-- " + lookalikes
                                       + " --><VexelHierarchyPreset><Figure><![CDATA[" + lookalikes
                                       + "]]><Bone Name=\"x>y\" Label='>'/></Figure></VexelHierarchyPreset>"));
    EXPECT_EQ(answerer.count(), 0);
    EXPECT_EQ(outline(hierarchy), QStringList({"x>y"}));
}

TEST_F(TemplateTest, CharactersXmlCannotHoldAreSavedAsReplacementCharacters)
{
    // A damaged PHI file gives such names; the template saved from them must load again.
    VxFSHierarchy saved;
    VxFSPhiFile::loadPHI(saved, writeFile(QStringLiteral("damaged.phi"), "objFile:x\n1 a\x01z xyz\n1 \xef\xbf\xbe xyz\n"
                                                           "2 tab\x1f xyz\nikChain c\x02 a\x01z\n"));
    ASSERT_EQ(saved.getNumBones(true), 3);
    // Bones made in the editor may hold them too.
    new VxFSHierarchyItem(&saved, QString::fromUtf8("\xf0\x9f\x92\x80 \t\n\r") + QChar(0xD800));
    new VxFSHierarchyItem(&saved, QStringLiteral("b") + QChar(0x7));
    VxFSTemplateFile::savePreset(saved, tempPath(QStringLiteral("safe.vxt")));

    VxFSHierarchy loaded;
    VxFSTemplateFile::loadPreset(loaded, tempPath(QStringLiteral("safe.vxt")));
    const QString replacement(QChar::ReplacementCharacter);
    EXPECT_EQ(outline(loaded), QStringList({"a" + replacement + "z", replacement, "  tab" + replacement,
                                            QString::fromUtf8("\xf0\x9f\x92\x80 \t\n\r") + replacement,
                                            "b" + replacement}));
    ASSERT_EQ(loaded.getNumIKChains(), 1);
    EXPECT_EQ(loaded.getIKChain(0)->getName(), "c" + replacement);
    EXPECT_EQ(loaded.getIKChain(0)->getLink(0)->getBone(), loaded.getFirstBone());
}
