#pragma once

#include "vxnode.h"
#include "vxsdkglobal.h"

#include <QObject>
#include <QPointer>
#include <QUndoStack>

class QUndoCommand;

// The scene's undo history: a QUndoStack of the nodes added to and removed from the scene.
// The scene records each change itself (addNode, removeNode); the host's Undo and Redo
// entries drive the stack (getQUndoStack()).
//
// Long operations lock the stack so that none of their steps are recorded: while the lock
// count is above zero, or while a step is being undone or redone, isRecording() is false.
class VXSDK_EXPORT VxUndoStack : public QObject
{
    Q_OBJECT
public:
    // Steps kept; older ones are dropped, and with them the nodes only they still held.
    static constexpr int kUndoLimit = 100;

    explicit VxUndoStack(QObject* parent = nullptr);
    ~VxUndoStack() override;

    // Nested: recording resumes when every lock has been released.
    void lock();
    void unlock();
    int getLockDepth() const { return m_lockDepth; }
    bool isLocked() const { return m_lockDepth > 0; }
    bool isRecording() const { return m_lockDepth == 0 && m_replayDepth == 0; }

    QUndoStack* getQUndoStack() { return &m_stack; }
    bool canUndo() const { return m_stack.canUndo(); }
    bool canRedo() const { return m_stack.canRedo(); }
    int count() const { return m_stack.count(); }
    void undo() { m_stack.undo(); }
    void redo() { m_stack.redo(); }
    void clear();

    // Everything recorded between these two calls is one step named `text`.
    void beginMacro(const QString& text);
    void endMacro();

    // --- used by the scene while it records.
    // Pushes a step whose effect has already happened (the first redo does nothing).
    void record(QUndoCommand* command, VxNode* addedRoot = nullptr);
    // True when `node` sits below the node whose addition is the latest step: a figure's
    // bones, added one by one right after the figure, belong to the figure's step.
    bool coversAddition(const VxNode* node) const;
    // A change that cannot be undone makes the steps before it meaningless; they are
    // dropped, with one line in the host log naming the change.
    void dropHistory(const QString& change);

signals:
    void lockChanged(bool locked);

private:
    friend class VxUndoStackReplay;

    QUndoStack m_stack;
    int m_lockDepth = 0;
    int m_replayDepth = 0;
    // The latest step when it is an addition at the top of the stack, and what it added.
    const QUndoCommand* m_lastAddition = nullptr;
    QPointer<VxNode> m_lastAddedRoot;
};

// Marks a step being undone or redone, so that the scene changes it makes are not
// recorded again.
class VXSDK_EXPORT VxUndoStackReplay
{
public:
    explicit VxUndoStackReplay(VxUndoStack* stack);
    ~VxUndoStackReplay();
    VxUndoStackReplay(const VxUndoStackReplay&) = delete;
    VxUndoStackReplay& operator=(const VxUndoStackReplay&) = delete;

private:
    VxUndoStack* m_stack;
};
