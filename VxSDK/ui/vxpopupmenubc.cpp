#include "vxpopupmenubc.h"

#include "vxmenurunner.h"

VxPopupMenuBC::VxPopupMenuBC(QWidget* parent, const QString& name) : QMenu(parent)
{
    setObjectName(name);
}

VxPopupMenuBC::~VxPopupMenuBC() = default;

int VxPopupMenuBC::insertItem(const QString& text, int id)
{
    addAction(text)->setData(id);
    return id;
}

int VxPopupMenuBC::insertItem(const QString& text, VxPopupMenuBC* submenu)
{
    if (!submenu)
        return -1;
    // Reparenting keeps the submenu a popup window while this menu becomes its owner.
    submenu->setParent(this, submenu->windowFlags());
    QAction* entry = addMenu(submenu);
    entry->setText(text);
    entry->setData(m_nextSubmenuId--);
    return entry->data().toInt();
}

void VxPopupMenuBC::insertSeparator()
{
    addSeparator();
}

void VxPopupMenuBC::setItemEnabled(int id, bool enabled)
{
    if (QAction* item = findItem(id))
        item->setEnabled(enabled);
}

void VxPopupMenuBC::setItemChecked(int id, bool checked)
{
    QAction* item = findItem(id);
    if (!item)
        return;
    item->setCheckable(true);
    item->setChecked(checked);
}

bool VxPopupMenuBC::isItemEnabled(int id) const
{
    const QAction* item = findItem(id);
    return item && item->isEnabled();
}

bool VxPopupMenuBC::isItemChecked(int id) const
{
    const QAction* item = findItem(id);
    return item && item->isChecked();
}

int VxPopupMenuBC::idExec(const QPoint& pos, int indexAtPoint)
{
    Q_UNUSED(indexAtPoint)
    const QAction* chosen = VxMenuRunner::exec(*this, pos);
    return chosen && chosen->data().isValid() ? chosen->data().toInt() : -1;
}

QAction* VxPopupMenuBC::findItem(int id) const
{
    for (QAction* action : actions()) {
        if (!action->isSeparator() && action->data().isValid() && action->data().toInt() == id)
            return action;
    }
    return nullptr;
}
