#include "modeltestmeshes.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"

#include "vxapptest.h"
#include "vxdefaultmaterial.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxmeshgen.h"
#include "vxrefcounted.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QSignalSpy>

namespace {
// A material class the host has no factory for: material transfer skips it.
class UnregisteredMaterial : public VxMaterial
{
    Q_OBJECT
};

const QByteArray kTriangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
} // namespace

class GeometryTest : public VxAppTest
{
protected:
    QString writeHumanoid(const QString& relative)
    {
        QStringList materials;
        const VxFacetMeshData mesh = VxMeshGen::humanoid(&materials);
        const QString path = tempPath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QString error;
        EXPECT_TRUE(VxMeshGen::writeObjFile(mesh, materials, path, &error)) << error.toStdString();
        return path;
    }

    QString writeGroups(const QString& relative, const QStringList& groups)
    {
        QByteArray obj;
        for (int g = 0; g < groups.size(); ++g) {
            obj += "v " + QByteArray::number(g) + " 0 0\nv " + QByteArray::number(g + 1) + " 0 0\nv " +
                   QByteArray::number(g) + " 1 0\n";
            obj += "g " + groups[g].toUtf8() + "\nf " + QByteArray::number(3 * g + 1) + " " +
                   QByteArray::number(3 * g + 2) + " " + QByteArray::number(3 * g + 3) + "\n";
        }
        return writeFile(relative, obj);
    }
};

TEST_F(GeometryTest, ALoadedShapeIsNamedAfterFileAndVertexCount)
{
    const QString path = writeHumanoid(QStringLiteral("Runtime/Geometries/Andy/body.obj"));
    VxFSGeomItem item(path, 2, nullptr);
    ASSERT_TRUE(item.isLoaded());
    EXPECT_EQ(m_app->getBusyCursorDepth(), 0);
    EXPECT_EQ(item.getPath(), path);
    EXPECT_EQ(item.getShortName(), QStringLiteral("body.obj"));
    EXPECT_EQ(item.getIndex(), 2);
    ASSERT_NE(item.getShape(), nullptr);
    const int vertices = item.getShape()->getFacetMesh()->getNumVertices();
    EXPECT_GT(vertices, 0);
    EXPECT_EQ(item.getShape()->getName(), QStringLiteral("body_%1").arg(vertices));
    EXPECT_EQ(item.getShape()->getLabel(), QStringLiteral("body"));
    QStringList groups;
    for (int i = 0; i < item.getNumGroups(); ++i) {
        groups << item.getGroup(i)->getName();
        EXPECT_EQ(item.getGroup(i)->getGeomItem(), &item);
    }
    EXPECT_EQ(groups, VxMeshGen::humanoidGroupNames());
    EXPECT_EQ(item.findGroup(QStringLiteral("head")), item.getGroup(groups.indexOf(QStringLiteral("head"))));
    EXPECT_EQ(item.findGroup(QStringLiteral("Head")), nullptr);

    VxFSGeomItem dotted(writeFile(QStringLiteral("a.b.obj"), kTriangle), 0, nullptr);
    ASSERT_TRUE(dotted.isLoaded());
    EXPECT_EQ(dotted.getShape()->getName(), QStringLiteral("a.b_3"));
    EXPECT_EQ(dotted.getShape()->getLabel(), QStringLiteral("a.b"));
    VxFSGeomItem bare(writeFile(QStringLiteral("mesh"), kTriangle), 0, nullptr);
    ASSERT_TRUE(bare.isLoaded());
    EXPECT_EQ(bare.getShape()->getName(), QStringLiteral("mesh_3"));
    EXPECT_EQ(bare.getShape()->getLabel(), QStringLiteral("mesh"));
}

TEST_F(GeometryTest, MaterialsOfASourceShapeReplaceOrJoinTheLoadedOnes)
{
    const QString path = writeHumanoid(QStringLiteral("body.obj"));
    VxRefGuard<VxFacetShape> source(makeFacetShape(QStringLiteral("src"), {}, {"skin", "tattoo"}));
    auto* sourceSkin = qobject_cast<VxDefaultMaterial*>(source->getMaterial(0));
    sourceSkin->setDiffuseColor(Qt::red);
    auto* unknown = new UnregisteredMaterial();
    unknown->setName(QStringLiteral("hair"));
    source->addMaterial(unknown);

    VxFSGeomItem item(path, 0, source.get());
    ASSERT_TRUE(item.isLoaded());
    const VxShape* shape = item.getShape();
    QStringList names;
    for (int i = 0; i < shape->getNumMaterials(); ++i)
        names << shape->getMaterial(i)->getName();
    EXPECT_EQ(names, QStringList({"skin", "hair", "shoes", "tattoo"}));
    auto* skin = qobject_cast<VxDefaultMaterial*>(shape->getMaterial(0));
    ASSERT_NE(skin, nullptr);
    EXPECT_NE(skin, sourceSkin);  // a copy, not the source's own material
    EXPECT_EQ(skin->getDiffuseColor(), QColor(Qt::red));
    EXPECT_EQ(qobject_cast<UnregisteredMaterial*>(shape->getMaterial(1)), nullptr);

    // Loading the same path again only transfers the materials onto the existing item.
    VxFSHierarchy document;
    bool alreadyLoaded = true;
    VxFSGeomItem* first = document.addGeometry(path, &alreadyLoaded);
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(alreadyLoaded);
    EXPECT_EQ(first->getShape()->getNumMaterials(), 3);
    EXPECT_EQ(document.addGeometry(path, &alreadyLoaded, source.get()), first);
    EXPECT_TRUE(alreadyLoaded);
    EXPECT_EQ(first->getShape()->getNumMaterials(), 4);
    EXPECT_EQ(document.getNumGeometries(), 1);
}

