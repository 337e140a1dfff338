#include "vxundostack.h"

#include "vxapp.h"

VxUndoStack::VxUndoStack(QObject* parent) : QObject(parent)
{
    m_stack.setUndoLimit(kUndoLimit);
    // Any change of the stack's position ends the chance to extend the latest addition.
    connect(&m_stack, &QUndoStack::indexChanged, this, [this] {
        m_lastAddition = nullptr;
        m_lastAddedRoot = nullptr;
    });
}

VxUndoStack::~VxUndoStack() = default;

void VxUndoStack::lock()
{
    if (++m_lockDepth == 1)
        emit lockChanged(true);
}

void VxUndoStack::unlock()
{
    if (m_lockDepth == 0)
        return;
    if (--m_lockDepth == 0)
        emit lockChanged(false);
}

void VxUndoStack::clear()
{
    m_stack.clear();
    m_lastAddition = nullptr;
    m_lastAddedRoot = nullptr;
}

void VxUndoStack::beginMacro(const QString& text)
{
    m_stack.beginMacro(text);
}

void VxUndoStack::endMacro()
{
    m_stack.endMacro();
}

void VxUndoStack::record(QUndoCommand* command, VxNode* addedRoot)
{
    if (!command)
        return;
    m_stack.push(command);
    // Inside a macro the command is a child of the macro, not a step of its own.
    const bool isTopStep = m_stack.index() == m_stack.count()
        && m_stack.command(m_stack.count() - 1) == command;
    m_lastAddition = addedRoot && isTopStep ? command : nullptr;
    m_lastAddedRoot = m_lastAddition ? addedRoot : nullptr;
}

bool VxUndoStack::coversAddition(const VxNode* node) const
{
    if (!node || !m_lastAddition || m_stack.index() != m_stack.count())
        return false;
    if (m_stack.command(m_stack.count() - 1) != m_lastAddition)
        return false;
    return m_lastAddedRoot && m_lastAddedRoot->isAncestorOf(node);
}

void VxUndoStack::dropHistory(const QString& change)
{
    if (m_stack.count() == 0)
        return;
    clear();
    if (vxApp)
        vxApp->log(tr("%1 cannot be undone; the undo history was cleared.").arg(change));
}

VxUndoStackReplay::VxUndoStackReplay(VxUndoStack* stack) : m_stack(stack)
{
    if (m_stack)
        ++m_stack->m_replayDepth;
}

VxUndoStackReplay::~VxUndoStackReplay()
{
    if (m_stack)
        --m_stack->m_replayDepth;
}
