#include "vxfswarningbox.h"

#include "vxapp.h"
#include "vxmainwindow.h"

#include <QMessageBox>
#include <QPushButton>

void VxFSWarningBox::show(const QString& title, const QString& text, QWidget* parent)
{
    if (!parent && vxApp)
        parent = vxApp->getInterface();
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, parent);
    QPushButton* ok = box.addButton(QStringLiteral("Ok"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}
