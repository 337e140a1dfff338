#include "modeltestmeshes.h"

#include "vxfsgeometrypath.h"
#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include "vxapptest.h"
#include "vxcontentmgr.h"
#include "vxmessageboxanswerer.h"

#include <QDir>
#include <QDomDocument>
#include <QSignalSpy>

using ElementTest = VxAppTest;

namespace {
QDomElement parse(QDomDocument& document, const QString& xml)
{
    EXPECT_TRUE(document.setContent(xml));
    return document.documentElement();
}

QStringList childTags(const QDomElement& element)
{
    QStringList tags;
    for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
        tags << child.tagName();
    return tags;
}
} // namespace

TEST_F(ElementTest, GeometryPathsAreCutAtTheFirstRuntime)
{
    QDomDocument document;
    QDomElement element = document.createElement(QStringLiteral("AltGeom"));
    VxFSGeometryPath::write(element, QStringLiteral("D:/Content/Runtime/Geometries/a.obj"));
    EXPECT_EQ(element.attribute(QStringLiteral("GeomRelativePath")), QStringLiteral("Runtime/Geometries/a.obj"));
    EXPECT_FALSE(element.hasAttribute(QStringLiteral("GeomAbsolutePath")));

    QDomElement odd = document.createElement(QStringLiteral("AltGeom"));
    VxFSGeometryPath::write(odd, QStringLiteral("D:/my runtimes/a.obj"));
    EXPECT_EQ(odd.attribute(QStringLiteral("GeomRelativePath")), QStringLiteral("runtimes/a.obj"));

    QDomElement plain = document.createElement(QStringLiteral("AltGeom"));
    VxFSGeometryPath::write(plain, QStringLiteral("/home/me/a.obj"));
    EXPECT_EQ(plain.attribute(QStringLiteral("GeomAbsolutePath")), QStringLiteral("/home/me/a.obj"));
    EXPECT_FALSE(plain.hasAttribute(QStringLiteral("GeomRelativePath")));
    EXPECT_EQ(VxFSGeometryPath::read(plain), QStringLiteral("/home/me/a.obj"));  // not checked

    QDomElement none = document.createElement(QStringLiteral("AltGeom"));
    VxFSGeometryPath::write(none, QString());
    EXPECT_TRUE(none.hasAttribute(QStringLiteral("GeomAbsolutePath")));
    EXPECT_TRUE(VxFSGeometryPath::read(none).isEmpty());
}

TEST_F(ElementTest, RuntimePathsResolveThroughTheContentFolders)
{
    writeFile(QStringLiteral("first/Runtime/Geometries/other.obj"), "v 0 0 0\n");
    writeFile(QStringLiteral("second/Runtime/Geometries/Body/body.obj"), "v 0 0 0\n");
    writeFile(QStringLiteral("third/Runtime/Geometries/Deep/stray.obj"), "v 0 0 0\n");
    VxContentMgr* content = m_app->getContentMgr();
    ASSERT_TRUE(content->addPoserDirectory(tempPath(QStringLiteral("first"))));
    ASSERT_TRUE(content->addPoserDirectory(tempPath(QStringLiteral("second"))));
    ASSERT_TRUE(content->addPoserDirectory(tempPath(QStringLiteral("third"))));

    const QString body = QDir::cleanPath(tempPath(QStringLiteral("second/Runtime/Geometries/Body/body.obj")));
    EXPECT_EQ(QDir::cleanPath(VxFSHierarchy::resolveRuntimePath(QStringLiteral("Runtime/Geometries/Body/body.obj"))), body);
    EXPECT_EQ(QDir::cleanPath(VxFSHierarchy::resolveRuntimePath(QStringLiteral("/Runtime/Geometries/Body/body.obj"))), body);
    EXPECT_EQ(QDir::cleanPath(VxFSHierarchy::resolveRuntimePath(QStringLiteral("Runtime\\Geometries\\Body\\body.obj"))), body);
    // Not below any folder as written: the content manager's search finds it by name.
    EXPECT_EQ(VxFSHierarchy::resolveRuntimePath(QStringLiteral("Runtime/Geometries/Moved/stray.obj")),
              QDir::cleanPath(tempPath(QStringLiteral("third/Runtime/Geometries/Deep/stray.obj"))));
    EXPECT_TRUE(VxFSHierarchy::resolveRuntimePath(QStringLiteral("Runtime/Geometries/none.obj")).isEmpty());

    QDomDocument document;
    QDomElement element = document.createElement(QStringLiteral("GeomItem"));
    element.setAttribute(QStringLiteral("GeomRelativePath"), QStringLiteral("Runtime/Geometries/Body/body.obj"));
    EXPECT_EQ(QDir::cleanPath(VxFSGeometryPath::read(element)), body);
    element.setAttribute(QStringLiteral("GeomAbsolutePath"), QString());
    EXPECT_EQ(QDir::cleanPath(VxFSGeometryPath::read(element)), body);
}

