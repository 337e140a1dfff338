#include "vxupdategeometryaction.h"

#include "vxbasegeometryupdater.h"
#include "vxupdategeometrydlg.h"
#include "vxupdategeometrydlgvalidator.h"
#include "vxupdategeometryrequest.h"
#include "vxupdategeometrytarget.h"

#include "vxapp.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxfileio.h"
#include "vxfileiosettings.h"
#include "vximportmgr.h"
#include "vxmainwindow.h"
#include "vxobject.h"
#include "vxnode.h"
#include "vxposechannels.h"
#include "vxrefcounted.h"
#include "vxscene.h"

#include <QCoreApplication>
#include <QMessageBox>

#include <memory>

namespace {

// The busy cursor for the length of a scope, however it is left.
class BusyCursor
{
public:
    BusyCursor() { vxApp->setBusyCursor(); }
    ~BusyCursor() { vxApp->clearBusyCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

// Lets go of the action's imported shape when a run ends, on every path out of it.
class VxUpdateGeometryAction::ImportedShapeRelease
{
public:
    explicit ImportedShapeRelease(VxUpdateGeometryAction& action) : m_action(action) {}
    ~ImportedShapeRelease() { m_action.discardImportedShape(); }
    ImportedShapeRelease(const ImportedShapeRelease&) = delete;
    ImportedShapeRelease& operator=(const ImportedShapeRelease&) = delete;

private:
    VxUpdateGeometryAction& m_action;
};

VxUpdateGeometryAction::VxUpdateGeometryAction()
    : VxEditAction(tr("Update Base Geometry..."), tr("Updates the base geometry of the selected object."))
{
    setObjectName(QStringLiteral("VxUpdateGeometryAction"));
}

VxUpdateGeometryAction::~VxUpdateGeometryAction()
{
    discardImportedShape();
}

QString VxUpdateGeometryAction::getActionGroup() const
{
    return tr("Geometry Editing");
}

// Scoped to the host's hierarchy pane, whose Edit/Geometry menu the host shows as
// Edit > Geometry in the main window.
QString VxUpdateGeometryAction::getDefaultMenuPath() const
{
    return QStringLiteral("VxHierarchyPane::") + QStringLiteral("Edit/Geometry");
}

void VxUpdateGeometryAction::executeAction()
{
    if (!vxApp)
        return;
    VxUpdateGeometryTarget target;
    if (!VxUpdateGeometryTarget::fromSelection(vxScene ? vxScene->getPrimarySelection() : nullptr, &target)) {
        QMessageBox::information(vxApp->getDialogParent(), tr("Selection Error"),
                                 tr("A node in the scene with geometry must be selected to perform this action."),
                                 QMessageBox::Ok);
        return;
    }
    // The target mesh must outlive the run even when a full update takes it off its shape.
    const VxRefGuard<VxFacetMesh> targetMesh(target.mesh);
    // Every way out of the run lets go of the imported shape.
    const ImportedShapeRelease release(*this);

    VxUpdateGeometryRequest request = VxUpdateGeometryRequest::fromTriggerSettings(getTriggerSettings());
    if (!request.runSilent && !askUser(request))
        return;
    const VxFileIOSettings importerSettings(request.importerSettings);

    VxFacetMesh* source = sourceMesh(target, request, importerSettings);
    if (!source || !target.isAlive())
        return;
    const int facetCount = target.mesh->getNumFacets();
    const int vertexCount = target.mesh->getNumVertices();

    if (request.operation == VxUpdateGeometryRequest::FullGeometryFromFile) {
        if (source->getNumFacets() != facetCount || source->getNumVertices() != vertexCount) {
            refuseIncompatible(tr("The imported geometry does not match the geometry it is updating.\n"
                                  "Vertex counts and facet counts must be the same."));
            return;
        }
        const BusyCursor busy;
        VxBaseGeometryUpdater::replaceMesh(target.shape, target.mesh, m_importedShape, source);
        return;
    }

    // Positions only: faces, groups, materials and regions stay as they are, so only the
    // vertex counts need to agree.
    if (source->getNumVertices() != vertexCount) {
        refuseIncompatible(tr("The target geometry does not match the geometry it is updating.\n"
                              "Vertex counts must be the same."));
        return;
    }
    const BusyCursor busy;
    VxBaseGeometryUpdater::copyVertexPositions(target.mesh, source);
    // A figure's current shape is its posed skin, a mesh of its own. Once that shape is the
    // base mesh, the pose that made it must go, or the figure would bend a second time and
    // no longer look as it did when the user baked it.
    if (request.operation == VxUpdateGeometryRequest::VertexPositionsFromCurrentShape
        && source != target.mesh && target.node)
        VxPoseChannels::resetPose(target.node);
}

bool VxUpdateGeometryAction::askUser(VxUpdateGeometryRequest& request) const
{
    VxUpdateGeometryDlg dialog;
    dialog.setOperation(request.operation);
    dialog.setFileName(request.fileName);
    dialog.setValidator(std::make_unique<VxUpdateGeometryDlgValidator>());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    request.operation = dialog.getOperation();
    request.fileName = dialog.getFileName();
    return true;
}

VxFacetMesh* VxUpdateGeometryAction::sourceMesh(const VxUpdateGeometryTarget& target,
                                                const VxUpdateGeometryRequest& request,
                                                const VxFileIOSettings& importerSettings)
{
    if (!VxUpdateGeometryRequest::readsFile(request.operation))
        return target.object ? qobject_cast<VxFacetMesh*>(target.object->getCachedGeom()) : nullptr;
    // The dialog's check trims the path; the file read is the one that was checked.
    loadFile(request.fileName.trimmed(), importerSettings);
    if (!m_importedShape)
        return nullptr;
    auto* mesh = qobject_cast<VxFacetMesh*>(m_importedShape->getGeometry());
    if (!mesh)
        discardImportedShape();
    return mesh;
}

void VxUpdateGeometryAction::loadFile(const QString& path, const VxFileIOSettings& importerSettings)
{
    discardImportedShape();
    if (path.isEmpty())
        return;
    // The dialog has just closed: let the window repaint before a long read.
    QCoreApplication::processEvents();
    VxImportMgr* importer = vxApp->getImportMgr();
    VxShape* shape = nullptr;
    const int result = importerSettings.getNumValues() > 0 ? importer->readGeometry(path, &shape, importerSettings)
                                                           : importer->readGeometry(path, &shape);
    if (result != VxImportMgr::Success || !shape)
        return;
    shape->ref();
    const QString folder = VxFileIO::getFilePath(path);
    if (!folder.isEmpty())
        importer->setImportPath(folder);
    if (!qobject_cast<VxFacetShape*>(shape)) {
        shape->unref();
        return;
    }
    m_importedShape = shape;
    VxBaseGeometryUpdater::recordSourceFile(shape, path, QString());
}

void VxUpdateGeometryAction::discardImportedShape()
{
    if (!m_importedShape)
        return;
    m_importedShape->unref();
    m_importedShape = nullptr;
}

void VxUpdateGeometryAction::refuseIncompatible(const QString& text) const
{
    QMessageBox::information(vxApp->getInterface(), tr("Incompatible Geometry"), text, QMessageBox::Ok);
}
