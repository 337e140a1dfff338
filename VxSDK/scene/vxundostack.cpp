#include "vxundostack.h"

VxUndoStack::VxUndoStack(QObject* parent) : QObject(parent) {}

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