TEST_F(GeometryTest, RemovingAGeometryRenumbersTheRest)
{
    VxFSHierarchy document;
    VxFSGeomItem* a = document.addGeometry(writeGroups(QStringLiteral("a.obj"), {"x"}));
    VxFSGeomItem* b = document.addGeometry(writeGroups(QStringLiteral("b.obj"), {"y"}));
    VxFSGeomItem* c = document.addGeometry(writeGroups(QStringLiteral("c.obj"), {"z"}));
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(c->getIndex(), 2);
    EXPECT_EQ(document.findGeometry(tempPath(QStringLiteral("b.obj"))), b);
    EXPECT_EQ(document.findGeometryByName(QStringLiteral("c.obj")), c);
    EXPECT_TRUE(document.removeGeometry(b));
    EXPECT_EQ(document.getNumGeometries(), 2);
    EXPECT_EQ(document.getGeometry(1), c);
    EXPECT_EQ(c->getIndex(), 1);
    // A second load of a removed path makes a new item at the end.
    VxFSGeomItem* again = document.addGeometry(tempPath(QStringLiteral("b.obj")));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->getIndex(), 2);
}

TEST_F(GeometryTest, AMeshWithoutNamedGroupsYieldsNoAssignableGroups)
{
    VxFSGeomItem item(writeFile(QStringLiteral("plain.obj"), kTriangle), 0, nullptr);
    ASSERT_TRUE(item.isLoaded());
    ASSERT_NE(item.getShape(), nullptr);
    EXPECT_EQ(item.getNumGroups(), item.getShape()->getFacetMesh()->getNumFaceGroups());
    EXPECT_EQ(item.getNumGroups(), 0);
}

TEST_F(GeometryTest, FromGeometryOnTheGeneratedHumanoid)
{
    VxFSHierarchy document;
    VxFSGeomItem* body = document.addGeometry(writeHumanoid(QStringLiteral("andy.obz")));
    ASSERT_NE(body, nullptr);
    document.fromGeometry(body);
    const QStringList groups = VxMeshGen::humanoidGroupNames();
    EXPECT_EQ(document.getName(), body->getShape()->getName());
    EXPECT_EQ(document.getLabel(), body->getShape()->getName());
    EXPECT_EQ(document.getBaseGeometry(), body);
    ASSERT_EQ(document.getNumBones(false), groups.size());
    EXPECT_EQ(document.getNumBones(true), groups.size());
    int i = 0;
    for (VxFSHierarchyItem* bone = document.getFirstBone(); bone; bone = bone->getNextSibling(), ++i) {
        EXPECT_EQ(bone->getName(), groups[i]);
        ASSERT_NE(bone->getGeomGroup(), nullptr);
        EXPECT_EQ(bone->getGeomGroup()->getName(), groups[i]);
        EXPECT_TRUE(bone->getGeomGroup()->isAssigned());
    }
    EXPECT_EQ(body->getUseCount(), groups.size() + 1);
    EXPECT_TRUE(body->isInUse());

    // The file's geometry can go while bones use it: the bones only lose their groups.
    QSignalSpy base(&document, &VxFSHierarchy::geometryChanged);
    EXPECT_TRUE(document.removeGeometry(body));
    EXPECT_EQ(base.count(), 1);
    EXPECT_EQ(document.getNumBones(true), groups.size());
    EXPECT_EQ(document.getFirstBone()->getGeomGroup(), nullptr);
}

TEST_F(GeometryTest, TheItemLetsGoOfItsShapeWithoutDeletingAnAdoptedOne)
{
    auto* item = new VxFSGeomItem(writeFile(QStringLiteral("t.obj"), kTriangle), 0, nullptr);
    QPointer<VxFacetShape> shape = item->getShape();
    ASSERT_FALSE(shape.isNull());
    shape->ref();  // a figure adopts the shape
    delete item;
    ASSERT_FALSE(shape.isNull());
    EXPECT_EQ(shape->refCount(), 1);
    shape->unref();
    EXPECT_TRUE(shape.isNull());

    // A shape from the scene is shared, not copied: mesh and materials are the same objects.
    VxRefGuard<VxFacetShape> source(makeFacetShape(QStringLiteral("Andy"), {"hip"}, {"skin"}));
    VxFSGeomItem copy(source.get(), QStringLiteral("andy.obj"));
    EXPECT_NE(copy.getShape(), source.get());
    EXPECT_EQ(copy.getShape()->getFacetMesh(), source->getFacetMesh());
    EXPECT_EQ(copy.getShape()->getMaterial(0), source->getMaterial(0));
    EXPECT_EQ(copy.getShape()->getName(), QStringLiteral("Andy"));
    EXPECT_EQ(copy.getShortName(), QStringLiteral("andy.obj"));
    EXPECT_TRUE(copy.getPath().isEmpty());
    EXPECT_FALSE(copy.isLoaded());
    EXPECT_EQ(copy.getNumGroups(), 1);

    VxFSGeomItem empty(static_cast<VxFacetShape*>(nullptr), QStringLiteral("none"));
    EXPECT_NE(empty.getShape(), nullptr);
    EXPECT_EQ(empty.getNumGroups(), 0);
}

#include "test_geometry.moc"
