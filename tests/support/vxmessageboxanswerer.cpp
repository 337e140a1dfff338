#include "vxmessageboxanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
QString plain(QString text)
{
    return text.remove(QLatin1Char('&')).trimmed();
}
} // namespace

VxMessageBoxAnswerer::VxMessageBoxAnswerer(QObject* parent) : QObject(parent)
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &VxMessageBoxAnswerer::poll);
    m_timer.start();
}

VxMessageBoxAnswerer::~VxMessageBoxAnswerer() = default;

void VxMessageBoxAnswerer::queueAnswer(const QString& buttonText)
{
    m_answers.append(buttonText);
}

void VxMessageBoxAnswerer::poll()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    const QString wanted = m_answers.isEmpty() ? QString() : plain(m_answers.takeFirst());
    QAbstractButton* target = nullptr;
    for (QAbstractButton* button : box->buttons()) {
        const QString text = plain(button->text());
        if (wanted.isEmpty() ? text.compare(QLatin1String("Ok"), Qt::CaseInsensitive) == 0 : text == wanted) {
            target = button;
            break;
        }
    }
    if (!target && !box->buttons().isEmpty() && wanted.isEmpty())
        target = box->buttons().first();
    Seen seen{box->windowTitle(), box->text(), target ? target->text() : QString(), {}, {}, {}};
    for (QAbstractButton* button : box->buttons())
        seen.buttons.append(button->text());
    if (box->defaultButton())
        seen.defaultButton = box->defaultButton()->text();
    if (box->escapeButton())
        seen.escapeButton = box->escapeButton()->text();
    m_seen.append(seen);
    if (target)
        target->click();
    else
        box->reject();
}
