#pragma once

#include "vxsdkglobal.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QVariantList>

#include <functional>
#include <memory>

class VxNode;
class VxUndoStack;
class VxViewportMgr;

// The one scene of the host: its nodes, the selection, the undo stack, the viewport
// manager and the post-create hooks. The host creates it at start-up (tests in a fixture)
// and everything reaches it through vxScene.
class VXSDK_EXPORT VxScene : public QObject
{
    Q_OBJECT
public:
    // A hook run for a node after a tool created it; returns false when it failed.
    using PostCreateScript = std::function<bool(VxNode* node, const QVariantList& args)>;

    explicit VxScene(QObject* parent = nullptr);
    ~VxScene() override;

    static VxScene* instance();

    // --- nodes
    // Where a node and the nodes below it sit in the scene: the parent and the index among
    // its children, and each scene node's index in getNodes(), in pre-order.
    struct Placement
    {
        QPointer<VxNode> parent;
        bool hadParent = false;
        int childIndex = -1;
        QList<QPair<VxNode*, int>> nodes;
    };

    // Adds the node (not its children: each node is added on its own). A node without a
    // node parent becomes a top-level node owned by the scene. False for null or a node
    // already in a scene.
    //
    // Recorded for undo as one step, unless the undo stack is locked. Nodes added below the
    // node of the latest step belong to that step (a figure and then its bones). A bone
    // added on its own to a figure already in the scene cannot be undone (its figure's
    // rigging refers to it) and clears the undo history.
    bool addNode(VxNode* node);
    // Removes the node and its whole subtree from the scene. Recorded for undo unless the
    // stack is locked: the subtree then stays alive, held by the undo step, so that undo
    // brings back the same nodes. Otherwise, and always for a bone whose figure stays (its
    // skeleton first drops its rigging's references to every bone that goes, which cannot
    // be undone and clears the undo history), the subtree is deleted.
    bool removeNode(VxNode* node);
    bool containsNode(const VxNode* node) const;
    int getNumNodes() const { return m_nodes.size(); }
    VxNode* getNode(int index) const { return m_nodes.value(index); }
    // Every node, in the order added.
    const QList<VxNode*>& getNodes() const { return m_nodes; }
    // Nodes without a node parent, in the order added.
    QList<VxNode*> getTopLevelNodes() const;
    // The first node added with that name, or null.
    VxNode* findNode(const QString& name) const;

    // --- selection. The primary selection is the node selected last that is still
    // selected; deselecting it makes the most recent remaining one primary.
    void selectNode(VxNode* node, bool onOff);
    void selectAllNodes(bool onOff);
    // Makes exactly these nodes (those in the scene) the selection, the last one primary,
    // as one change: a click in a view replaces the selection with one signal, not two.
    void setSelection(const QList<VxNode*>& nodes);
    bool isNodeSelected(const VxNode* node) const;
    const QList<VxNode*>& getSelectedNodes() const { return m_selected; }
    VxNode* getPrimarySelection() const { return m_selected.isEmpty() ? nullptr : m_selected.last(); }

    // --- post-create hooks, registered by name (by the host or its scripts).
    void registerNodePostCreateScript(const QString& name, PostCreateScript script);
    void unregisterNodePostCreateScript(const QString& name);
    bool hasNodePostCreateScript(const QString& name) const;
    // Runs the hook registered under `name` for `node`; false when there is none, the node
    // is null or the hook failed. Emits nodePostCreateScriptExecuted when a hook ran.
    bool executeNodePostCreateScript(VxNode* node, const QString& name, const QVariantList& args);

    VxUndoStack* getUndoStack() const { return m_undoStack.get(); }
    VxViewportMgr* getViewportMgr() const { return m_viewportMgr.get(); }

    // --- export: the whole scene as JSON with a stable layout (see VxSceneJsonWriter).
    // The writer knows every rigging object, so it lives above the scene (export/) and
    // installs itself when the library loads; without it toJson() is empty.
    using JsonWriter = QByteArray (*)(const VxScene& scene);
    static bool setJsonWriter(JsonWriter writer);
    QByteArray toJson() const;
    // Writes toJson() to `path` through a temporary file, so a failure leaves no partial
    // file behind; false with a message in *error.
    bool saveJson(const QString& path, QString* error = nullptr) const;

signals:
    void nodeAdded(VxNode* node);
    void nodeAboutToBeRemoved(VxNode* node);
    void nodeSelectionListChanged();
    void primarySelectionChanged(VxNode* node);
    void nodePostCreateScriptExecuted(VxNode* node, const QString& name, bool succeeded);
    void sceneChanged();

private:
    friend class VxNode;
    friend class VxUndoStackNodeCommand;
    Placement placementOf(VxNode* root) const;
    // Takes the subtree out of the scene without deleting it or touching any rigging, and
    // says where it was.
    Placement takeOut(VxNode* root);
    // Puts a subtree taken out back where it was; false when its parent is gone.
    bool putBack(VxNode* root, const Placement& placement);
    void recordAddition(VxNode* node);
    // A bone of a skeleton that is not part of the subtree being added or removed.
    static bool isBoneOfOtherSkeleton(const VxNode* node);
    // Called by a node being destroyed, and when a node's parent changes.
    void forgetNode(VxNode* node);
    void nodeReparented(VxNode* node);
    void changeSelection(const QList<VxNode*>& selected);
    void notifyChanged();

    QList<VxNode*> m_nodes;
    QList<VxNode*> m_selected;
    QHash<QString, PostCreateScript> m_postCreateScripts;
    std::unique_ptr<VxUndoStack> m_undoStack;
    std::unique_ptr<VxViewportMgr> m_viewportMgr;
    bool m_destroying = false;
};

#define vxScene (VxScene::instance())
