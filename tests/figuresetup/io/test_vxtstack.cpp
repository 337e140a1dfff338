#include "vxfsdiagnostic.h"
#include "vxfsreaderguard.h"
#include "vxtstack.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>

namespace {

// An allocator that counts what it hands out and refuses the allocation numbered `failAt`
// (1-based, counted from the last reset).
struct FailingAllocator
{
    static inline int failAt = 0;
    static inline int calls = 0;
    static inline std::set<void*> live;

    static void reset(int failOn)
    {
        failAt = failOn;
        calls = 0;
    }
    static void* allocate(std::size_t size) { return ++calls == failAt ? nullptr : *live.insert(std::malloc(size)).first; }
    static void release(void* p)
    {
        if (p) {
            EXPECT_EQ(live.erase(p), 1u) << "released memory it never handed out";
        }
        std::free(p);
    }
};

using CountedStack = VxTStack<int*, FailingAllocator>;

int values[200];

const char* kOutOfMemory = "Out of memory in VxTStack::addBlocks";

// The lines written to Qt's warning channel while `action` runs.
QStringList warningsOf(const std::function<void()>& action)
{
    static QStringList* lines = nullptr;
    QStringList caught;
    lines = &caught;
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtWarningMsg)
            lines->append(text);
    });
    action();
    qInstallMessageHandler(previous);
    return caught;
}

} // namespace

TEST(VxTStackTest, MisuseOnAnEmptyStackIsReportedOnTheDiagnosticLineAndIgnored)
{
    VxTStack<int*> stack(32);
    const QStringList warnings = warningsOf([&stack] {
        stack.push(&values[1]);
        stack.pop();
        stack.pop();
        // An empty stack still hands out its first slot, with whatever was pushed there last.
        EXPECT_EQ(stack.current(), &values[1]);
    });
    EXPECT_EQ(warnings, QStringList({QStringLiteral("VxFigureSetup/io/vxtstack.h(177): Empty stack in VxTStack::pop()"),
                                     QStringLiteral("VxFigureSetup/io/vxtstack.h(199): Empty stack in VxTStack::current()")}));
    stack.push(&values[2]);
    EXPECT_EQ(stack.count(), 1);
    EXPECT_EQ(stack.current(), &values[2]);
}

TEST(VxTStackTest, RunningOutOfMemoryThrowsItsTextAndLeavesTheStackUsable)
{
    for (int failOn : {1, 2}) { // the constructor's table, then its first block
        FailingAllocator::reset(failOn);
        try {
            CountedStack stack(4);
            ADD_FAILURE() << "no exception";
        } catch (const std::bad_alloc& error) {
            EXPECT_STREQ(error.what(), kOutOfMemory);
        }
    }
    EXPECT_TRUE(FailingAllocator::live.empty());
    {
        FailingAllocator::reset(3); // table, first block, then the second block
        CountedStack stack(2);
        stack.push(&values[0]);
        stack.push(&values[1]);
        EXPECT_THROW(stack.push(&values[2]), VxTStackOutOfMemory);
        EXPECT_EQ(stack.count(), 2);
        EXPECT_EQ(stack.getNumBlocks(), 1);
        EXPECT_EQ(stack.current(), &values[1]);
        stack.push(&values[2]); // memory is back
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
    EXPECT_TRUE(FailingAllocator::live.empty()); // destruction released every block and the table
}

// The readers run under this guard: what their work throws becomes the text of their box.
TEST(VxFSReaderGuardTest, NothingThrownLeavesAReader)
{
    FailingAllocator::reset(1);
    EXPECT_EQ(VxFSReaderGuard::run([] { CountedStack stack(4); }), QString::fromLatin1(kOutOfMemory));
    EXPECT_EQ(VxFSReaderGuard::run([] { throw std::bad_alloc(); }), QStringLiteral("there is not enough memory"));
    EXPECT_EQ(VxFSReaderGuard::run([] { throw 42; }), QStringLiteral("an unknown error occurred"));
    EXPECT_TRUE(VxFSReaderGuard::run([] {}).isEmpty());
}

TEST(VxFSDiagnosticTest, SourcePathsAreNamedFromTheTreeRootOrTheirLastSrcFolder)
{
    EXPECT_EQ(vxFSDiagnosticSourcePath(QString::fromUtf8(__FILE__)),
              QStringLiteral("tests/figuresetup/io/test_vxtstack.cpp"));
    EXPECT_EQ(vxFSDiagnosticSourcePath(QStringLiteral("D:\\build\\src\\old\\src\\VxSDK\\vxtstack.h")),
              QStringLiteral("\\src\\VxSDK\\vxtstack.h"));
    EXPECT_EQ(vxFSDiagnosticSourcePath(QStringLiteral("/opt/elsewhere/a.cpp")), QStringLiteral("/opt/elsewhere/a.cpp"));

    EXPECT_EQ(warningsOf([] {
                  vxFSDiagnostic("/opt/x/src/drag/decoder.cpp", 42, QStringLiteral("Bad drag data"));
                  vxFSDiagnostic(nullptr, 7, QStringLiteral("no file"));
              }),
              QStringList({QStringLiteral("/src/drag/decoder.cpp(42): Bad drag data"), QStringLiteral("(7): no file")}));
}
