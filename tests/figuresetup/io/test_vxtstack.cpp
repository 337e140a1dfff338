#include "vxfsdiagnostic.h"
#include "vxtstack.h"
#include "vxwarningcatcher.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace {

// An allocator that counts what it hands out and refuses the allocation numbered `failAt`
// (1-based, counted from the last reset).
struct FailingAllocator
{
    static int failAt;
    static int calls;
    static std::set<void*> live;

    static void reset(int failOn = 0)
    {
        failAt = failOn;
        calls = 0;
    }
    static void* allocate(std::size_t size)
    {
        if (++calls == failAt)
            return nullptr;
        void* p = std::malloc(size);
        live.insert(p);
        return p;
    }
    static void release(void* p)
    {
        if (p) {
            EXPECT_EQ(live.erase(p), 1u) << "released memory it never handed out";
        }
        std::free(p);
    }
};
int FailingAllocator::failAt = 0;
int FailingAllocator::calls = 0;
std::set<void*> FailingAllocator::live;

using CountedStack = VxTStack<int*, FailingAllocator>;

int values[200];

const char* kOutOfMemory = "Out of memory in VxTStack::addBlocks";

} // namespace

TEST(VxTStackTest, BlockSizeIsTheRequestRoundedUpByDoubling)
{
    EXPECT_EQ(VxTStack<int*>(32).getBlockSize(), 32);
    EXPECT_EQ(VxTStack<int*>(33).getBlockSize(), 64);
    EXPECT_EQ(VxTStack<int*>(3).getBlockSize(), 4);
    // Doubling at least once: nothing below 2.
    EXPECT_EQ(VxTStack<int*>(2).getBlockSize(), 2);
    EXPECT_EQ(VxTStack<int*>(1).getBlockSize(), 2);
    EXPECT_EQ(VxTStack<int*>(0).getBlockSize(), 2);
    EXPECT_EQ(VxTStack<int*>(-5).getBlockSize(), 2);

    VxTStack<int*> stack(32);
    EXPECT_EQ(stack.getNumBlocks(), 1);
    EXPECT_EQ(stack.getTableCapacity(), 16);
    EXPECT_TRUE(stack.isEmpty());
    EXPECT_EQ(stack.count(), 0);
}

TEST(VxTStackTest, PushAndPopCrossBlockBoundariesInBothDirections)
{
    VxTStack<int*> stack(2);
    for (int i = 0; i < 7; ++i) {
        stack.push(&values[i]);
        EXPECT_EQ(stack.current(), &values[i]);
        EXPECT_EQ(stack.count(), i + 1);
    }
    EXPECT_EQ(stack.getNumBlocks(), 4);

    for (int i = 6; i >= 0; --i) {
        ASSERT_FALSE(stack.isEmpty());
        EXPECT_EQ(stack.current(), &values[i]);
        stack.pop();
        EXPECT_EQ(stack.count(), i);
    }
    EXPECT_TRUE(stack.isEmpty());

    // Popped blocks are kept and reused.
    for (int i = 0; i < 7; ++i)
        stack.push(&values[10 + i]);
    EXPECT_EQ(stack.getNumBlocks(), 4);
    stack.pop();
    stack.pop();
    stack.push(&values[50]);
    EXPECT_EQ(stack.count(), 6);
    EXPECT_EQ(stack.current(), &values[50]);
    stack.pop();
    EXPECT_EQ(stack.current(), &values[14]);

    // The slot is writable.
    stack.current() = &values[99];
    EXPECT_EQ(stack.current(), &values[99]);
}

TEST(VxTStackTest, TheBlockTableGrowsBySixteenOrByTheRequestWhenThatIsMore)
{
    VxTStack<int*> stack(2);
    for (int i = 0; i < 30; ++i) // 15 blocks: the table of 16 still has room to spare
        stack.push(&values[i]);
    EXPECT_EQ(stack.getNumBlocks(), 15);
    EXPECT_EQ(stack.getTableCapacity(), 16);
    stack.push(&values[30]); // the 16th block fills the table exactly, which already grows it
    EXPECT_EQ(stack.getNumBlocks(), 16);
    EXPECT_EQ(stack.getTableCapacity(), 32);

    stack.addBlocks(20);
    EXPECT_EQ(stack.getNumBlocks(), 36);
    EXPECT_EQ(stack.getTableCapacity(), 52);
    stack.addBlocks(0);
    stack.addBlocks(-3);
    EXPECT_EQ(stack.getNumBlocks(), 36);

    // Blocks added ahead of time are used in order.
    for (int i = 31; i < 72; ++i)
        stack.push(&values[i]);
    EXPECT_EQ(stack.getNumBlocks(), 36);
    EXPECT_EQ(stack.count(), 72);
    for (int i = 71; i >= 0; --i) {
        ASSERT_EQ(stack.current(), &values[i]);
        stack.pop();
    }
}

