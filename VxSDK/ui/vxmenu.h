#pragma once

#include "vxsdkglobal.h"

#include <QMenu>

// A context menu whose entries are known by ids: addItem hands out the ids (0, 1, 2, ... in
// order) and exec returns the id of the chosen entry, so a caller can switch on the result.
// Tests choose entries through VxMenuRunner::queueAnswer.
class VXSDK_EXPORT VxMenu : public QMenu
{
    Q_OBJECT
public:
    explicit VxMenu(QWidget* parent = nullptr);
    ~VxMenu() override;

    int addItem(const QString& text);
    void addSeparator();
    // Runs the menu at the global position `pos`; the chosen entry's id, or -1 when the
    // menu was dismissed.
    int exec(const QPoint& pos);

private:
    int m_nextId = 0;
};
