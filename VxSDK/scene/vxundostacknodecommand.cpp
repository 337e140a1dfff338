#include "vxundostacknodecommand.h"

#include "vxnode.h"
#include "vxundostack.h"

#include <QCoreApplication>

VxUndoStackNodeCommand::VxUndoStackNodeCommand(Kind kind, VxScene* scene, VxNode* node,
                                               const VxScene::Placement& placement, QUndoCommand* parent)
    : QUndoCommand(parent),
      m_kind(kind),
      m_scene(scene),
      m_node(node),
      m_placement(placement),
      m_inScene(kind == Addition)
{
    const QString name = node ? node->getName() : QString();
    setText(kind == Addition ? QCoreApplication::translate("VxUndoStack", "Add %1").arg(name)
                             : QCoreApplication::translate("VxUndoStack", "Delete %1").arg(name));
}

VxUndoStackNodeCommand::~VxUndoStackNodeCommand()
{
    if (!m_inScene && m_node && !m_node->getScene())
        delete m_node.data();
}

void VxUndoStackNodeCommand::undo()
{
    if (m_kind == Addition)
        takeOut();
    else
        putBack();
}

void VxUndoStackNodeCommand::redo()
{
    if (m_firstRedo) {
        m_firstRedo = false;
        return;
    }
    if (m_kind == Addition)
        putBack();
    else
        takeOut();
}

void VxUndoStackNodeCommand::takeOut()
{
    if (!m_scene || !m_node || !m_inScene || !m_scene->containsNode(m_node)) {
        setObsolete(true);
        return;
    }
    VxUndoStackReplay replay(m_scene->getUndoStack());
    m_placement = m_scene->takeOut(m_node);
    m_inScene = false;
}

void VxUndoStackNodeCommand::putBack()
{
    if (!m_scene || !m_node || m_inScene) {
        setObsolete(true);
        return;
    }
    VxUndoStackReplay replay(m_scene->getUndoStack());
    if (!m_scene->putBack(m_node, m_placement)) {
        setObsolete(true);
        return;
    }
    m_inScene = true;
}
