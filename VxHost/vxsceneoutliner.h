#pragma once

#include <QHash>
#include <QPointer>
#include <QTreeWidget>

class VxNode;
class VxScene;

// Every node of the scene as a tree (figures with their bones, props), kept in step with
// the scene: added, removed, renamed and re-parented nodes show at once.
//
// Selection goes both ways. Selecting items selects their nodes in the scene, the item the
// user clicked last becoming the primary selection; a selection made elsewhere (the view,
// a script, a plug-in) selects the items, and the primary selection becomes the current
// item, scrolled into view.
class VxSceneOutliner : public QTreeWidget
{
    Q_OBJECT
public:
    enum Column { NameColumn, TypeColumn };

    explicit VxSceneOutliner(VxScene* scene, QWidget* parent = nullptr);
    ~VxSceneOutliner() override;

    QTreeWidgetItem* itemForNode(const VxNode* node) const { return m_items.value(node); }
    VxNode* nodeForItem(const QTreeWidgetItem* item) const { return m_nodes.value(item); }
    // Makes every item anew from the scene.
    void rebuild();

    // What the Type column says: "Figure", "Bone", "Skeleton", "Prop" (a node with
    // geometry) or "Node".
    static QString typeText(const VxNode* node);

private:
    QTreeWidgetItem* makeItem(VxNode* node);
    void forgetItem(QTreeWidgetItem* item);
    void placeItem(VxNode* node, QTreeWidgetItem* item);
    void addNodeItem(VxNode* node);
    void removeNodeItem(VxNode* node);
    void renameNodeItem(VxNode* node);
    void moveNodeItem(VxNode* node);
    void followSceneSelection();
    void driveSceneSelection();

    QPointer<VxScene> m_scene;
    QHash<const VxNode*, QTreeWidgetItem*> m_items;
    QHash<const QTreeWidgetItem*, VxNode*> m_nodes;
    // Set while one side of the selection follows the other, so it does not echo back.
    bool m_syncing = false;
};