TEST_F(ElementTest, ABoneWritesItsSettingsReferencesAndChildrenInOrder)
{
    VxFSHierarchy hierarchy;
    hierarchy.setFigureType(Poser);
    auto* body = makeGeomItem(QStringLiteral("body"), {"hip", "chest"});
    ASSERT_TRUE(hierarchy.addGeometryItem(body));
    std::unique_ptr<VxFSGeomItem> alternate(makeGeomItem(QStringLiteral("alt"), {}));
    auto* hip = new VxFSHierarchyItem(&hierarchy, QStringLiteral("hip"));
    auto* chest = new VxFSHierarchyItem(hip, QStringLiteral("chest"));
    auto* neck = new VxFSHierarchyItem(hip, QStringLiteral("neck"));
    hip->setLabel(QStringLiteral("Hip"));
    hip->setRotationOrder(VxRotationOrder::YZX);
    hip->setCurve(true);
    hip->setTwist(false);
    hip->setSideBulge(true);
    hip->addWeldTarget(neck);
    hip->addWeldTarget(chest);
    hip->setGeomGroup(body->getGroup(0));
    hip->addAltGeometry(alternate.get());

    QDomDocument document;
    QDomElement figure = document.createElement(QStringLiteral("Figure"));
    document.appendChild(figure);
    hip->writeElement(document, figure);
    const QDomElement bone = figure.firstChildElement();
    EXPECT_EQ(bone.tagName(), QStringLiteral("Bone"));
    EXPECT_EQ(bone.attribute(QStringLiteral("Name")), QStringLiteral("hip"));
    EXPECT_EQ(bone.attribute(QStringLiteral("Label")), QStringLiteral("Hip"));
    EXPECT_EQ(bone.attribute(QStringLiteral("RotationOrder")), QStringLiteral("YZX"));
    EXPECT_EQ(bone.attribute(QStringLiteral("Curve")), QStringLiteral("True"));
    EXPECT_EQ(bone.attribute(QStringLiteral("Twist")), QStringLiteral("False"));
    EXPECT_EQ(bone.attribute(QStringLiteral("SideSide")), QStringLiteral("True"));
    EXPECT_EQ(bone.attribute(QStringLiteral("SideBulge")), QStringLiteral("True"));
    EXPECT_EQ(bone.attribute(QStringLiteral("BendBulge")), QStringLiteral("False"));
    EXPECT_EQ(bone.attributes().count(), 11);
    EXPECT_EQ(childTags(bone), QStringList({"WeldTarget", "WeldTarget", "AssignedGeom", "AltGeom", "Bone", "Bone"}));
    EXPECT_EQ(bone.firstChildElement().attribute(QStringLiteral("WeldTargetName")), QStringLiteral("neck"));
    const QDomElement assigned = bone.firstChildElement(QStringLiteral("AssignedGeom"));
    EXPECT_EQ(assigned.attribute(QStringLiteral("GeomGroup")), QStringLiteral("hip"));
    // A geometry built from a scene shape has no path to write.
    EXPECT_TRUE(assigned.hasAttribute(QStringLiteral("GeomAbsolutePath")));
    EXPECT_TRUE(assigned.attribute(QStringLiteral("GeomAbsolutePath")).isEmpty());
    EXPECT_EQ(bone.lastChildElement().attribute(QStringLiteral("Name")), QStringLiteral("neck"));
}

