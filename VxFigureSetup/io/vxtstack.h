#pragma once

#include "vxfsdiagnostic.h"
#include "vxmemory.h"

#include <QString>

#include <cstddef>
#include <cstring>
#include <limits>
#include <new>
#include <type_traits>

// Thrown by VxTStack::addBlocks when the host allocator has no memory left. It is the one
// exception the plug-in raises itself; what() is the text the import passes on.
class VxTStackOutOfMemory : public std::bad_alloc
{
public:
    const char* what() const noexcept override { return "Out of memory in VxTStack::addBlocks"; }
};

// Where VxTStack gets its memory: the host's raw allocator. Tests substitute one that fails on
// demand, the only way to reach the out-of-memory path without exhausting the machine.
struct VxTStackHostAllocator
{
    static void* allocate(std::size_t size) { return vxMalloc(size); }
    static void release(void* pointer) { vxFree(pointer); }
};

// A stack of pointers kept in fixed-size blocks, so that growing it never moves the entries
// already pushed. The Poser hierarchy reader keeps its open parent bones on it. The blocks are listed in a table that grows by at least 16 entries at a time. The stack
// owns its blocks and the table, not the pointers stored in them. Misuse (pop or current on
// an empty stack) is reported on the diagnostic line and otherwise ignored.
template <class T, class Allocator = VxTStackHostAllocator>
class VxTStack
{
    static_assert(std::is_pointer<T>::value, "VxTStack holds pointers");

public:
    // The block size is the requested size rounded up to a power of two of at least 2.
    explicit VxTStack(int requestedBlockSize);
    ~VxTStack();

    VxTStack(const VxTStack&) = delete;
    VxTStack& operator=(const VxTStack&) = delete;

    // Allocates `count` more blocks; throws VxTStackOutOfMemory when memory runs out, leaving
    // the stack as it was (a table that has already grown stays grown).
    void addBlocks(int count);

    // Puts `entry` on top, moving to the next block (allocated on first use) when the current
    // one is full. May throw VxTStackOutOfMemory; the stack is then unchanged.
    void push(T entry);
    void pop();
    // The slot of the top entry; on an empty stack, the first slot of the first block.
    T& current();

    bool isEmpty() const { return m_topIndex < 0; }
    int count() const { return m_currentBlock * m_blockSize + m_topIndex + 1; }
    int getBlockSize() const { return m_blockSize; }
    int getNumBlocks() const { return m_numBlocks; }
    int getTableCapacity() const { return m_tableCapacity; }

    static constexpr int MaxBlockSize = 1 << 30; // larger requests get this size
private:
    static int roundBlockSize(int requested);
    void growTable(int extra);

    int m_numBlocks = 0;
    int m_tableCapacity = 0;
    int m_blockSize = 0;
    int m_currentBlock = 0;
    int m_topIndex = -1;
    T** m_blocks = nullptr;
};

template <class T, class Allocator>
VxTStack<T, Allocator>::VxTStack(int requestedBlockSize)
    : m_blockSize(roundBlockSize(requestedBlockSize))
{
    try {
        addBlocks(1);
    } catch (...) {
        Allocator::release(m_blocks); // no destructor runs for a stack that was never built
        throw;
    }
}

template <class T, class Allocator>
VxTStack<T, Allocator>::~VxTStack()
{
    for (int i = 0; i < m_numBlocks; ++i)
        Allocator::release(m_blocks[i]);
    Allocator::release(m_blocks);
}

template <class T, class Allocator>
int VxTStack<T, Allocator>::roundBlockSize(int requested)
{
    // Doubling from 1 at least once: a request of 1 (or less) gives 2, 32 gives 32, 33 gives 64.
    int size = 2;
    while (size < requested && size < MaxBlockSize)
        size *= 2;
    return size;
}

template <class T, class Allocator>
void VxTStack<T, Allocator>::growTable(int extra)
{
    // The table is counted in 32-bit entries; a stack that large is out of memory as well.
    const int growth = extra > 16 ? extra : 16;
    if (m_tableCapacity > std::numeric_limits<int>::max() - growth)
        throw VxTStackOutOfMemory();
    const int capacity = m_tableCapacity + growth;
    auto** table = static_cast<T**>(Allocator::allocate(sizeof(T*) * std::size_t(capacity)));
    if (!table)
        throw VxTStackOutOfMemory();
    for (int i = 0; i < m_numBlocks; ++i)
        table[i] = m_blocks[i];
    Allocator::release(m_blocks);
    m_blocks = table;
    m_tableCapacity = capacity;
}

template <class T, class Allocator>
void VxTStack<T, Allocator>::addBlocks(int count)
{
    if (count <= 0)
        return;
    if (m_numBlocks > std::numeric_limits<int>::max() - count)
        throw VxTStackOutOfMemory();
    if (m_tableCapacity <= m_numBlocks + count)
        growTable(count);

    // Blocks are counted only when all of them came: a failure part-way releases this call's.
    const std::size_t blockBytes = sizeof(T) * std::size_t(m_blockSize);
    for (int i = 0; i < count; ++i) {
        auto* block = static_cast<T*>(Allocator::allocate(blockBytes));
        if (!block) {
            for (int j = 0; j < i; ++j)
                Allocator::release(m_blocks[m_numBlocks + j]);
            throw VxTStackOutOfMemory();
        }
        std::memset(static_cast<void*>(block), 0, blockBytes);
        m_blocks[m_numBlocks + i] = block;
    }
    m_numBlocks += count;
}

template <class T, class Allocator>
void VxTStack<T, Allocator>::push(T entry)
{
    int block = m_currentBlock;
    int top = m_topIndex + 1;
    if (top == m_blockSize) {
        if (block + 1 >= m_numBlocks)
            addBlocks(1);
        ++block;
        top = 0;
    }
    m_currentBlock = block;
    m_topIndex = top;
    m_blocks[block][top] = entry;
}

// The diagnostics of pop() and current() name this file and the line of the report in it.
// Those two lines (177 and 199) are part of the text that users see in their logs and that
// the tests check, so the two reports keep their places: edit above this comment only with
// care, and check the lines again afterwards.
// Popping an empty stack is a caller's mistake, not a state to recover from: the stack stays
// empty and the caller goes on with whatever it holds (the Poser reader then files the next
// bone at the top level).
template <class T, class Allocator>
void VxTStack<T, Allocator>::pop()
{
    if (m_topIndex < 0) {
        vxFSDiagnostic(__FILE__, __LINE__, QStringLiteral("Empty stack in VxTStack::pop()"));
        return;
    }
    --m_topIndex;
    if (m_topIndex < 0 && m_currentBlock >= 1) {
        --m_currentBlock;
        m_topIndex = m_blockSize - 1;
    }
}

// Reading the top of an empty stack is a caller's mistake too. It gets a slot that always
// exists (the first slot of the first block, allocated by the constructor) instead of memory
// outside the blocks; it holds whatever was pushed there last, or null if nothing ever was
// (blocks start out zeroed), so the caller must not rely on the value.
//
// The entries of a block are left as they are when popped: pushing again overwrites them.
// A pop never releases blocks either; a stack keeps its largest size until it is destroyed.

template <class T, class Allocator>
T& VxTStack<T, Allocator>::current()
{
    if (m_topIndex < 0) {
        vxFSDiagnostic(__FILE__, __LINE__, QStringLiteral("Empty stack in VxTStack::current()"));
        return m_blocks[0][0];
    }
    return m_blocks[m_currentBlock][m_topIndex];
}
