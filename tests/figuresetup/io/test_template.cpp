#include "iotestfiles.h"
#include "vxmessageboxanswerer.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyiklink.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"
#include "vxfstemplatexml.h"

#include <QDomDocument>
#include <QFile>
#include <QSignalSpy>
#include <QXmlStreamReader>

#include <csignal>
#include <cstring>
#include <functional>
#include <sys/resource.h>

namespace {

// The element tree of a template: one line per element, indented by its depth, with the
// attributes sorted by name (their order in the file carries no meaning).
QStringList elementTree(const QByteArray& xml)
{
    QDomDocument document;
    QXmlStreamReader reader(xml);
    if (!document.setContent(&reader, false))
        return {QStringLiteral("not XML")};
    QStringList lines;
    std::function<void(const QDomElement&, int)> walk = [&](const QDomElement& element, int depth) {
        QStringList attributes;
        const QDomNamedNodeMap map = element.attributes();
        for (int i = 0; i < map.count(); ++i)
            attributes.append(map.item(i).nodeName() + QLatin1Char('=') + map.item(i).nodeValue());
        attributes.sort();
        lines.append(QString(depth, QLatin1Char(' ')) + element.tagName() + QLatin1Char(' ') + attributes.join(QLatin1Char(' ')));
        for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
            walk(child, depth + 1);
    };
    walk(document.documentElement(), 0);
    return lines;
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const char* kBoneDefaults = "Bend=True BendBulge=False Curve=False Label=%1 Name=%1 RotationOrder=XYZ "
                            "Scale=True SideBulge=False SideSide=True Twist=True TwistBulge=False";

QString bone(int depth, const QString& name)
{
    return QString(depth, QLatin1Char(' ')) + QStringLiteral("Bone ") + QString::fromLatin1(kBoneDefaults).arg(name);
}

class TemplateTest : public IoTest
{
protected:
    // body.obj in the first runtime folder, alt.obj outside any runtime folder.
    void SetUp() override
    {
        IoTest::SetUp();
        m_body = writeMesh(QStringLiteral("content/Runtime/Geometries/Test/body.obj"),
                           {"hip", "abdomen", "chest", "lThigh"});
        m_alt = writeMesh(QStringLiteral("elsewhere/alt.obj"), {"hip"});
    }

    QString m_body;
    QString m_alt;
};

} // namespace

TEST_F(TemplateTest, TheWholeDocumentIsWrittenInOrderAndReadBackTheSame)
{
    VxFSHierarchy saved(QStringLiteral("Hero"));
    saved.setLabel(QStringLiteral("The Hero"));
    saved.setFigureType(Poser);
    VxFSGeomItem* body = saved.addGeometry(m_body);
    VxFSGeomItem* alt = saved.addGeometry(m_alt);
    ASSERT_TRUE(body && alt);
    saved.setBaseGeometry(body);
    auto* hip = new VxFSHierarchyItem(&saved, QStringLiteral("hip"));
    auto* abdomen = new VxFSHierarchyItem(hip, QStringLiteral("abdomen"));
    auto* chest = new VxFSHierarchyItem(abdomen, QStringLiteral("chest"));
    auto* thigh = new VxFSHierarchyItem(hip, QStringLiteral("lThigh"));
    new VxFSHierarchyItem(&saved, QStringLiteral("prop"));
    hip->setLabel(QStringLiteral("Hip"));
    hip->setRotationOrder(VxRotationOrder(VxRotationOrder::ZYX));
    hip->setCurve(true);
    hip->setTwist(false);
    hip->setBend(false);
    hip->setSideSide(false);
    hip->setScale(false);
    hip->setTwistBulge(true);
    hip->setSideBulge(true);
    hip->setBendBulge(true);
    hip->setGeomGroup(body->findGroup(QStringLiteral("hip")));
    hip->addAltGeometry(alt);
    chest->setRotationOrder(VxRotationOrder(VxRotationOrder::YZX));
    thigh->setGeomGroup(body->findGroup(QStringLiteral("lThigh")));
    thigh->addWeldTarget(hip);
    thigh->addWeldTarget(chest);
    VxFSHierarchyIKChain* leg = saved.createIKChain(QStringLiteral("leftLeg"));
    leg->addLink(hip, 0.5f);
    leg->addLink(thigh, 1.0f);
    VxFSHierarchyIKChain* spine = saved.createIKChain(QStringLiteral("spine"));
    spine->setActive(false);
    spine->addLink(chest, 0.1f);
    auto* bodyRegion = new VxFSRegionItem(&saved, QStringLiteral("Body"));
    auto* arms = new VxFSRegionItem(bodyRegion, QStringLiteral("Arms"));
    new VxFSRegionItem(arms, QStringLiteral("Left"));
    new VxFSRegionItem(&saved, QStringLiteral("Head"));

    const QString path = tempPath(QStringLiteral("hero.vxt"));
    saved.savePreset(path);
    const QByteArray xml = readBytes(path);

    const QString bodyPath = QStringLiteral("GeomRelativePath=Runtime/Geometries/Test/body.obj");
    const QStringList expected = {
        QStringLiteral("VexelHierarchyPreset Version=1.0"),
        QStringLiteral(" Figure FigureType=Poser Label=The Hero Name=Hero"),
        QStringLiteral("  AssignedGeom ") + bodyPath,
        QStringLiteral("  Bone Bend=False BendBulge=True Curve=True Label=Hip Name=hip RotationOrder=ZYX "
                       "Scale=False SideBulge=True SideSide=False Twist=False TwistBulge=True"),
        QStringLiteral("   AssignedGeom GeomGroup=hip ") + bodyPath,
        QStringLiteral("   AltGeom GeomAbsolutePath=") + m_alt,
        bone(3, QStringLiteral("abdomen")),
        bone(4, QStringLiteral("chest")).replace(QLatin1String("XYZ"), QLatin1String("YZX")),
        bone(3, QStringLiteral("lThigh")),
        QStringLiteral("    WeldTarget WeldTargetName=hip"),
        QStringLiteral("    WeldTarget WeldTargetName=chest"),
        QStringLiteral("    AssignedGeom GeomGroup=lThigh ") + bodyPath,
        bone(2, QStringLiteral("prop")),
        QStringLiteral("  IKChain IKActive=True IKName=leftLeg"),
        QStringLiteral("   IKLink IKLinkBone=hip IKWeight=0.5"),
        QStringLiteral("   IKLink IKLinkBone=lThigh IKWeight=1"),
        QStringLiteral("  IKChain IKActive=False IKName=spine"),
        QStringLiteral("   IKLink IKLinkBone=chest IKWeight=0.1"),
        QStringLiteral("  Region Name=Body"),
        QStringLiteral("   Region Name=Arms"),
        QStringLiteral("    Region Name=Left"),
        QStringLiteral("  Region Name=Head"),
        QStringLiteral("  GeomItem ") + bodyPath,
        QStringLiteral("  GeomItem GeomAbsolutePath=") + m_alt,
    };
    EXPECT_EQ(elementTree(xml), expected);

    VxFSHierarchy loaded;
    loaded.loadPreset(path);
    EXPECT_EQ(loaded.getName(), QStringLiteral("Hero"));
    EXPECT_EQ(loaded.getLabel(), QStringLiteral("The Hero"));
    EXPECT_EQ(loaded.getFigureType(), Poser);
    ASSERT_EQ(loaded.getNumGeometries(), 2);
    EXPECT_EQ(loaded.getGeometry(0)->getPath(), m_body);
    EXPECT_EQ(loaded.getGeometry(1)->getPath(), m_alt);
    EXPECT_EQ(loaded.getBaseGeometry(), loaded.getGeometry(0));
    EXPECT_EQ(outline(loaded), QStringList({"hip", "  abdomen", "    chest", "  lThigh", "prop"}));

    const VxFSHierarchyItem* hip2 = loaded.findBone(QStringLiteral("hip"));
    EXPECT_EQ(hip2->getLabel(), QStringLiteral("Hip"));
    EXPECT_EQ(hip2->getRotationOrder().getOrder(), int(VxRotationOrder::ZYX));
    EXPECT_TRUE(hip2->getCurve());
    EXPECT_FALSE(hip2->getTwist() || hip2->getBend() || hip2->getSideSide() || hip2->getScale());
    EXPECT_TRUE(hip2->getTwistBulge() && hip2->getSideBulge() && hip2->getBendBulge());
    ASSERT_TRUE(hip2->getGeomGroup());
    EXPECT_EQ(hip2->getGeomGroup()->getName(), QStringLiteral("hip"));
    EXPECT_EQ(hip2->getGeomGroup()->getGeomItem(), loaded.getGeometry(0));
    ASSERT_EQ(hip2->getNumAltGeometries(), 1);
    EXPECT_EQ(hip2->getAltGeometry(0), loaded.getGeometry(1));
    EXPECT_EQ(loaded.findBone(QStringLiteral("chest"))->getRotationOrder().getOrder(), int(VxRotationOrder::YZX));
    const VxFSHierarchyItem* thigh2 = loaded.findBone(QStringLiteral("lThigh"));
    ASSERT_EQ(thigh2->getNumWeldTargets(), 2);
    EXPECT_EQ(thigh2->getWeldTarget(0), hip2);
    EXPECT_EQ(thigh2->getWeldTarget(1), loaded.findBone(QStringLiteral("chest")));
    EXPECT_EQ(loaded.findBone(QStringLiteral("abdomen"))->getLabel(), QStringLiteral("abdomen"));

    ASSERT_EQ(loaded.getNumIKChains(), 2);
    const VxFSHierarchyIKChain* leg2 = loaded.getIKChain(0);
    EXPECT_EQ(leg2->getName(), QStringLiteral("leftLeg"));
    EXPECT_TRUE(leg2->isActive());
    ASSERT_EQ(leg2->getNumLinks(), 2);
    EXPECT_EQ(leg2->getLink(0)->getBone(), hip2);
    EXPECT_FLOAT_EQ(leg2->getLink(0)->getWeight(), 0.5f);
    EXPECT_EQ(leg2->getLink(1)->getBone(), thigh2);
    EXPECT_FALSE(loaded.getIKChain(1)->isActive());
    EXPECT_FLOAT_EQ(loaded.getIKChain(1)->getLink(0)->getWeight(), 0.1f);

    const VxFSRegionItem* region = loaded.getFirstRegion();
    ASSERT_TRUE(region);
    EXPECT_EQ(region->getName(), QStringLiteral("Body"));
    EXPECT_EQ(region->getFirstChild()->getName(), QStringLiteral("Arms"));
    EXPECT_EQ(region->getFirstChild()->getFirstChild()->getName(), QStringLiteral("Left"));
    EXPECT_EQ(region->getNextSibling()->getName(), QStringLiteral("Head"));

    // Saving what was read gives the same template.
    const QString again = tempPath(QStringLiteral("again.vxt"));
    loaded.savePreset(again);
    EXPECT_EQ(elementTree(readBytes(again)), expected);
}

TEST_F(TemplateTest, TheFileIsUtf8WithOneSpacePerLevelAndNoDeclaration)
{
    VxFSHierarchy hierarchy(QString::fromUtf8("Gr\xc3\xb6\xc3\x9f\x65"));
    auto* hip = new VxFSHierarchyItem(&hierarchy, QString::fromUtf8("H\xc3\xbc\x66te"));
    new VxFSHierarchyItem(hip, QStringLiteral("a<b&\"c\""));
    const QString path = tempPath(QStringLiteral("utf8.vxt"));
    hierarchy.savePreset(path);
    const QByteArray xml = readBytes(path);

    EXPECT_TRUE(xml.startsWith("<VexelHierarchyPreset ")) << xml.left(40).constData();
    EXPECT_FALSE(xml.contains("<?xml"));
    EXPECT_TRUE(xml.contains("Name=\"Gr\xc3\xb6\xc3\x9f\x65\""));
    const QList<QByteArray> lines = xml.split('\n');
    ASSERT_GE(lines.size(), 6);
    EXPECT_TRUE(lines[0].startsWith("<VexelHierarchyPreset "));
    EXPECT_TRUE(lines[1].startsWith(" <Figure "));
    EXPECT_TRUE(lines[2].startsWith("  <Bone "));
    EXPECT_TRUE(lines[3].startsWith("   <Bone ") && lines[3].endsWith("/>")) << lines[3].constData();
    EXPECT_EQ(lines[4], QByteArray("  </Bone>"));
    EXPECT_EQ(lines[5], QByteArray(" </Figure>"));

    VxFSHierarchy loaded;
    loaded.loadPreset(path);
    EXPECT_EQ(loaded.getName(), QString::fromUtf8("Gr\xc3\xb6\xc3\x9f\x65"));
    EXPECT_EQ(outline(loaded), QStringList({QString::fromUtf8("H\xc3\xbc\x66te"), QStringLiteral("  a<b&\"c\"")}));
}

TEST_F(TemplateTest, AnEmptyDocumentIsNotSavedAndTheOldFileStays)
{
    VxFSHierarchy hierarchy;
    hierarchy.setBaseGeometry(hierarchy.addGeometry(m_body));
    hierarchy.createIKChain(QStringLiteral("leg"));
    new VxFSRegionItem(&hierarchy, QStringLiteral("Body"));
    const QString existing = writeFile(QStringLiteral("old.vxt"), "old template");
    const QString fresh = tempPath(QStringLiteral("fresh.vxt"));

    VxMessageBoxAnswerer answerer;
    hierarchy.savePreset(existing);
    hierarchy.savePreset(fresh);
    ASSERT_EQ(answerer.count(), 2);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Can not save preset"));
    EXPECT_EQ(answerer.seen()[0].text, QStringLiteral("An empty preset can not be saved!"));
    EXPECT_EQ(answerer.seen()[0].clicked, QStringLiteral("Ok"));
    EXPECT_EQ(readBytes(existing), QByteArray("old template"));
    EXPECT_FALSE(QFile::exists(fresh));
    EXPECT_TRUE(loggedLines().filter(QStringLiteral("Hierarchy")).isEmpty());
}

TEST_F(TemplateTest, AFileThatCannotBeWrittenIsReportedAndLogged)
{
    VxFSHierarchy hierarchy;
    new VxFSHierarchyItem(&hierarchy, QStringLiteral("hip"));
    const QString path = tempPath(QStringLiteral("no/such/folder/a.vxt"));
    VxMessageBoxAnswerer answerer;
    hierarchy.savePreset(path);

    const QString text = QStringLiteral("Unable to open file \"%1\" for writing.").arg(path);
    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Error opening file"));
    EXPECT_EQ(answerer.seen()[0].text, text);
    EXPECT_EQ(answerer.seen()[0].clicked, QStringLiteral("Ok"));
    EXPECT_TRUE(loggedLines().contains(QStringLiteral("Error saving Hierarchy Preset: ") + text)) << qPrintable(loggedLines().join('\n'));
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(TemplateTest, AWriteThatFailsHalfWayLeavesTheOldFileAsItWas)
{
    VxFSHierarchy hierarchy;
    VxFSHierarchyItem* parent = new VxFSHierarchyItem(&hierarchy, QStringLiteral("root"));
    for (int i = 0; i < 300; ++i)
        new VxFSHierarchyItem(parent, QStringLiteral("bone%1").arg(i));
    const QByteArray old = "<VexelHierarchyPreset Version=\"1.0\"/>\n";
    const QString path = writeFile(QStringLiteral("kept.vxt"), old);

    // The file system refuses every byte past 16 KiB, as a full disk would.
    VxMessageBoxAnswerer answerer;
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 16 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    hierarchy.savePreset(path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(readBytes(path), old);
    const QString text = QStringLiteral("Unable to open file \"%1\" for writing.").arg(path);
    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Error opening file"));
    EXPECT_EQ(answerer.seen()[0].text, text);
    EXPECT_TRUE(loggedLines().contains(QStringLiteral("Error saving Hierarchy Preset: ") + text));
    // Nothing is left beside it either.
    EXPECT_EQ(QDir(tempPath()).entryList(QDir::Files), QStringList({"kept.vxt"}));

    // Without the limit the same document replaces the old file.
    hierarchy.savePreset(path);
    EXPECT_GT(readBytes(path).size(), 16 * 1024);
}

TEST_F(TemplateTest, AFileThatCannotBeReadLeavesTheDocumentAlone)
{
    VxFSHierarchy hierarchy(QStringLiteral("Kept"));
    new VxFSHierarchyItem(&hierarchy, QStringLiteral("hip"));
    const QString path = tempPath(QStringLiteral("missing.vxt"));
    VxMessageBoxAnswerer answerer;
    hierarchy.loadPreset(path);

    const QString text = QStringLiteral("Unable to open file \"%1\" for reading.").arg(path);
    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Error opening file"));
    EXPECT_EQ(answerer.seen()[0].text, text);
    EXPECT_TRUE(loggedLines().contains(QStringLiteral("Error reading Hierarchy preset: ") + text));
    EXPECT_EQ(hierarchy.getName(), QStringLiteral("Kept"));
    EXPECT_EQ(outline(hierarchy), QStringList({"hip"}));
}

TEST_F(TemplateTest, ReadingIsLenientWithDefaultsAndExactTexts)
{
    const QString path = vxSourcePath(QStringLiteral("tests/figuresetup/io/data/lenient.vxt"));
    VxFSHierarchy hierarchy(QStringLiteral("Before"));
    VxMessageBoxAnswerer answerer;
    hierarchy.loadPreset(path);

    EXPECT_EQ(hierarchy.getName(), QStringLiteral("Figure"));
    EXPECT_EQ(hierarchy.getLabel(), QStringLiteral("Figure"));
    EXPECT_EQ(hierarchy.getFigureType(), SingleSkin); // only the exact "Poser" selects it
    EXPECT_EQ(outline(hierarchy), QStringList({"Bone", "  thigh", "later", "thigh_1"}));

    const VxFSHierarchyItem* first = hierarchy.getFirstBone();
    EXPECT_EQ(first->getLabel(), QStringLiteral("Bone"));
    EXPECT_EQ(first->getRotationOrder().getOrder(), int(VxRotationOrder::XYZ)); // "zyx" is not a name
    EXPECT_FALSE(first->getTwist());  // "true" is not "True"
    EXPECT_FALSE(first->getBend());
    EXPECT_FALSE(first->getCurve());
    EXPECT_TRUE(first->getTwistBulge());
    EXPECT_TRUE(first->getSideSide() && first->getScale());   // defaults
    EXPECT_FALSE(first->getSideBulge() || first->getBendBulge());
    const VxFSHierarchyItem* thigh = first->getFirstChild();
    EXPECT_EQ(thigh->getLabel(), QStringLiteral("Thigh"));
    EXPECT_EQ(thigh->getRotationOrder().getOrder(), int(VxRotationOrder::YZX));
    // Only bones read before the weld target can be found.
    ASSERT_EQ(first->getNumWeldTargets(), 1);
    EXPECT_EQ(first->getWeldTarget(0), thigh);

    // The clashes of the second "thigh" and of the nameless regions were announced once each.
    ASSERT_EQ(answerer.count(), 2);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Invalid Bone Name"));
    EXPECT_EQ(answerer.seen()[1].title, QStringLiteral("Invalid Region Name"));

    ASSERT_EQ(hierarchy.getNumIKChains(), 2);
    const VxFSHierarchyIKChain* leg = hierarchy.getIKChain(0);
    EXPECT_EQ(leg->getName(), QStringLiteral("leg"));
    EXPECT_TRUE(leg->isActive()); // only the exact "False" switches a chain off
    ASSERT_EQ(leg->getNumLinks(), 3);
    EXPECT_EQ(leg->getLink(0)->getBone(), first);
    EXPECT_FLOAT_EQ(leg->getLink(0)->getWeight(), 1.0f); // "abc" does not parse
    EXPECT_EQ(leg->getLink(1)->getBone()->getName(), QStringLiteral("later"));
    EXPECT_FLOAT_EQ(leg->getLink(1)->getWeight(), 0.25f);
    EXPECT_EQ(leg->getLink(2)->getBone(), thigh); // the first "thigh" in pre-order
    EXPECT_FLOAT_EQ(leg->getLink(2)->getWeight(), 1.0f);
    EXPECT_EQ(hierarchy.getIKChain(1)->getName(), QStringLiteral("off"));
    EXPECT_FALSE(hierarchy.getIKChain(1)->isActive());
    EXPECT_EQ(hierarchy.getIKChain(1)->getNumLinks(), 0);

    const VxFSRegionItem* region = hierarchy.getFirstRegion();
    ASSERT_TRUE(region);
    EXPECT_EQ(region->getName(), QStringLiteral("Region"));
    EXPECT_EQ(region->getFirstChild()->getName(), QStringLiteral("Arm"));
    EXPECT_EQ(region->getFirstChild()->getFirstChild()->getName(), QStringLiteral("Region_1"));
    EXPECT_EQ(region->getNumChildren(true), 2);
    EXPECT_EQ(hierarchy.getNumGeometries(), 0);
}

TEST_F(TemplateTest, GeometryPathsAreCutAtRuntimeAndResolvedThroughTheRuntimeFolders)
{
    // Written: the path from the first "runtime" in any case and anywhere, else the whole path.
    const QString second = writeMesh(QStringLiteral("content2/Runtime/Geometries/Second/two.obj"), {"hip"});
    const QString odd = writeMesh(QStringLiteral("my runtimes/odd.obj"), {"hip"});
    VxFSHierarchy saved;
    saved.setFigureType(Poser);
    new VxFSHierarchyItem(&saved, QStringLiteral("hip"));
    saved.addGeometry(second);
    saved.addGeometry(odd);
    saved.addGeometry(m_alt);
    const QString path = tempPath(QStringLiteral("paths.vxt"));
    saved.savePreset(path);
    const QStringList tree = elementTree(readBytes(path));
    EXPECT_TRUE(tree.contains(QStringLiteral("  GeomItem GeomRelativePath=Runtime/Geometries/Second/two.obj")));
    EXPECT_TRUE(tree.contains(QStringLiteral("  GeomItem GeomRelativePath=runtimes/odd.obj")));
    EXPECT_TRUE(tree.contains(QStringLiteral("  GeomItem GeomAbsolutePath=") + m_alt));

    // Read: a relative path found only in the second runtime folder comes from there; the
    // absolute path wins over a relative one; a leading "/" is dropped; what nothing
    // resolves is dropped.
    const QString input = writeFile(QStringLiteral("read.vxt"), QStringLiteral(R"(<VexelHierarchyPreset>
 <Figure FigureType="Poser">
  <GeomItem GeomRelativePath="Runtime/Geometries/Second/two.obj"/>
  <GeomItem GeomRelativePath="Runtime/Geometries/Missing/none.obj"/>
  <GeomItem GeomAbsolutePath="%1" GeomRelativePath="Runtime/Geometries/Test/body.obj"/>
  <GeomItem GeomRelativePath="/Runtime/Geometries/Test/body.obj"/>
  <GeomItem GeomAbsolutePath="%2"/>
 </Figure>
</VexelHierarchyPreset>)").arg(m_alt, tempPath(QStringLiteral("nowhere.obj"))).toUtf8());
    VxFSHierarchy loaded;
    loaded.loadPreset(input);
    ASSERT_EQ(loaded.getNumGeometries(), 3);
    EXPECT_EQ(loaded.getGeometry(0)->getPath(), second);
    EXPECT_EQ(loaded.getGeometry(1)->getPath(), m_alt);
    EXPECT_EQ(loaded.getGeometry(2)->getPath(), m_body);
}

TEST_F(TemplateTest, LoadedGeometryIsReusedAndNewGeometryJoinsInOrderOfFirstReference)
{
    const QString extra = writeMesh(QStringLiteral("content/Runtime/Geometries/Test/extra.obj"), {"x"});
    const QString input = writeFile(QStringLiteral("order.vxt"), QStringLiteral(R"(<VexelHierarchyPreset>
 <Figure FigureType="Poser">
  <Bone Name="hip">
   <AltGeom GeomAbsolutePath="%1"/>
   <AssignedGeom GeomRelativePath="Runtime/Geometries/Test/body.obj" GeomGroup="hip"/>
  </Bone>
  <GeomItem GeomRelativePath="Runtime/Geometries/Test/extra.obj"/>
  <GeomItem GeomAbsolutePath="%1"/>
  <AssignedGeom GeomRelativePath="Runtime/Geometries/Test/body.obj"/>
 </Figure>
</VexelHierarchyPreset>)").arg(m_alt).toUtf8());

    VxFSHierarchy hierarchy;
    VxFSGeomItem* preloaded = hierarchy.addGeometry(m_body);
    ASSERT_TRUE(preloaded);
    hierarchy.loadPreset(input);
    ASSERT_EQ(hierarchy.getNumGeometries(), 3);
    EXPECT_EQ(hierarchy.getGeometry(0), preloaded);
    EXPECT_EQ(hierarchy.getGeometry(1)->getPath(), m_alt);
    EXPECT_EQ(hierarchy.getGeometry(2)->getPath(), extra);
    EXPECT_EQ(hierarchy.getBaseGeometry(), preloaded);
    EXPECT_EQ(hierarchy.getFirstBone()->getGeomGroup(), preloaded->findGroup(QStringLiteral("hip")));

    // Loading it again loads nothing again.
    hierarchy.loadPreset(input);
    EXPECT_EQ(hierarchy.getNumGeometries(), 3);
    EXPECT_EQ(hierarchy.getGeometry(0), preloaded);
}

TEST_F(TemplateTest, AFigureGeometryThatDoesNotLoadLeavesNoBaseGeometry)
{
    writeFile(QStringLiteral("content/Runtime/Geometries/Test/broken.obj"), "f 1 2 3\n");
    const QString input = writeFile(QStringLiteral("broken.vxt"), R"(<VexelHierarchyPreset><Figure>
  <AssignedGeom GeomRelativePath="Runtime/Geometries/Test/body.obj"/>
  <AssignedGeom GeomRelativePath="Runtime/Geometries/Test/broken.obj"/>
  <Bone Name="hip"><AssignedGeom GeomRelativePath="Runtime/Geometries/Test/broken.obj" GeomGroup="hip"/></Bone>
 </Figure></VexelHierarchyPreset>)");
    VxFSHierarchy hierarchy;
    hierarchy.loadPreset(input);
    EXPECT_EQ(hierarchy.getBaseGeometry(), nullptr);
    EXPECT_EQ(hierarchy.getNumGeometries(), 1);
    EXPECT_EQ(hierarchy.getFirstBone()->getGeomGroup(), nullptr);
}

TEST_F(TemplateTest, WhatIsNotATemplateLeavesTheDocumentClearedWithItsGeometry)
{
    const QByteArray inputs[] = {
        "this is not XML",
        "<Other><Figure Name=\"x\"><Bone Name=\"hip\"/></Figure></Other>",
        "<VexelHierarchyPreset><Figure Name=\"x\"><Bone Name=\"hip\"/></Figure>", // cut short
        "",
    };
    for (const QByteArray& bytes : inputs) {
        VxFSHierarchy hierarchy(QStringLiteral("Before"));
        hierarchy.setLabel(QStringLiteral("Before"));
        hierarchy.setFigureType(Poser);
        VxFSGeomItem* body = hierarchy.addGeometry(m_body);
        hierarchy.setBaseGeometry(body);
        new VxFSHierarchyItem(&hierarchy, QStringLiteral("hip"));
        new VxFSRegionItem(&hierarchy, QStringLiteral("Body"));
        hierarchy.createIKChain(QStringLiteral("leg"));
        QSignalSpy names(&hierarchy, &VxFSHierarchy::nameChanged);

        VxMessageBoxAnswerer answerer;
        hierarchy.loadPreset(writeFile(QStringLiteral("bad.vxt"), bytes));
        EXPECT_EQ(answerer.count(), 0) << bytes.constData();
        EXPECT_EQ(hierarchy.getName(), QStringLiteral("Figure"));
        EXPECT_EQ(hierarchy.getLabel(), QStringLiteral("Figure"));
        EXPECT_EQ(hierarchy.getFirstBone(), nullptr);
        EXPECT_EQ(hierarchy.getFirstRegion(), nullptr);
        EXPECT_EQ(hierarchy.getNumIKChains(), 0);
        EXPECT_EQ(hierarchy.getBaseGeometry(), nullptr);
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
    hierarchy.loadPreset(input);
    EXPECT_EQ(hierarchy.getName(), QStringLiteral("Two"));
    EXPECT_EQ(hierarchy.getLabel(), QStringLiteral("Figure"));
    EXPECT_EQ(hierarchy.getFigureType(), SingleSkin);
    EXPECT_EQ(outline(hierarchy), QStringList({"hip", "chest"}));
    EXPECT_EQ(hierarchy.getNumIKChains(), 1);
    EXPECT_NE(hierarchy.getFirstRegion(), nullptr);
    EXPECT_EQ(names.count(), 3); // clear, then each figure's name
    ASSERT_EQ(types.count(), 2);
    EXPECT_EQ(types[0][0].value<VxFigureSetupFigureType>(), Poser);
    EXPECT_EQ(types[1][0].value<VxFigureSetupFigureType>(), SingleSkin);
}

TEST_F(TemplateTest, TemplatesNestedTooDeeplyAreRefusedBeforeAnythingChanges)
{
    // Bones as deep as the limit allows load (below the document element and the Figure);
    // one level more is refused whole.
    const int deepest = VxFSTemplateXml::MaxElementDepth - 2;
    const auto nested = [](int bones) {
        QByteArray xml = "<VexelHierarchyPreset><Figure>";
        for (int i = 0; i < bones; ++i)
            xml += "<Bone Name=\"b" + QByteArray::number(i) + "\">";
        for (int i = 0; i < bones; ++i)
            xml += "</Bone>";
        return xml + "</Figure></VexelHierarchyPreset>";
    };
    VxFSHierarchy hierarchy;
    hierarchy.loadPreset(writeFile(QStringLiteral("deepest.vxt"), nested(deepest)));
    EXPECT_EQ(hierarchy.getNumBones(true), deepest);
    EXPECT_NE(hierarchy.findBone(QStringLiteral("b%1").arg(deepest - 1)), nullptr);
    {
        // It saves again; one element more below the deepest bone and the writer refuses,
        // leaving the file it would have replaced as it was.
        const QString saved = tempPath(QStringLiteral("saved.vxt"));
        hierarchy.savePreset(saved);
        const QByteArray before = readBytes(saved);
        ASSERT_FALSE(before.isEmpty());
        VxFSHierarchyItem* deepestBone = hierarchy.findBone(QStringLiteral("b%1").arg(deepest - 1));
        deepestBone->addWeldTarget(hierarchy.getFirstBone());
        VxMessageBoxAnswerer answerer;
        hierarchy.savePreset(saved);
        const QString text = QStringLiteral("The figure nests its bones or regions too deeply to be saved as a "
                                            "template (more than %1 levels of elements).")
                                 .arg(VxFSTemplateXml::MaxElementDepth);
        ASSERT_EQ(answerer.count(), 1);
        EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Can not save preset"));
        EXPECT_EQ(answerer.seen()[0].text, text);
        EXPECT_TRUE(loggedLines().contains(QStringLiteral("Error saving Hierarchy Preset: ") + text));
        EXPECT_EQ(readBytes(saved), before);
        deepestBone->removeWeldTarget(hierarchy.getFirstBone());
    }

    for (int bones : {deepest + 1, 10000}) {
        const QString path = writeFile(QStringLiteral("deep.vxt"), nested(bones));
        VxMessageBoxAnswerer answerer;
        hierarchy.loadPreset(path);
        const QString text = QStringLiteral("The template \"%1\" nests its elements more than %2 levels deep and "
                                            "can not be loaded.").arg(path).arg(VxFSTemplateXml::MaxElementDepth);
        ASSERT_EQ(answerer.count(), 1);
        EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Can not load preset"));
        EXPECT_EQ(answerer.seen()[0].text, text);
        EXPECT_TRUE(loggedLines().contains(QStringLiteral("Error reading Hierarchy preset: ") + text));
        EXPECT_EQ(hierarchy.getNumBones(true), deepest); // untouched
    }

    // Deep towers of other elements count as well: the reader must not build them either.
    QByteArray tower(3 * 200000, '\0');
    for (int i = 0; i < 200000; ++i)
        std::memcpy(tower.data() + 3 * i, "<a>", 3);
    VxMessageBoxAnswerer answerer;
    hierarchy.loadPreset(writeFile(QStringLiteral("tower.vxt"), "<VexelHierarchyPreset>" + tower));
    EXPECT_EQ(answerer.count(), 1);
    EXPECT_EQ(hierarchy.getNumBones(true), deepest);
}

TEST_F(TemplateTest, CharactersXmlCannotHoldAreSavedAsReplacementCharacters)
{
    // A damaged PHI file gives such names; the template saved from them must load again.
    VxFSHierarchy saved;
    saved.loadPHI(writeFile(QStringLiteral("damaged.phi"), "objFile:x\n1 a\x01z xyz\n1 \xef\xbf\xbe xyz\n"
                                                           "2 tab\x1f xyz\nikChain c\x02 a\x01z\n"));
    ASSERT_EQ(saved.getNumBones(true), 3);
    // Bones made in the editor may hold them too.
    new VxFSHierarchyItem(&saved, QString::fromUtf8("\xf0\x9f\x92\x80 \t\n\r") + QChar(0xD800));
    new VxFSHierarchyItem(&saved, QStringLiteral("b") + QChar(0x7));
    const QString path = tempPath(QStringLiteral("safe.vxt"));
    saved.savePreset(path);

    VxFSHierarchy loaded;
    loaded.loadPreset(path);
    const QString replacement(QChar::ReplacementCharacter);
    EXPECT_EQ(outline(loaded), QStringList({"a" + replacement + "z", replacement, "  tab" + replacement,
                                            QString::fromUtf8("\xf0\x9f\x92\x80 \t\n\r") + replacement,
                                            "b" + replacement}));
    ASSERT_EQ(loaded.getNumIKChains(), 1);
    EXPECT_EQ(loaded.getIKChain(0)->getName(), "c" + replacement);
    ASSERT_EQ(loaded.getIKChain(0)->getNumLinks(), 1);
    EXPECT_EQ(loaded.getIKChain(0)->getLink(0)->getBone(), loaded.getFirstBone());
}