TEST_F(ElementTest, ABoneReadsLenientlyWithDefaults)
{
    VxFSHierarchy hierarchy;
    QDomDocument document;
    const QDomElement element = parse(document, QStringLiteral(
        "<Bone Name='hip' Label='Hip' RotationOrder='ZYX' Curve='True' Twist='true' BendBulge='True'>"
        "  <WeldTarget WeldTargetName='abdomen'/>"
        "  <Unknown Name='x'/>"
        "  <Bone Name='abdomen' RotationOrder='zyx'>"
        "    <WeldTarget WeldTargetName='hip'/>"
        "    <WeldTarget WeldTargetName=''/>"
        "    <AssignedGeom GeomGroup='abdomen'/>"
        "    <AltGeom GeomAbsolutePath=''/>"
        "  </Bone>"
        "  <Bone/>"
        "</Bone>"));
    VxMessageBoxAnswerer answerer;
    auto* hip = new VxFSHierarchyItem(&hierarchy, element);
    EXPECT_EQ(answerer.count(), 0);
    EXPECT_EQ(hierarchy.getFirstBone(), hip);
    EXPECT_EQ(hip->getName(), QStringLiteral("hip"));
    EXPECT_EQ(hip->getLabel(), QStringLiteral("Hip"));
    EXPECT_EQ(hip->getRotationOrder(), VxRotationOrder(VxRotationOrder::ZYX));
    EXPECT_TRUE(hip->getCurve());
    EXPECT_FALSE(hip->getTwist());  // only the exact "True" is true
    EXPECT_TRUE(hip->getBend() && hip->getSideSide() && hip->getScale());
    EXPECT_TRUE(hip->getBendBulge());
    EXPECT_FALSE(hip->getTwistBulge());
    // The weld target named before it exists is dropped; the ancestor is found.
    EXPECT_EQ(hip->getNumWeldTargets(), 0);
    VxFSHierarchyItem* abdomen = hip->getFirstChild();
    ASSERT_NE(abdomen, nullptr);
    EXPECT_EQ(abdomen->getName(), QStringLiteral("abdomen"));
    EXPECT_EQ(abdomen->getLabel(), QStringLiteral("Bone"));
    EXPECT_EQ(abdomen->getRotationOrder(), VxRotationOrder(VxRotationOrder::XYZ));
    EXPECT_EQ(abdomen->getWeldTarget(0), hip);
    EXPECT_EQ(abdomen->getNumWeldTargets(), 1);
    EXPECT_EQ(abdomen->getGeomGroup(), nullptr);
    EXPECT_EQ(abdomen->getNumAltGeometries(), 0);
    VxFSHierarchyItem* unnamed = abdomen->getNextSibling();
    ASSERT_NE(unnamed, nullptr);
    EXPECT_EQ(unnamed->getName(), QStringLiteral("Bone"));
    EXPECT_EQ(hierarchy.getNumGeometries(), 0);

    // A second copy clashes with every name and is renamed, one warning per bone.
    new VxFSHierarchyItem(&hierarchy, element);
    EXPECT_EQ(answerer.count(), 3);
    EXPECT_NE(hierarchy.findBone(QStringLiteral("hip_1")), nullptr);
    EXPECT_NE(hierarchy.findBone(QStringLiteral("abdomen_1")), nullptr);
    EXPECT_NE(hierarchy.findBone(QStringLiteral("Bone_1")), nullptr);
}

TEST_F(ElementTest, ReadingABoneAnnouncesWhatItsSettersAnnounce)
{
    VxFSHierarchy hierarchy;
    auto* parent = new VxFSHierarchyItem(&hierarchy, QStringLiteral("parent"));
    QDomDocument document;
    const QDomElement element = parse(document, QStringLiteral("<Bone Name='child' RotationOrder='XZY'/>"));
    auto* child = new VxFSHierarchyItem(parent, QStringLiteral("child0"));
    QSignalSpy name(child, &VxFSHierarchyItem::nameChanged);
    QSignalSpy rotation(child, &VxFSHierarchyItem::rotOrderChanged);
    child->readElement(element);
    EXPECT_EQ(name.count(), 1);
    EXPECT_EQ(rotation.count(), 2);  // the order, then the curve switch
    EXPECT_EQ(child->getRotationOrder(), VxRotationOrder(VxRotationOrder::XZY));

    VxMessageBoxAnswerer answerer;
    auto* linked = new VxFSHierarchyItem(parent, element);
    EXPECT_EQ(child->getNextSibling(), linked);
    EXPECT_EQ(linked->getName(), QStringLiteral("child_1"));
    EXPECT_EQ(answerer.count(), 1);
}

