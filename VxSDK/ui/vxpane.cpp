#include "vxpane.h"

#include <QPainter>

VxPane::VxPane(const QString& title, QWidget* parent) : QWidget(parent)
{
    setWindowTitle(title);
}

VxPane::~VxPane() = default;

void VxPane::setBackgroundHeaderGuide(QWidget* widget)
{
    m_headerGuide = widget;
    update();
}

void VxPane::setBackgroundFooterGuide(QWidget* widget)
{
    m_footerGuide = widget;
    update();
}

void VxPane::refresh() {}

void VxPane::readSettings(VxAppSettings&) {}

void VxPane::fillOptionsMenu(VxActionMenu*) {}

int VxPane::getPaneFlags() const
{
    return Closable | Movable | Floatable;
}

void VxPane::writeSettings(VxAppSettings&) {}

void VxPane::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    setShown(true);
}

void VxPane::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    setShown(false);
}

// Show and hide events also come when the window is minimised or restored; only real
// changes are announced.
void VxPane::setShown(bool shown)
{
    if (m_shown == shown)
        return;
    m_shown = shown;
    emit visibilityChanged(shown);
}

void VxPane::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (!m_headerGuide && !m_footerGuide)
        return;
    QPainter painter(this);
    const QColor band = palette().color(QPalette::Window).darker(110);
    for (QWidget* guide : {m_headerGuide.data(), m_footerGuide.data()}) {
        if (!guide || !guide->isVisible())
            continue;
        const QRect area(0, guide->mapTo(this, QPoint(0, 0)).y(), width(), guide->height());
        painter.fillRect(area, band);
    }
}
