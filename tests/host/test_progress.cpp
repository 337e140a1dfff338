// VxProgress shows one display at a time: a delayed modal dialog over a window on screen,
// a one-line bar on stderr in batch runs, nothing otherwise.
#include "vxapptest.h"

#include "vxmainwindow.h"
#include "vxprogress.h"

#include <QProgressDialog>
#include <QTest>

#include <cstdio>

namespace {

QByteArray readAll(std::FILE* file)
{
    std::fflush(file);
    std::rewind(file);
    QByteArray text;
    char buffer[256];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, int(n));
    return text;
}

class ProgressTest : public VxAppTest
{
protected:
    void SetUp() override
    {
        VxAppTest::SetUp();
        m_console = std::tmpfile();
        ASSERT_NE(m_console, nullptr);
        VxProgress::setConsoleOutput(true, m_console);
    }
    void TearDown() override
    {
        VxProgress::setConsoleOutput(false);
        m_app->setInterface(nullptr);
        std::fclose(m_console);
        VxAppTest::TearDown();
    }
    std::FILE* m_console = nullptr;
};

} // namespace

TEST_F(ProgressTest, BatchRunsGetOneBarOnStderrThatEndsItsLine)
{
    // Batch runs show their window unseen; it gets no dialog.
    VxMainWindow window;
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    m_app->setInterface(&window);
    {
        VxProgress progress("Creating new figure...", 4, false, false);
        EXPECT_TRUE(progress.hasConsoleBar());
        EXPECT_FALSE(progress.hasDialog());
        for (int i = 0; i < 4; ++i) {
            QTest::qWait(110); // past the redraw interval, so each step draws
            progress.step();
        }
        progress.step(); // past the total: the bar stays full
    }
    const QByteArray text = readAll(m_console);
    EXPECT_TRUE(text.startsWith("\rCreating new figure... [..............................]   0%")) << text.constData();
    EXPECT_TRUE(text.contains("\rCreating new figure... [#######.......................]  25%")) << text.constData();
    EXPECT_TRUE(text.endsWith("\rCreating new figure... [##############################] 100%\n")) << text.constData();
    EXPECT_EQ(text.count('\n'), 1);
}

TEST_F(ProgressTest, AWindowOnScreenGetsADelayedDialogAndNoBar)
{
    VxMainWindow window;
    m_app->setInterface(&window);
    window.show();
    VxProgress progress("Working", 10, true, false);
    ASSERT_TRUE(progress.hasDialog());
    EXPECT_FALSE(progress.hasConsoleBar());
    auto* dialog = window.findChild<QProgressDialog*>();
    ASSERT_NE(dialog, nullptr);
    progress.step();
    EXPECT_FALSE(dialog->isVisible()); // quick work shows nothing
    QTest::qWait(600);
    progress.step();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isModal() || dialog->windowModality() != Qt::NonModal);
    progress.close();
    progress.step(); // closed: ignored
    EXPECT_EQ(progress.getValue(), 2);
    EXPECT_TRUE(readAll(m_console).isEmpty());
}