TEST_F(ElementTest, RegionsRoundTripAndStayUnique)
{
    VxFSHierarchy hierarchy;
    auto* head = new VxFSRegionItem(&hierarchy, QStringLiteral("Head"));
    new VxFSRegionItem(head, QStringLiteral("Face"));
    new VxFSRegionItem(head, QStringLiteral("Scalp"));
    QDomDocument document;
    QDomElement figure = document.createElement(QStringLiteral("Figure"));
    document.appendChild(figure);
    head->writeElement(document, figure);
    const QDomElement written = figure.firstChildElement();
    EXPECT_EQ(written.attribute(QStringLiteral("Name")), QStringLiteral("Head"));
    EXPECT_EQ(written.attributes().count(), 1);
    EXPECT_EQ(childTags(written), QStringList({"Region", "Region"}));

    VxFSHierarchy other;
    auto* copy = new VxFSRegionItem(&other, written);
    EXPECT_EQ(copy->getName(), QStringLiteral("Head"));
    ASSERT_NE(copy->getFirstChild(), nullptr);
    EXPECT_EQ(copy->getFirstChild()->getName(), QStringLiteral("Face"));
    EXPECT_EQ(copy->getFirstChild()->getNextSibling()->getName(), QStringLiteral("Scalp"));

    QDomDocument odd;
    const QDomElement unnamed = parse(odd, QStringLiteral("<Region><Bone/><Region Name='Region'/></Region>"));
    VxMessageBoxAnswerer answerer;
    auto* region = new VxFSRegionItem(&other, unnamed);
    EXPECT_EQ(region->getName(), QStringLiteral("Region"));
    EXPECT_EQ(region->getFirstChild()->getName(), QStringLiteral("Region_1"));
    EXPECT_EQ(answerer.count(), 1);
    EXPECT_EQ(region->getNumChildren(true), 1);
}

TEST_F(ElementTest, BoneGeometryReferencesLoadThroughTheDocument)
{
    const QByteArray obj = "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\ng hip\nf 1 2 3\ng chest\nf 2 4 3\n";
    writeFile(QStringLiteral("content/Runtime/Geometries/Andy/body.obj"), obj);
    const QString hatPath = writeFile(QStringLiteral("elsewhere/hat.obj"), obj);
    ASSERT_TRUE(m_app->getContentMgr()->addPoserDirectory(tempPath(QStringLiteral("content"))));

    VxFSHierarchy source;
    VxFSGeomItem* body = source.addGeometry(tempPath(QStringLiteral("content/Runtime/Geometries/Andy/body.obj")));
    VxFSGeomItem* hat = source.addGeometry(hatPath);
    ASSERT_TRUE(body && hat);
    auto* hip = new VxFSHierarchyItem(&source, QStringLiteral("hip"));
    auto* chest = new VxFSHierarchyItem(hip, QStringLiteral("chest"));
    hip->setGeomGroup(body->findGroup(QStringLiteral("hip")));
    chest->setGeomGroup(body->findGroup(QStringLiteral("chest")));
    chest->addAltGeometry(hat);
    chest->addWeldTarget(hip);

    QDomDocument document;
    QDomElement figure = document.createElement(QStringLiteral("Figure"));
    document.appendChild(figure);
    hip->writeElement(document, figure);
    const QDomElement written = figure.firstChildElement();
    EXPECT_EQ(written.firstChildElement(QStringLiteral("AssignedGeom")).attribute(QStringLiteral("GeomRelativePath")),
              QStringLiteral("Runtime/Geometries/Andy/body.obj"));
    const QDomElement writtenChest = written.firstChildElement(QStringLiteral("Bone"));
    EXPECT_EQ(writtenChest.firstChildElement(QStringLiteral("AltGeom")).attribute(QStringLiteral("GeomAbsolutePath")),
              hatPath);

    VxFSHierarchy target;
    auto* readHip = new VxFSHierarchyItem(&target, written);
    ASSERT_EQ(target.getNumGeometries(), 2);  // in order of first reference
    VxFSGeomItem* readBody = target.getGeometry(0);
    EXPECT_EQ(QDir::cleanPath(readBody->getPath()), QDir::cleanPath(body->getPath()));
    EXPECT_EQ(target.getGeometry(1)->getPath(), hatPath);
    EXPECT_EQ(target.getBaseGeometry(), readBody);  // the first assignment chose it
    EXPECT_EQ(readHip->getGeomGroup(), readBody->findGroup(QStringLiteral("hip")));
    VxFSHierarchyItem* readChest = readHip->getFirstChild();
    ASSERT_NE(readChest, nullptr);
    EXPECT_EQ(readChest->getGeomGroup(), readBody->findGroup(QStringLiteral("chest")));
    ASSERT_EQ(readChest->getNumAltGeometries(), 1);
    EXPECT_EQ(readChest->getAltGeometry(0), target.getGeometry(1));
    EXPECT_EQ(readChest->getWeldTarget(0), readHip);

    // A group the geometry does not have clears the assignment.
    QDomDocument odd;
    const QDomElement missing = parse(odd, QStringLiteral(
        "<Bone Name='x'><AssignedGeom GeomRelativePath='Runtime/Geometries/Andy/body.obj' GeomGroup='tail'/></Bone>"));
    auto* x = new VxFSHierarchyItem(&target, missing);
    EXPECT_EQ(x->getGeomGroup(), nullptr);
    EXPECT_EQ(target.getNumGeometries(), 2);
}
