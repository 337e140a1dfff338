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
#include "vxobject.h"
#include "vxplugin.h"
#include "vxshape.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

UpdateDialogDriver::UpdateDialogDriver()
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &UpdateDialogDriver::poll);
    m_timer.start();
}

void UpdateDialogDriver::accept(VxUpdateGeometryDlg& dialog)
{
    QTest::mouseClick(dialog.getAcceptButton(), Qt::LeftButton);
}

void UpdateDialogDriver::cancel(VxUpdateGeometryDlg& dialog)
{
    QTest::mouseClick(dialog.getCancelButton(), Qt::LeftButton);
}

void UpdateDialogDriver::poll()
{
    auto* dialog = qobject_cast<VxUpdateGeometryDlg*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible())
        return;
    Seen seen;
    for (int operation = 0; operation < 3; ++operation) {
        if (dialog->getOperationButton(operation)->isChecked())
            seen.operation = operation;
    }
    seen.fileName = dialog->getFileEdit()->getText();
    seen.fileEnabled = dialog->getFileEdit()->isEnabled();
    m_seen.append(seen);
    if (m_steps.isEmpty()) {
        dialog->reject();
        return;
    }
    m_steps.takeFirst()(*dialog);
}

namespace {

bool writeMesh(const VxFacetMeshData& mesh, const QStringList& materials, const QString& path)
{
    QString error;
    const bool written = VxMeshGen::writeObjFile(mesh, materials, path, &error);
    EXPECT_TRUE(written) << qPrintable(error);
    return written;
}

VxFacetMeshData withoutLastFacet(VxFacetMeshData mesh)
{
    const uint32_t corners = mesh.facetStart[mesh.facetStart.size() - 2];
    mesh.facetStart.pop_back();
    mesh.cornerVertex.resize(corners);
    if (!mesh.cornerUV.empty())
        mesh.cornerUV.resize(corners);
    mesh.facetGroup.pop_back();
    mesh.facetMaterial.pop_back();
    return mesh;
}

} // namespace

void UpdateGeometryTest::SetUp()
{
    VxSceneTest::SetUp();
    for (VxClassFactory* factory : getPluginDefinition()->getClassFactories()) {
        if (factory->className() == QLatin1String("VxUpdateGeometryAction"))
            m_app->registerClassFactory(factory);
    }

    QStringList materials;
    VxFacetMeshData body = VxMeshGen::humanoid(&materials);
    m_bodyPositions = body.positions;
    VxFacetMeshData moved = body;
    for (size_t i = 0; i < moved.positions.size(); i += 3)
        moved.positions[i] += 0.5f;
    m_movedPositions = moved.positions;
    QDir().mkpath(tempPath(QStringLiteral("meshes")));
    m_body = tempPath(QStringLiteral("meshes/body.obj"));
    m_moved = tempPath(QStringLiteral("meshes/moved.obj"));
    m_oneFewer = tempPath(QStringLiteral("meshes/onefewer.obj"));
    ASSERT_TRUE(writeMesh(body, materials, m_body));
    ASSERT_TRUE(writeMesh(moved, {QStringLiteral("cloth"), QStringLiteral("wig"), QStringLiteral("boots")}, m_moved));
    ASSERT_TRUE(writeMesh(withoutLastFacet(moved), materials, m_oneFewer));
    m_triangle = writeFile(QStringLiteral("meshes/triangle.obj"), "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    m_broken = writeFile(QStringLiteral("meshes/broken.obj"), "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 9\n");

    VxShape* read = nullptr;
    ASSERT_EQ(m_app->getImportMgr()->readGeometry(m_body, &read), 0);
    read->ref();
    auto* readShape = qobject_cast<VxFacetShape*>(read);
    m_figure = vxMakeFigure<VxFigure>(readShape->getFacetMesh(), QStringLiteral("Figure"));
    VxShape* skin = skinShape();
    for (int i = 0; i < read->getNumMaterials(); ++i)
        skin->addMaterial(read->getMaterial(i));
    read->unref();

    auto* root = new VxGeometryRegion(QStringLiteral("Actor"));
    auto* head = new VxGeometryRegion(QStringLiteral("Head"));
    head->setRegionFacetIndices({0, 1, 2});
    root->addChildRegion(head);
    skin->setGeometryRegion(root);
    skin->addDataItem(new VxGeomSourceFileData(QStringLiteral("old/body.obj"), QStringLiteral("body")));
    m_scene->selectNode(m_figure, true);
}

bool UpdateGeometryTest::runScript(const QString& program, QString* error)
{
    VxScriptRunner runner;
    return runner.runProgram(program, QStringLiteral("update.js"), error);
}

bool UpdateGeometryTest::runUpdate(const QString& settings, QString* error)
{
    return runScript(QStringLiteral("vxApp.runAction(\"VxUpdateGeometryAction\", %1);").arg(settings), error);
}

VxShape* UpdateGeometryTest::skinShape() const
{
    return VxShape::getCurrentShapeForNode(m_figure);
}

VxFacetMesh* UpdateGeometryTest::skinMesh() const
{
    return qobject_cast<VxFacetMesh*>(skinShape()->getGeometry());
}

std::vector<float> UpdateGeometryTest::positions() const
{
    const VxFacetMesh* mesh = skinMesh();
    return std::vector<float>(mesh->getVertexData(), mesh->getVertexData() + 3 * size_t(mesh->getNumVertices()));
}

QStringList UpdateGeometryTest::materialNames() const
{
    QStringList names;
    for (int i = 0; i < skinShape()->getNumMaterials(); ++i)
        names.append(skinShape()->getMaterial(i)->getName());
    return names;
}

QByteArray UpdateGeometryTest::sceneJson() const
{
    return m_scene->toJson();
}