TEST(VxTStackTest, MisuseOnAnEmptyStackIsReportedOnTheDiagnosticLine)
{
    VxTStack<int*> stack(32);
    VxWarningCatcher catcher;
    stack.pop();
    EXPECT_TRUE(stack.isEmpty());
    EXPECT_EQ(stack.count(), 0);
    EXPECT_EQ(stack.current(), nullptr); // the first slot of the first block, never written

    stack.push(&values[1]);
    stack.pop();
    stack.pop();
    // An empty stack still hands out its first slot, with whatever was pushed there last.
    EXPECT_EQ(stack.current(), &values[1]);
    stack.push(&values[2]);
    EXPECT_EQ(stack.count(), 1);
    EXPECT_EQ(stack.current(), &values[2]);

    const QString pop = QStringLiteral("VxFigureSetup/io/vxtstack.h(177): Empty stack in VxTStack::pop()");
    const QString current = QStringLiteral("VxFigureSetup/io/vxtstack.h(199): Empty stack in VxTStack::current()");
    EXPECT_EQ(catcher.warnings(), QStringList({pop, current, pop, current}));
}

TEST(VxTStackTest, RunningOutOfMemoryThrowsItsTextAndLeavesTheStackUsable)
{
    {
        FailingAllocator::reset(1); // the table of the constructor's first block
        try {
            CountedStack stack(4);
            FAIL() << "no exception";
        } catch (const std::bad_alloc& error) {
            EXPECT_STREQ(error.what(), kOutOfMemory);
        }
        FailingAllocator::reset(2); // the constructor's first block
        EXPECT_THROW(CountedStack(4), VxTStackOutOfMemory);
        EXPECT_TRUE(FailingAllocator::live.empty());
    }
    {
        FailingAllocator::reset(3); // table, first block, then the second block
        CountedStack stack(2);
        stack.push(&values[0]);
        stack.push(&values[1]);
        try {
            stack.push(&values[2]);
            FAIL() << "no exception";
        } catch (const VxTStackOutOfMemory& error) {
            EXPECT_STREQ(error.what(), kOutOfMemory);
        }
        EXPECT_EQ(stack.count(), 2);
        EXPECT_EQ(stack.getNumBlocks(), 1);
        EXPECT_EQ(stack.current(), &values[1]);
        stack.push(&values[2]); // memory is back
        EXPECT_EQ(stack.count(), 3);
        EXPECT_EQ(stack.current(), &values[2]);

        // Three blocks asked for, the second refused: the first is given back, none counted.
        FailingAllocator::reset(2);
        const std::size_t before = FailingAllocator::live.size();
        EXPECT_THROW(stack.addBlocks(3), VxTStackOutOfMemory);
        EXPECT_EQ(stack.getNumBlocks(), 2);
        EXPECT_EQ(FailingAllocator::live.size(), before);
        // A table that must grow first and cannot is refused the same way.
        FailingAllocator::reset(1);
        EXPECT_THROW(stack.addBlocks(40), VxTStackOutOfMemory);
        EXPECT_EQ(stack.getNumBlocks(), 2);
        EXPECT_EQ(stack.getTableCapacity(), 16);
        EXPECT_EQ(stack.current(), &values[2]);
    }
    // Destruction released every block and the table.
    EXPECT_TRUE(FailingAllocator::live.empty());
}

TEST(VxFSDiagnosticTest, SourcePathsAreNamedFromTheTreeRootOrTheirLastSrcFolder)
{
    EXPECT_EQ(vxFSDiagnosticSourcePath(QString::fromUtf8(__FILE__)),
              QStringLiteral("tests/figuresetup/io/test_vxtstack.cpp"));
    EXPECT_EQ(vxFSDiagnosticSourcePath(QStringLiteral("D:\\build\\src\\old\\src\\VxSDK\\vxtstack.h")),
              QStringLiteral("\\src\\VxSDK\\vxtstack.h"));
    EXPECT_EQ(vxFSDiagnosticSourcePath(QStringLiteral("/home/me/src/plugin/a.cpp")),
              QStringLiteral("/src/plugin/a.cpp"));
    EXPECT_EQ(vxFSDiagnosticSourcePath(QStringLiteral("/opt/elsewhere/a.cpp")), QStringLiteral("/opt/elsewhere/a.cpp"));

    VxWarningCatcher catcher;
    vxFSDiagnostic("/opt/x/src/drag/decoder.cpp", 42, QStringLiteral("Bad drag data"));
    vxFSDiagnostic(nullptr, 7, QStringLiteral("no file"));
    EXPECT_EQ(catcher.warnings(),
              QStringList({QStringLiteral("/src/drag/decoder.cpp(42): Bad drag data"), QStringLiteral("(7): no file")}));
}
