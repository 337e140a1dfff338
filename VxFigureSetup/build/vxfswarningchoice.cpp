#include "vxfswarningchoice.h"

#include "vxapp.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QList>
#include <QMessageBox>
#include <QPushButton>

int VxFSWarningChoice::ask(const QString& caption, const QString& text, const QString& button0,
                           const QString& button1, const QString& button2, int defaultButton, int escapeButton)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::NoButton, vxApp ? vxApp->getDialogParent() : nullptr);
    QList<QPushButton*> buttons;
    // ActionRole for all three: the box reports which one by its position, not by a role.
    buttons << box.addButton(button0.isEmpty() ? QDialogButtonBox::tr("OK") : button0, QMessageBox::ActionRole);
    if (!button1.isEmpty())
        buttons << box.addButton(button1, QMessageBox::ActionRole);
    if (!button2.isEmpty())
        buttons << box.addButton(button2, QMessageBox::ActionRole);
    box.setDefaultButton(buttons.value(defaultButton, nullptr));
    box.setEscapeButton(buttons.value(escapeButton, nullptr));
    box.exec();
    return buttons.indexOf(qobject_cast<QPushButton*>(box.clickedButton()));
}

QString VxFSWarningChoice::tr(const char* sourceText)
{
    return QCoreApplication::translate("VxFSHierarchy", sourceText);
}
