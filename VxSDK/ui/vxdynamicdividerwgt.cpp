#include "vxdynamicdividerwgt.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSplitterHandle>

namespace {

constexpr int GripBarWidth = 7;

// The bar between the two widgets: drags move it only while the divider allows movement and
// is not folded, a double-click toggles the fold, and it draws the divider's bar style.
class VxDynamicDividerHandle : public QSplitterHandle
{
public:
    VxDynamicDividerHandle(Qt::Orientation orientation, VxDynamicDividerWgt* divider)
        : QSplitterHandle(orientation, divider), m_divider(divider)
    {
    }

    void refresh()
    {
        // The cursor promises a drag only where one will happen.
        if (canDrag())
            setCursor(orientation() == Qt::Horizontal ? Qt::SplitHCursor : Qt::SplitVCursor);
        else
            setCursor(Qt::ArrowCursor);
        update();
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (canDrag())
            QSplitterHandle::mousePressEvent(event);
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (canDrag())
            QSplitterHandle::mouseMoveEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (canDrag())
            QSplitterHandle::mouseReleaseEvent(event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        event->accept();
        if (m_divider->isToggleEnabled())
            m_divider->toggle();
    }
    void paintEvent(QPaintEvent* event) override;

private:
    bool canDrag() const { return m_divider->isMovementEnabled() && !m_divider->isToggled(); }
    void drawArrow(QPainter& painter, const QPointF& tip, const QColor& colour) const;

    VxDynamicDividerWgt* m_divider;
};

void VxDynamicDividerHandle::paintEvent(QPaintEvent* event)
{
    if (m_divider->getBarStyle() == VxDynamicDividerWgt::BarPlain) {
        QSplitterHandle::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::WindowText);
    const QColor dot = QColor(ink.red(), ink.green(), ink.blue(), 110);
    // Along the bar: x for a horizontal bar (widgets stacked), y for a vertical one.
    const bool alongX = orientation() == Qt::Vertical;
    const QPointF centre = QRectF(rect()).center();
    painter.setPen(Qt::NoPen);
    painter.setBrush(dot);
    for (int i = -2; i <= 2; ++i) {
        const QPointF offset = alongX ? QPointF(4.0 * i, 0) : QPointF(0, 4.0 * i);
        painter.drawEllipse(centre + offset, 1.1, 1.1);
    }
    if (m_divider->getBarStyle() == VxDynamicDividerWgt::BarGripAndArrow && m_divider->isToggleEnabled())
        drawArrow(painter, alongX ? centre + QPointF(16, 0) : centre + QPointF(0, 16), dot);
}

// A small triangle pointing toward the side a double-click folds, or away from it (the
// way it unfolds) while folded.
void VxDynamicDividerHandle::drawArrow(QPainter& painter, const QPointF& at, const QColor& colour) const
{
    const bool towardSecond = (m_divider->getToggleDirection() == 1) != m_divider->isToggled();
    const qreal sign = towardSecond ? 1.0 : -1.0;
    const bool alongX = orientation() == Qt::Vertical;
    // The arrow points across the bar: down/up for a horizontal bar, right/left for a vertical one.
    const QPointF across = alongX ? QPointF(0, sign * 2.5) : QPointF(sign * 2.5, 0);
    const QPointF side = alongX ? QPointF(3, 0) : QPointF(0, 3);
    QPainterPath arrow;
    arrow.moveTo(at + across);
    arrow.lineTo(at - across + side);
    arrow.lineTo(at - across - side);
    arrow.closeSubpath();
    painter.fillPath(arrow, colour);
}

} // namespace

VxDynamicDividerWgt::VxDynamicDividerWgt(QWidget* first, QWidget* second, QWidget* parent,
                                         Qt::Orientation orientation, const QString& name, int barStyle)
    : QSplitter(orientation == Qt::Horizontal ? Qt::Vertical : Qt::Horizontal, parent),
      m_barStyle(barStyle)
{
    setObjectName(name);
    // Only a toggle folds a side: a drag stops at the widgets' minimum sizes.
    setChildrenCollapsible(false);
    if (m_barStyle != BarPlain)
        setHandleWidth(GripBarWidth);
    addWidget(first ? first : new QWidget);
    addWidget(second ? second : new QWidget);
    connect(this, &QSplitter::splitterMoved, this, &VxDynamicDividerWgt::rememberDraggedExtent);
    updateStretch();
}

VxDynamicDividerWgt::~VxDynamicDividerWgt() = default;

Qt::Orientation VxDynamicDividerWgt::getBarOrientation() const
{
    return orientation() == Qt::Vertical ? Qt::Horizontal : Qt::Vertical;
}

void VxDynamicDividerWgt::setToggleDirection(int direction)
{
    if (direction != 0 && direction != 1)
        return;
    m_toggleSide = direction;
    if (m_preferredExtent < 0)
        m_preferredIndex = direction;
    updateStretch();
    updateBars();
}

void VxDynamicDividerWgt::setResizeType(int type)
{
    m_resizeType = type;
    updateStretch();
}

void VxDynamicDividerWgt::setMargin(int margin)
{
    setContentsMargins(margin, margin, margin, margin);
}

void VxDynamicDividerWgt::setMovementEnabled(bool enabled)
{
    m_movementEnabled = enabled;
    updateBars();
}

void VxDynamicDividerWgt::setToggleEnabled(bool enabled)
{
    m_toggleEnabled = enabled;
    updateBars();
}

void VxDynamicDividerWgt::toggle()
{
    // Folding keeps the extent the side had, so that unfolding gives it back.
    const QList<int> current = sizes();
    if (!m_toggled && m_preferredExtent < 0 && current.value(m_toggleSide) > 0) {
        m_preferredIndex = m_toggleSide;
        m_preferredExtent = current.value(m_toggleSide);
    }
    m_toggled = !m_toggled;
    applyExtents();
    updateBars();
}

void VxDynamicDividerWgt::setPreferredWidgetExtent(int index, int extent)
{
    if (index != 0 && index != 1)
        return;
    m_preferredIndex = index;
    m_preferredExtent = extent < 0 ? -1 : extent;
    applyExtents();
}

QSplitterHandle* VxDynamicDividerWgt::createHandle()
{
    auto* bar = new VxDynamicDividerHandle(orientation(), this);
    bar->refresh();
    return bar;
}

void VxDynamicDividerWgt::resizeEvent(QResizeEvent* event)
{
    QSplitter::resizeEvent(event);
    // QSplitter shares a resize by stretch factors, which cannot give back an extent that a
    // small window once squeezed; the side that keeps its extent gets it back here.
    if (m_resizeType == ResizeKeepToggleSide)
        applyExtents();
}

void VxDynamicDividerWgt::applyExtents()
{
    const QList<int> current = sizes();
    if (current.size() != 2)
        return;
    const int total = current[0] + current[1];
    if (total <= 0)
        return;
    QList<int> target = current;
    if (m_toggled) {
        target[m_toggleSide] = 0;
        target[1 - m_toggleSide] = total;
    } else if (m_preferredExtent >= 0) {
        target[m_preferredIndex] = qMin(m_preferredExtent, total);
        target[1 - m_preferredIndex] = total - target[m_preferredIndex];
    } else if (current[m_toggleSide] == 0) {
        target = {total / 2, total - total / 2};
    }
    if (target == current)
        return;
    // A side can be set to 0 only while it is collapsible; it stays folded afterwards.
    setCollapsible(m_toggleSide, m_toggled);
    setSizes(target);
    setCollapsible(m_toggleSide, false);
}

void VxDynamicDividerWgt::rememberDraggedExtent()
{
    if (m_toggled)
        return;
    const int extent = sizes().value(m_preferredIndex);
    if (extent > 0)
        m_preferredExtent = extent;
}

// The bar's cursor and arrow follow the movement, toggle and fold state.
void VxDynamicDividerWgt::updateBars()
{
    for (int i = 0; i < count(); ++i) {
        if (auto* bar = dynamic_cast<VxDynamicDividerHandle*>(handle(i)))
            bar->refresh();
    }
}

void VxDynamicDividerWgt::updateStretch()
{
    const int other = 1 - m_toggleSide;
    switch (m_resizeType) {
    case ResizeToggleSide:
        setStretchFactor(m_toggleSide, 1);
        setStretchFactor(other, 0);
        break;
    case ResizeKeepToggleSide:
        setStretchFactor(m_toggleSide, 0);
        setStretchFactor(other, 1);
        break;
    default:
        // QSplitter's own sharing: in proportion to the current extents.
        setStretchFactor(m_toggleSide, 0);
        setStretchFactor(other, 0);
        break;
    }
}
