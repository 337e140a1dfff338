#pragma once

#include "vxsdkglobal.h"

#include <QObject>

// The scene's undo stack. The host keeps no undo history yet; what it has is the lock that
// long operations take so that none of their steps would be recorded: while the lock count
// is above zero, isRecording() is false and future undo work must not record.
class VXSDK_EXPORT VxUndoStack : public QObject
{
    Q_OBJECT
public:
    explicit VxUndoStack(QObject* parent = nullptr);
    ~VxUndoStack() override;

    // Nested: recording resumes when every lock has been released.
    void lock();
    void unlock();
    int getLockDepth() const { return m_lockDepth; }
    bool isLocked() const { return m_lockDepth > 0; }
    bool isRecording() const { return m_lockDepth == 0; }

signals:
    void lockChanged(bool locked);

private:
    int m_lockDepth = 0;
};
