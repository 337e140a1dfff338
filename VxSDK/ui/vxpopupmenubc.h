#pragma once

#include "vxsdkglobal.h"

#include <QMenu>

// A context menu in the older id-based style: the caller gives each entry its id, enables
// and checks entries by id and gets the chosen id back from idExec. Submenus are menus of
// the same kind; a menu takes ownership of the submenus inserted into it, so deleting the
// top menu deletes them all. Tests choose entries through VxMenuRunner::queueAnswer.
class VXSDK_EXPORT VxPopupMenuBC : public QMenu
{
    Q_OBJECT
public:
    explicit VxPopupMenuBC(QWidget* parent = nullptr, const QString& name = QString());
    ~VxPopupMenuBC() override;

    // Ids should be 0 or more: idExec answers negative for a dismissed menu. Returns `id`.
    int insertItem(const QString& text, int id);
    // Adds `submenu` under an entry titled `text`; returns the entry's id, -2, -3, ... in
    // order, since it cannot be chosen itself (-1 for a null submenu, which adds nothing).
    int insertItem(const QString& text, VxPopupMenuBC* submenu);
    void insertSeparator();

    void setItemEnabled(int id, bool enabled);
    void setItemChecked(int id, bool checked);
    bool isItemEnabled(int id) const;
    bool isItemChecked(int id) const;

    // Runs the menu at the global position `pos`; the id of the chosen entry (in this menu
    // or a submenu), or -1 when it was dismissed. `indexAtPoint` is accepted for callers
    // of the older form and must be -1.
    int idExec(const QPoint& pos, int indexAtPoint = -1);

private:
    QAction* findItem(int id) const;

    int m_nextSubmenuId = -2;
};
