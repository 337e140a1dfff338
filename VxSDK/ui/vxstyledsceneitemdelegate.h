#pragma once

#include "vxsdkglobal.h"

#include <QStyledItemDelegate>

// The item delegate of the host's scene lists: rows at least 20 pixels high, so rows with
// and without 16-pixel icons line up, and a cell that holds nothing but a check box (a "Card"
// or visibility column) shows it centred and toggles it on a click on it, where a plain
// delegate would leave it at the left edge.
class VXSDK_EXPORT VxStyledSceneItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit VxStyledSceneItemDelegate(QObject* parent = nullptr);
    ~VxStyledSceneItemDelegate() override;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    static bool isCheckOnly(const QModelIndex& index);
    static QRect centredCheckRect(const QStyleOptionViewItem& option);
};
