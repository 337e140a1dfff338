// The divider as the Figure Setup pane uses it: its orientation convention, folding the IK
// part away and back, the user dragging and double-clicking the bar, and the extent the pane
// stores for the next start.
#include "vxdynamicdividerwgt.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSplitterHandle>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A window holding one divider between two plain widgets, laid out as on screen.
struct DividerWindow
{
    explicit DividerWindow(Qt::Orientation orientation, int preferredSecond = -1)
        : window(std::make_unique<QWidget>()), first(new QWidget), second(new QWidget)
    {
        divider = new VxDynamicDividerWgt(first, second, window.get(), orientation,
                                          QStringLiteral("TestDivider"), VxDynamicDividerWgt::BarGripAndArrow);
        divider->setToggleDirection(1);
        divider->setResizeType(VxDynamicDividerWgt::ResizeKeepToggleSide);
        divider->setMargin(0);
        if (preferredSecond >= 0)
            divider->setPreferredWidgetExtent(1, preferredSecond);
        auto* layout = new QVBoxLayout(window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(divider);
        window->resize(400, 400);
        window->show();
        QApplication::processEvents();
    }

    int secondExtent() const
    {
        return divider->getBarOrientation() == Qt::Horizontal ? second->height() : second->width();
    }

    // Drags the bar by `delta` pixels across it, as a mouse would.
    void dragBar(int delta)
    {
        QSplitterHandle* bar = divider->handle(1);
        const QPoint from = bar->rect().center();
        const QPoint to = from + (divider->getBarOrientation() == Qt::Horizontal ? QPoint(0, delta) : QPoint(delta, 0));
        send(bar, QEvent::MouseButtonPress, from, Qt::LeftButton);
        send(bar, QEvent::MouseMove, to, Qt::LeftButton);
        send(bar, QEvent::MouseButtonRelease, to, Qt::NoButton);
    }

    void doubleClickBar()
    {
        QSplitterHandle* bar = divider->handle(1);
        send(bar, QEvent::MouseButtonDblClick, bar->rect().center(), Qt::LeftButton);
    }

    static void send(QWidget* target, QEvent::Type type, const QPoint& pos, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, pos, target->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    std::unique_ptr<QWidget> window;
    QWidget* first;
    QWidget* second;
    VxDynamicDividerWgt* divider;
};

TEST(DividerTest, FoldingCollapsesOneSideAndUnfoldingRestoresItsExtent)
{
    DividerWindow pane(Qt::Horizontal, 130);
    EXPECT_EQ(pane.secondExtent(), 130);

    pane.divider->toggle();
    QApplication::processEvents();
    EXPECT_TRUE(pane.divider->isToggled());
    EXPECT_EQ(pane.divider->sizes().value(1), 0);
    EXPECT_EQ(pane.first->height(), 400 - pane.divider->handleWidth());

    // A folded side stays folded when the window grows; unfolding gives the extent back.
    pane.window->resize(400, 500);
    QApplication::processEvents();
    EXPECT_EQ(pane.divider->sizes().value(1), 0);
    pane.divider->toggle();
    QApplication::processEvents();
    EXPECT_FALSE(pane.divider->isToggled());
    EXPECT_EQ(pane.secondExtent(), 130);
    EXPECT_EQ(pane.divider->getPreferredWidgetExtent(), 130);
}

TEST(DividerTest, TheUsersDragSurvivesARestartAndDisabledBarsIgnoreTheUser)
{
    int stored = -1;
    {
        DividerWindow pane(Qt::Horizontal, 130);
        pane.dragBar(-40);
        EXPECT_EQ(pane.secondExtent(), 170);
        stored = pane.divider->getPreferredWidgetExtent();

        pane.divider->setMovementEnabled(false);
        pane.dragBar(-40);
        EXPECT_EQ(pane.secondExtent(), 170);

        pane.divider->setToggleEnabled(false);
        pane.doubleClickBar();
        EXPECT_FALSE(pane.divider->isToggled());
        pane.divider->setToggleEnabled(true);
        pane.doubleClickBar();
        EXPECT_TRUE(pane.divider->isToggled());
    }
    EXPECT_EQ(stored, 170);
    DividerWindow restarted(Qt::Horizontal, stored);
    EXPECT_EQ(restarted.secondExtent(), 170);
}

} // namespace
