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

namespace {
QStringList g_warnings;
QtMessageHandler g_previousHandler = nullptr;

void catchWarning(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg)
        g_warnings.append(message);
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}
} // namespace

VxWarningCatcher::VxWarningCatcher()
{
    g_warnings.clear();
    g_previousHandler = qInstallMessageHandler(catchWarning);
}

VxWarningCatcher::~VxWarningCatcher()
{
    qInstallMessageHandler(g_previousHandler);
    g_previousHandler = nullptr;
}

const QStringList& VxWarningCatcher::warnings() const
{
    return g_warnings;
}

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

::testing::AssertionResult vxVec3Equal(const char* actualText, const char* expectedText, const VxVec3& actual,
                                       const VxVec3& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    const auto text = [](const VxVec3& v) {
        return QStringLiteral("(%1, %2, %3)").arg(double(v.x), 0, 'g', 9).arg(double(v.y), 0, 'g', 9).arg(double(v.z), 0, 'g', 9).toStdString();
    };
    return ::testing::AssertionFailure() << actualText << " is " << text(actual) << ", expected " << expectedText
                                         << " = " << text(expected);
}
