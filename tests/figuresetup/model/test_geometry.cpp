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
};

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

// Indices, renumbering and short names are what the geometry list shows; its tests read them.
TEST_F(GeometryTest, LoadedShapesAreNamedAfterTheFileAndFailedLoadsAddNothing)
{
    VxFSHierarchy document;
    VxFSGeomItem* a = document.addGeometry(writeFile(QStringLiteral("a.b.obj"), kTriangle));
    VxFSGeomItem* c = document.addGeometry(writeFile(QStringLiteral("mesh"), kTriangle));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(c, nullptr);
    // Cut at the last dot, or the whole name without one; then the vertex count.
    EXPECT_EQ(a->getShape()->getName(), QStringLiteral("a.b_3"));
    EXPECT_EQ(a->getShape()->getLabel(), QStringLiteral("a.b"));
    EXPECT_EQ(c->getShape()->getName(), QStringLiteral("mesh_3"));
    EXPECT_EQ(c->getShape()->getLabel(), QStringLiteral("mesh"));

    bool alreadyLoaded = true;
    EXPECT_EQ(document.addGeometry(tempPath(QStringLiteral("missing.obj")), &alreadyLoaded), nullptr);
    EXPECT_FALSE(alreadyLoaded);
    EXPECT_EQ(document.getNumGeometries(), 2);
    EXPECT_EQ(m_app->getBusyCursorDepth(), 0);
    VxFSGeomItem failed(tempPath(QStringLiteral("dir/missing.obj")), 3, nullptr);
    EXPECT_FALSE(failed.isLoaded());
    EXPECT_EQ(failed.getPath(), QString());
    EXPECT_EQ(failed.getShortName(), QString());
    EXPECT_EQ(failed.getShape(), nullptr);
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
    EXPECT_EQ(copy.getNumGroups(), 1);
}

#include "test_geometry.moc"
