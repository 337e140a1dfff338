#pragma once

#include "vxscene.h"

#include <QPointer>
#include <QUndoCommand>

class VxNode;

// One undo step that adds a node (with everything below it) to the scene or removes it.
// The step is recorded after the change happened, so its first redo does nothing.
//
// Ownership: while the node is out of the scene the step owns it (the scene deletes only
// what it holds), so redo brings back the very same node with its whole content; a step
// that is dropped while holding its node deletes it. A node deleted behind the step's back
// (under the undo lock) makes the step obsolete: undoing or redoing it does nothing.
class VxUndoStackNodeCommand : public QUndoCommand
{
public:
    enum Kind { Addition, Removal };

    // `placement` says where the node sits (Addition) or sat (Removal) in the scene.
    VxUndoStackNodeCommand(Kind kind, VxScene* scene, VxNode* node, const VxScene::Placement& placement,
                           QUndoCommand* parent = nullptr);
    ~VxUndoStackNodeCommand() override;

    void undo() override;
    void redo() override;

    Kind getKind() const { return m_kind; }
    VxNode* getNode() const { return m_node; }

private:
    void putBack();
    void takeOut();

    Kind m_kind;
    QPointer<VxScene> m_scene;
    QPointer<VxNode> m_node;
    VxScene::Placement m_placement;
    bool m_inScene;
    bool m_firstRedo = true;
};
