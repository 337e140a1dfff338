#include "buildtestsupport.h"

using BuildGuardTest = BuildTest;

TEST_F(BuildGuardTest, AnExceptionFinishesTheProgressAndIsReported)
{
    VxWarningCatcher catcher;
    VxFSBuildGuard guard(10);
    ASSERT_NE(guard.progress(), nullptr);
    EXPECT_EQ(guard.progress()->getTitle(), QStringLiteral("Creating new figure..."));
    EXPECT_EQ(guard.progress()->getTotal(), 10);
    EXPECT_TRUE(guard.run([&] { guard.progress()->step(); }));
    EXPECT_FALSE(guard.progress()->isFinished());
    EXPECT_TRUE(catcher.warnings().isEmpty());

    EXPECT_FALSE(guard.run([&] {
        guard.progress()->step(2);
        throw std::runtime_error("out of memory");
    }));
    EXPECT_TRUE(guard.progress()->isFinished());
    EXPECT_EQ(guard.progress()->getValue(), 10);
    EXPECT_FALSE(guard.progress()->isClosed());
    EXPECT_EQ(catcher.warnings(), QStringList{QStringLiteral("Unknown error occurred while creating figure.")});
    guard.close();
    EXPECT_TRUE(guard.progress()->isClosed());

    // Without a progress display: the caller's own clean-up runs before the warning.
    bool cleaned = false;
    EXPECT_FALSE(VxFSBuildGuard::runGuarded([] { throw 1; }, [&] { cleaned = true; }));
    EXPECT_TRUE(cleaned);
    EXPECT_EQ(catcher.warnings().size(), 2);
}
