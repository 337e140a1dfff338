#include "vxstyledsceneitemdelegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Room for a 16-pixel icon with a little air, so rows with and without icons line up.
constexpr int MinRowHeight = 20;

QStyle* styleOf(const QStyleOptionViewItem& option)
{
    return option.widget ? option.widget->style() : QApplication::style();
}

} // namespace

VxStyledSceneItemDelegate::VxStyledSceneItemDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

VxStyledSceneItemDelegate::~VxStyledSceneItemDelegate() = default;

void VxStyledSceneItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const
{
    if (!isCheckOnly(index)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    QStyle* style = styleOf(cell);
    // The row's background and selection without the indicator, then the indicator centred.
    QStyleOptionViewItem background = cell;
    background.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, cell.widget);
    QStyleOptionViewItem check = cell;
    check.rect = centredCheckRect(cell);
    check.state &= ~QStyle::State_HasFocus;
    check.state |= cell.checkState == Qt::Checked     ? QStyle::State_On
                   : cell.checkState == Qt::Unchecked ? QStyle::State_Off
                                                      : QStyle::State_NoChange;
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter, cell.widget);
}

QSize VxStyledSceneItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(qMax(size.height(), MinRowHeight));
    return size;
}

bool VxStyledSceneItemDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                            const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (!isCheckOnly(index))
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    const Qt::ItemFlags flags = model->flags(index);
    if (!(flags & Qt::ItemIsUserCheckable) || !(flags & Qt::ItemIsEnabled)
        || !(option.state & QStyle::State_Enabled))
        return false;

    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !centredCheckRect(option).contains(mouse->pos()))
            return false;
        // Press and double-click are taken so the view does not start an edit; the release toggles.
        if (event->type() != QEvent::MouseButtonRelease)
            return true;
        break;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Space && key != Qt::Key_Select)
            return false;
        break;
    }
    default:
        return false;
    }
    const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

bool VxStyledSceneItemDelegate::isCheckOnly(const QModelIndex& index)
{
    return index.data(Qt::CheckStateRole).isValid() && index.data(Qt::DisplayRole).toString().isEmpty()
        && index.data(Qt::DecorationRole).isNull();
}

QRect VxStyledSceneItemDelegate::centredCheckRect(const QStyleOptionViewItem& option)
{
    QStyle* style = styleOf(option);
    const QSize size(style->pixelMetric(QStyle::PM_IndicatorWidth, &option, option.widget),
                     style->pixelMetric(QStyle::PM_IndicatorHeight, &option, option.widget));
    return QStyle::alignedRect(option.direction, Qt::AlignCenter, size, option.rect);
}
