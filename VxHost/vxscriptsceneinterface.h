#pragma once

#include <QObject>
#include <QObjectList>
#include <QScriptable>
#include <QStringList>

class VxNode;

// The scene as scripts see it (the global `vxScene`): its nodes (script objects whose
// objectName is the node's name), the selection and primary selection, mesh import as a
// prop node, deletion, undo and redo, and the scene as JSON. Failures throw a script error
// with the reason.
class VxScriptSceneInterface : public QObject, protected QScriptable
{
    Q_OBJECT
public:
    explicit VxScriptSceneInterface(QObject* parent = nullptr);

    Q_INVOKABLE int getNumNodes() const;
    // Every node, in the order added.
    Q_INVOKABLE QObjectList getNodes() const;
    Q_INVOKABLE QStringList getNodeNames() const;
    // The first node of that name, or null.
    Q_INVOKABLE QObject* findNode(const QString& name) const;

    Q_INVOKABLE QObjectList getSelectedNodes() const;
    Q_INVOKABLE QObject* getPrimarySelection() const;
    // Selects (or deselects) a node; a selected node becomes the primary selection.
    Q_INVOKABLE void selectNode(QObject* node, bool onOff = true);
    Q_INVOKABLE void selectAllNodes(bool onOff);

    // Imports a mesh file as a prop node and returns it.
    Q_INVOKABLE QObject* importMesh(const QString& path);
    // Removes a node with everything below it.
    Q_INVOKABLE void removeNode(QObject* node);
    // Deletes the selection as the Edit menu does; returns the number of nodes deleted.
    Q_INVOKABLE int deleteSelection();

    Q_INVOKABLE bool canUndo() const;
    Q_INVOKABLE bool canRedo() const;
    Q_INVOKABLE void undo();
    Q_INVOKABLE void redo();

    Q_INVOKABLE QString toJson() const;

private:
    VxNode* sceneNode(QObject* object, const char* operation);
    void throwError(const QString& message);
};
