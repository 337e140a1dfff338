#include "vxscriptsceneinterface.h"

#include "vxsceneedits.h"

#include "vxnode.h"
#include "vxscene.h"
#include "vxundostack.h"

#include <QScriptContext>

namespace {
QObjectList toObjects(const QList<VxNode*>& nodes)
{
    QObjectList objects;
    objects.reserve(nodes.size());
    for (VxNode* node : nodes)
        objects.append(node);
    return objects;
}
} // namespace

VxScriptSceneInterface::VxScriptSceneInterface(QObject* parent) : QObject(parent) {}

int VxScriptSceneInterface::getNumNodes() const
{
    return vxScene ? vxScene->getNumNodes() : 0;
}

QObjectList VxScriptSceneInterface::getNodes() const
{
    return vxScene ? toObjects(vxScene->getNodes()) : QObjectList();
}

QStringList VxScriptSceneInterface::getNodeNames() const
{
    QStringList names;
    if (vxScene) {
        for (const VxNode* node : vxScene->getNodes())
            names.append(node->getName());
    }
    return names;
}

QObject* VxScriptSceneInterface::findNode(const QString& name) const
{
    return vxScene ? vxScene->findNode(name) : nullptr;
}

QObjectList VxScriptSceneInterface::getSelectedNodes() const
{
    return vxScene ? toObjects(vxScene->getSelectedNodes()) : QObjectList();
}

QObject* VxScriptSceneInterface::getPrimarySelection() const
{
    return vxScene ? vxScene->getPrimarySelection() : nullptr;
}

void VxScriptSceneInterface::selectNode(QObject* object, bool onOff)
{
    if (VxNode* node = sceneNode(object, "selectNode"))
        vxScene->selectNode(node, onOff);
}

void VxScriptSceneInterface::selectAllNodes(bool onOff)
{
    if (vxScene)
        vxScene->selectAllNodes(onOff);
}

QObject* VxScriptSceneInterface::importMesh(const QString& path)
{
    QString error;
    VxNode* node = VxSceneEdits::importMesh(path, &error);
    if (!node)
        throwError(error);
    return node;
}

void VxScriptSceneInterface::removeNode(QObject* object)
{
    if (VxNode* node = sceneNode(object, "removeNode"))
        vxScene->removeNode(node);
}

int VxScriptSceneInterface::deleteSelection()
{
    return VxSceneEdits::deleteSelection(nullptr);
}

bool VxScriptSceneInterface::canUndo() const
{
    return vxScene && vxScene->getUndoStack()->canUndo();
}

bool VxScriptSceneInterface::canRedo() const
{
    return vxScene && vxScene->getUndoStack()->canRedo();
}

void VxScriptSceneInterface::undo()
{
    if (vxScene)
        vxScene->getUndoStack()->undo();
}

void VxScriptSceneInterface::redo()
{
    if (vxScene)
        vxScene->getUndoStack()->redo();
}

QString VxScriptSceneInterface::toJson() const
{
    return vxScene ? QString::fromUtf8(vxScene->toJson()) : QString();
}

VxNode* VxScriptSceneInterface::sceneNode(QObject* object, const char* operation)
{
    auto* node = qobject_cast<VxNode*>(object);
    if (!vxScene || !vxScene->containsNode(node)) {
        throwError(QStringLiteral("vxScene.%1: the argument is not a node of the scene").arg(QLatin1String(operation)));
        return nullptr;
    }
    return node;
}

void VxScriptSceneInterface::throwError(const QString& message)
{
    if (context())
        context()->throwError(message);
}
