#include "vxsceneedits.h"

#include "vxapp.h"
#include "vximportmgr.h"
#include "vxnode.h"
#include "vxobject.h"
#include "vxscene.h"
#include "vxshape.h"
#include "vxskeleton.h"
#include "vxundostack.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
QString tr(const char* text, int n = -1)
{
    return QCoreApplication::translate("VxSceneEdits", text, nullptr, n);
}
} // namespace

VxNode* VxSceneEdits::importMesh(const QString& path, QString* error)
{
    if (!vxApp || !vxScene) {
        if (error)
            *error = tr("There is no scene to import into.");
        return nullptr;
    }
    VxShape* shape = nullptr;
    VxImportMgr* importer = vxApp->getImportMgr();
    if (importer->readGeometry(path, &shape) != VxImportMgr::Success || !shape) {
        if (error) {
            *error = importer->getLastError().isEmpty() ? tr("%1: the mesh could not be read").arg(path)
                                                        : importer->getLastError();
        }
        return nullptr;
    }
    auto* node = new VxNode();
    const QString name = uniqueNodeName(QFileInfo(path).completeBaseName());
    node->setName(name);
    node->setLabel(name);
    auto* object = new VxObject();
    object->addShape(shape);
    node->setObject(object);
    vxScene->addNode(node);
    return node;
}

int VxSceneEdits::deleteSelection(QString* note)
{
    if (note)
        note->clear();
    if (!vxScene)
        return 0;
    const QList<VxNode*> selected = vxScene->getSelectedNodes();
    QList<VxNode*> roots;
    QStringList keptBones;
    for (VxNode* node : selected) {
        bool ancestorGoes = false;
        for (VxNode* other : selected)
            ancestorGoes = ancestorGoes || other->isAncestorOf(node);
        if (ancestorGoes)
            continue;
        const VxSkeleton* skeleton = node->getSkeleton();
        if (skeleton && skeleton != node) {
            keptBones.append(node->getName());
            continue;
        }
        roots.append(node);
    }
    if (note && !keptBones.isEmpty()) {
        *note = tr("Bones belong to their figure and are deleted only with it: %1 kept.")
                    .arg(keptBones.join(QStringLiteral(", ")));
    }
    if (roots.isEmpty())
        return 0;
    int deleted = 0;
    VxUndoStack* undo = vxScene->getUndoStack();
    const bool grouped = roots.size() > 1 && undo->isRecording();
    if (grouped)
        undo->beginMacro(tr("Delete %n nodes", roots.size()));
    for (VxNode* root : qAsConst(roots)) {
        const int subtree = 1 + root->getNodeChildren(true).size();
        if (vxScene->removeNode(root))
            deleted += subtree;
    }
    if (grouped)
        undo->endMacro();
    return deleted;
}

QString VxSceneEdits::uniqueNodeName(const QString& name)
{
    if (!vxScene || !vxScene->findNode(name))
        return name;
    for (int i = 1;; ++i) {
        const QString candidate = QStringLiteral("%1_%2").arg(name).arg(i);
        if (!vxScene->findNode(candidate))
            return candidate;
    }
}
