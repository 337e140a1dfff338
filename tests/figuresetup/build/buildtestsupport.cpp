#include "buildtestsupport.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"

#include "vxbone.h"
#include "vxdefaultmaterial.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxgraftingfigureshape.h"
#include "vxmeshgen.h"
#include "vxobject.h"
#include "vxrefcounted.h"
#include "vxselectionmap.h"
#include "vxskeleton.h"

VxFSGeomItem* BuildTest::setBaseMesh(VxFSHierarchy& document, VxFacetMesh* mesh, const QString& name,
                                     const QStringList& materials)
{
    VxRefGuard<VxFacetShape> shape(new VxFacetShape());
    shape->setName(name);
    shape->setLabel(name);
    shape->setFacetMesh(mesh);
    for (const QString& materialName : materials) {
        VxRefGuard<VxDefaultMaterial> material(new VxDefaultMaterial());
        material->setName(materialName);
        material->setLabel(materialName + QStringLiteral(" label"));
        material->setDiffuseColor(Qt::red);
        shape->addMaterial(material.get());
    }
    auto* item = new VxFSGeomItem(shape.get(), name);
    EXPECT_TRUE(document.addGeometryItem(item));
    document.setBaseGeometry(item);
    return item;
}

void BuildTest::prepareFigure(VxSkeleton* figure, VxFacetMesh* mesh)
{
    vxScene->addNode(figure);
    figure->setObject(new VxObject());
    if (mesh) {
        auto* shape = new VxGraftingFigureShape();
        shape->setFacetMesh(mesh);
        figure->getObject()->addShape(shape);
    }
    figure->setSelectionMap(new VxSelectionMap());
}

VxBone* BuildTest::addPlacedBone(VxNode* parent, const QString& name, const VxVec3& origin, const VxVec3& end,
                                 int rotationOrder)
{
    auto* bone = new VxBone();
    bone->setName(name);
    bone->setRotationOrder(rotationOrder);
    parent->addNodeChild(bone, false);
    vxScene->addNode(bone);
    bone->setOrigin(origin, true);
    bone->setEndPoint(end, true);
    return bone;
}

VxFacetMesh* BuildTest::humanoidMesh()
{
    auto* mesh = new VxFacetMesh();
    mesh->setData(VxMeshGen::humanoid());
    return mesh;
}
