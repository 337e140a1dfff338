#include "updategeometrytest.h"

#include "vxscriptrunner.h"
#include "vxupdategeometrydlg.h"

#include "vxbrowseedit.h"
#include "vxclassfactory.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxfigure.h"
#include "vxfigurepluginexports.h"
#include "vxgeometryregion.h"
#include "vxgeomsourcefiledata.h"
#include "vximportmgr.h"
#include "vxmaterial.h"
#include "vxmeshgen.h"
#include "vxplugin.h"

#include <QApplication>
#include <QDir>
#include <QRadioButton>

UpdateDialogDriver::UpdateDialogDriver()
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        auto* dialog = qobject_cast<VxUpdateGeometryDlg*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        seen.append({dialog->getOperation(), dialog->getFileName(), dialog->getFileEdit()->isEnabled()});
        if (!dialog->getOperationButton(seen.last().operation)->isChecked())
            seen.last().operation = -1;
        if (steps.isEmpty())
            return dialog->reject();
        steps.takeFirst()(*dialog);
    });
    m_timer.start();
}

void UpdateGeometryTest::SetUp()
{
    VxSceneTest::SetUp();
    for (VxClassFactory* factory : getPluginDefinition()->getClassFactories()) {
        if (factory->className() == QLatin1String("VxUpdateGeometryAction"))
            m_app->registerClassFactory(factory);
    }
    QStringList materials;
    VxFacetMeshData body = VxMeshGen::humanoid(&materials);
    VxFacetMeshData moved = body;
    for (size_t i = 0; i < moved.positions.size(); i += 3)
        moved.positions[i] += 0.5f;
    m_bodyPositions = body.positions;
    m_movedPositions = moved.positions;
    QDir().mkpath(tempPath(QStringLiteral("meshes")));
    m_body = tempPath(QStringLiteral("meshes/body.obj"));
    m_moved = tempPath(QStringLiteral("meshes/moved.obj"));
    m_oneFewer = tempPath(QStringLiteral("meshes/onefewer.obj"));
    ASSERT_TRUE(VxMeshGen::writeObjFile(body, materials, m_body));
    ASSERT_TRUE(VxMeshGen::writeObjFile(moved, {QStringLiteral("cloth"), QStringLiteral("wig"), QStringLiteral("boots")}, m_moved));
    moved.facetStart.pop_back();
    moved.cornerVertex.resize(moved.facetStart.back());
    moved.cornerUV.resize(moved.facetStart.back());
    moved.facetGroup.pop_back();
    moved.facetMaterial.pop_back();
    ASSERT_TRUE(VxMeshGen::writeObjFile(moved, materials, m_oneFewer));
    m_triangle = writeFile(QStringLiteral("meshes/triangle.obj"), "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    m_broken = writeFile(QStringLiteral("meshes/broken.obj"), "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 9\n");

    VxShape* read = nullptr;
    ASSERT_EQ(m_app->getImportMgr()->readGeometry(m_body, &read), 0);
    const VxRefGuard<VxShape> readRef(read);
    m_figure = vxMakeFigure<VxFigure>(qobject_cast<VxFacetShape*>(read)->getFacetMesh(), QStringLiteral("Figure"));
    for (int i = 0; i < read->getNumMaterials(); ++i)
        skin()->addMaterial(read->getMaterial(i));
    auto* root = new VxGeometryRegion(QStringLiteral("Actor"));
    auto* head = new VxGeometryRegion(QStringLiteral("Head"));
    head->setRegionFacetIndices({0, 1, 2});
    root->addChildRegion(head);
    skin()->setGeometryRegion(root);
    skin()->addDataItem(new VxGeomSourceFileData(QStringLiteral("old/body.obj"), QStringLiteral("body")));
    m_scene->selectNode(m_figure, true);
}

bool UpdateGeometryTest::runScript(const QString& program, QString* error)
{
    VxScriptRunner runner;
    return runner.runProgram(program, QStringLiteral("update.js"), error);
}

bool UpdateGeometryTest::runUpdate(const QString& settings, QString* error)
{
    return runScript(QStringLiteral("vxApp.runAction('VxUpdateGeometryAction', %1);").arg(settings), error);
}

VxShape* UpdateGeometryTest::skin() const
{
    return VxShape::getCurrentShapeForNode(m_figure);
}

VxFacetMesh* UpdateGeometryTest::skinMesh() const
{
    return qobject_cast<VxFacetMesh*>(skin()->getGeometry());
}

std::vector<float> UpdateGeometryTest::positions() const
{
    return std::vector<float>(skinMesh()->getVertexData(), skinMesh()->getVertexData() + 3 * size_t(skinMesh()->getNumVertices()));
}

QStringList UpdateGeometryTest::materialNames() const
{
    QStringList names;
    for (int i = 0; i < skin()->getNumMaterials(); ++i)
        names.append(skin()->getMaterial(i)->getName());
    return names;
}
