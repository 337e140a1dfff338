#include "vxprogress.h"

#include "vxapp.h"
#include "vxmainwindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QProgressDialog>

#include <algorithm>

namespace {
bool guiIsVisible()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return false;
    return vxApp && vxApp->getInterface();
}
} // namespace

VxProgress::VxProgress(const QString& title, int total, bool canCancel, bool showAtOnce, QObject* parent)
    : QObject(parent), m_title(title), m_total(std::max(0, total))
{
    if (!guiIsVisible())
        return;
    m_dialog = new QProgressDialog(title, canCancel ? tr("Cancel") : QString(), 0, std::max(1, m_total),
                                   vxApp->getDialogParent());
    m_dialog->setWindowTitle(title);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setMinimumDuration(showAtOnce ? 0 : 500);
    m_dialog->setValue(0);
    if (showAtOnce)
        m_dialog->show();
}

VxProgress::~VxProgress()
{
    close();
}

bool VxProgress::wasCancelled() const
{
    return m_dialog && m_dialog->wasCanceled();
}

void VxProgress::step(int steps)
{
    setValue(m_value + steps);
}

void VxProgress::setValue(int value)
{
    if (m_closed)
        return;
    m_value = std::clamp(value, 0, m_total);
    if (m_dialog)
        m_dialog->setValue(m_value);
    emit progressed(m_value, m_total);
}

void VxProgress::finish()
{
    if (m_closed || m_finished)
        return;
    setValue(m_total);
    m_finished = true;
    emit finished();
}

void VxProgress::close()
{
    if (m_closed)
        return;
    m_closed = true;
    if (m_dialog) {
        m_dialog->close();
        m_dialog->deleteLater();
        m_dialog = nullptr;
    }
    emit closed();
}
