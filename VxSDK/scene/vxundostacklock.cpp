#include "vxundostacklock.h"

#include "vxscene.h"
#include "vxundostack.h"

VxUndoStackLock::VxUndoStackLock() : VxUndoStackLock(vxScene ? vxScene->getUndoStack() : nullptr) {}

VxUndoStackLock::VxUndoStackLock(VxUndoStack* stack) : m_stack(stack)
{
    if (m_stack) {
        m_stack->lock();
        m_locked = true;
    }
}

VxUndoStackLock::~VxUndoStackLock()
{
    unlock();
}

void VxUndoStackLock::unlock()
{
    if (!m_locked)
        return;
    m_locked = false;
    if (m_stack)
        m_stack->unlock();
}
