#include "vxstyle.h"

#include "vxstyledbutton.h"
#include "vxstylepixmaps.h"

#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

namespace {

constexpr int LayoutSpacing = 4;
constexpr int MinControlHeight = 22;
constexpr int AccentButtonMinWidth = 72;
const QColor AccentColour(0x2d, 0x7d, 0xd2);

const VxStyledButton* styledButton(const QWidget* widget)
{
    return qobject_cast<const VxStyledButton*>(widget);
}

bool hasAccentText(const QWidget* widget)
{
    const VxStyledButton* button = styledButton(widget);
    return button && button->getCustomTextStyle() == VxStyle::TextStyleAccent;
}

} // namespace

VxStyle::VxStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

VxStyle::~VxStyle() = default;

QIcon VxStyle::icon(uint id)
{
    static QHash<uint, QIcon> icons;
    if (!VxStylePixmaps::contains(id))
        return QIcon();
    auto found = icons.find(id);
    if (found == icons.end()) {
        QIcon drawn;
        drawn.addPixmap(VxStylePixmaps::paint(id, 16));
        drawn.addPixmap(VxStylePixmaps::paint(id, 32));
        found = icons.insert(id, drawn);
    }
    return *found;
}

QList<uint> VxStyle::customPixmapIds()
{
    return VxStylePixmaps::ids();
}

int VxStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    if (metric == PM_LayoutSpacing)
        return LayoutSpacing;
    if (metric == PM_ControlHeight)
        return controlHeight(option, widget);
    return QProxyStyle::pixelMetric(metric, option, widget);
}

// Tall enough for a combo box in the widget's font: panes fix their combo boxes at this
// height, and a fixed number would clip the text under a larger font.
int VxStyle::controlHeight(const QStyleOption* option, const QWidget* widget) const
{
    const QFontMetrics metrics = widget ? widget->fontMetrics()
        : option                        ? option->fontMetrics
                                        : QFontMetrics(QApplication::font());
    QStyleOptionComboBox combo;
    combo.fontMetrics = metrics;
    combo.frame = true;
    // QComboBox asks for this much room for its text before the style adds its frame.
    const QSize text(0, qMax(metrics.height(), 14) + 2);
    return qMax(MinControlHeight, QProxyStyle::sizeFromContents(CT_ComboBox, &combo, text, nullptr).height());
}

void VxStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const
{
    if (element == PE_AccentButton) {
        drawAccentButton(option, painter);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void VxStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                          const QWidget* widget) const
{
    const VxStyledButton* button = styledButton(widget);
    if (element == CE_PushButtonBevel && button && button->getCustomPrimitive() >= 0) {
        proxy()->drawPrimitive(PrimitiveElement(button->getCustomPrimitive()), option, painter, widget);
        return;
    }
    const auto* buttonOption = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (element == CE_PushButtonLabel && buttonOption && hasAccentText(widget)) {
        QStyleOptionButton accent = *buttonOption;
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            accent.palette.setColor(group, QPalette::ButtonText, Qt::white);
        painter->save();
        QFont bold = painter->font();
        bold.setBold(true);
        painter->setFont(bold);
        QProxyStyle::drawControl(element, &accent, painter, widget);
        painter->restore();
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

QSize VxStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                const QWidget* widget) const
{
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    const VxStyledButton* button = styledButton(widget);
    if (type != CT_PushButton || !button)
        return result;
    if (hasAccentText(widget)) {
        // The button measured its label in its own font; the accent text is bold.
        QFont bold = button->font();
        bold.setBold(true);
        const int extra = QFontMetrics(bold).horizontalAdvance(button->text())
            - button->fontMetrics().horizontalAdvance(button->text());
        result.rwidth() += qMax(0, extra);
    }
    if (button->getCustomPrimitive() == PE_AccentButton)
        result = result.expandedTo(QSize(AccentButtonMinWidth, controlHeight(option, widget)));
    return result;
}

QPixmap VxStyle::standardPixmap(StandardPixmap pixmap, const QStyleOption* option, const QWidget* widget) const
{
    if (VxStylePixmaps::contains(pixmap))
        return icon(pixmap).pixmap(16, 16);
    return QProxyStyle::standardPixmap(pixmap, option, widget);
}

QIcon VxStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option, const QWidget* widget) const
{
    if (VxStylePixmaps::contains(standardIcon))
        return icon(standardIcon);
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

void VxStyle::drawAccentButton(const QStyleOption* option, QPainter* painter) const
{
    const bool enabled = option->state & State_Enabled;
    const bool down = option->state & (State_Sunken | State_On);
    const bool hover = option->state & State_MouseOver;
    QColor fill = AccentColour;
    if (!enabled)
        fill = option->palette.color(QPalette::Disabled, QPalette::Button);
    else if (down)
        fill = AccentColour.darker(125);
    else if (hover)
        fill = AccentColour.lighter(112);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient gradient(frame.topLeft(), frame.bottomLeft());
    gradient.setColorAt(0, fill.lighter(108));
    gradient.setColorAt(1, fill.darker(106));
    painter->setPen(fill.darker(enabled ? 145 : 115));
    painter->setBrush(gradient);
    painter->drawRoundedRect(frame, 3, 3);
    if (enabled && (option->state & State_HasFocus)) {
        painter->setPen(QColor(255, 255, 255, 150));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(frame.adjusted(1.5, 1.5, -1.5, -1.5), 2, 2);
    }
    painter->restore();
}
