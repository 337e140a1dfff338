#include "vxprogress.h"

#include "vxapp.h"
#include "vxmainwindow.h"

#include <QProgressDialog>

#include <algorithm>

namespace {
bool g_consoleOutput = false;
std::FILE* g_consoleStream = stderr;

constexpr int kDialogDelayMs = 500;
constexpr int kBarWidth = 30;
// Redrawing the bar more often than this only costs time: nobody reads that fast.
constexpr int kConsoleRedrawMs = 100;

// Batch runs show their window without putting it on screen (Qt::WA_DontShowOnScreen), so
// that panes behave as in a session; nobody would see a dialog there.
bool mainWindowOnScreen()
{
    const VxMainWindow* window = vxApp ? vxApp->getInterface() : nullptr;
    return window && window->isVisible() && !window->testAttribute(Qt::WA_DontShowOnScreen);
}
} // namespace

void VxProgress::setConsoleOutput(bool enabled, std::FILE* stream)
{
    g_consoleOutput = enabled;
    g_consoleStream = stream ? stream : stderr;
}

bool VxProgress::isConsoleOutputEnabled()
{
    return g_consoleOutput;
}

VxProgress::VxProgress(const QString& title, int total, bool canCancel, bool showAtOnce, QObject* parent)
    : QObject(parent), m_title(title), m_total(std::max(0, total))
{
    if (mainWindowOnScreen()) {
        m_dialog = new QProgressDialog(title, canCancel ? tr("Cancel") : QString(), 0, std::max(1, m_total),
                                       vxApp->getDialogParent());
        m_dialog->setWindowTitle(title);
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumDuration(showAtOnce ? 0 : kDialogDelayMs);
        m_dialog->setValue(0);
        if (showAtOnce)
            m_dialog->show();
        return;
    }
    if (g_consoleOutput) {
        m_console = g_consoleStream;
        drawConsoleBar(true);
    }
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
    if (m_console)
        drawConsoleBar(false);
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
    if (m_console) {
        drawConsoleBar(true);
        std::fputc('\n', m_console);
        std::fflush(m_console);
        m_console = nullptr;
    }
    emit closed();
}

void VxProgress::drawConsoleBar(bool force)
{
    const int percent = m_total > 0 ? int(qint64(m_value) * 100 / m_total) : (m_finished ? 100 : 0);
    if (!force && (percent == m_drawnPercent || (m_sinceDrawn.isValid() && m_sinceDrawn.elapsed() < kConsoleRedrawMs)))
        return;
    m_drawnPercent = percent;
    m_sinceDrawn.start();
    const int filled = percent * kBarWidth / 100;
    const QByteArray line = QStringLiteral("\r%1 [%2%3] %4%")
                                .arg(m_title, QString(filled, QLatin1Char('#')),
                                     QString(kBarWidth - filled, QLatin1Char('.')))
                                .arg(percent, 3)
                                .toUtf8();
    std::fwrite(line.constData(), 1, size_t(line.size()), m_console);
    std::fflush(m_console);
}
