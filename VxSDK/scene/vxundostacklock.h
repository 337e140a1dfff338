#pragma once

#include "vxsdkglobal.h"

#include <QPointer>

class VxUndoStack;

// Locks the scene's undo stack for its lifetime (or until unlock()), so that nothing done
// meanwhile is recorded. Without a scene it locks nothing.
class VXSDK_EXPORT VxUndoStackLock
{
public:
    VxUndoStackLock();
    explicit VxUndoStackLock(VxUndoStack* stack);
    ~VxUndoStackLock();
    VxUndoStackLock(const VxUndoStackLock&) = delete;
    VxUndoStackLock& operator=(const VxUndoStackLock&) = delete;

    // Releases the lock early; later calls and the destructor do nothing more.
    void unlock();
    bool isLocked() const { return m_locked; }

private:
    QPointer<VxUndoStack> m_stack;
    bool m_locked = false;
};
