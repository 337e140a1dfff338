#include "vxbatchdialoganswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

namespace {
void writeLine(const QString& line)
{
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    std::fflush(stderr);
}

QString plainButtonText(const QAbstractButton* button)
{
    return button ? button->text().remove(QLatin1Char('&')) : QString();
}
} // namespace

VxBatchDialogAnswerer::VxBatchDialogAnswerer(QObject* parent) : QObject(parent)
{
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, &VxBatchDialogAnswerer::answerActiveDialog);
    m_timer.start();
}

void VxBatchDialogAnswerer::answerActiveDialog()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    ++m_answered;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        QAbstractButton* button = box->defaultButton();
        if (!button)
            button = box->escapeButton();
        if (!button && !box->buttons().isEmpty())
            button = box->buttons().constFirst();
        writeLine(QStringLiteral("Message box \"%1\": %2 [answered: %3]")
                      .arg(box->windowTitle(), box->text(), plainButtonText(button)));
        if (button)
            button->click();
        else
            box->reject();
        return;
    }
    writeLine(QStringLiteral("Dialog \"%1\" cancelled: nobody can answer it in a batch run.")
                  .arg(modal->windowTitle()));
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
}
