#include "vxmenu.h"

#include "vxmenurunner.h"

VxMenu::VxMenu(QWidget* parent) : QMenu(parent) {}

VxMenu::~VxMenu() = default;

int VxMenu::addItem(const QString& text)
{
    const int id = m_nextId++;
    addAction(text)->setData(id);
    return id;
}

void VxMenu::addSeparator()
{
    QMenu::addSeparator();
}

int VxMenu::exec(const QPoint& pos)
{
    const QAction* chosen = VxMenuRunner::exec(*this, pos);
    return chosen && chosen->data().isValid() ? chosen->data().toInt() : -1;
}
