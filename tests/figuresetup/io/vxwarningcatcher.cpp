#include "vxwarningcatcher.h"

namespace {
QStringList* s_lines = nullptr;
} // namespace

VxWarningCatcher::VxWarningCatcher()
{
    s_lines = &m_warnings;
    m_previous = qInstallMessageHandler(&VxWarningCatcher::handle);
}

VxWarningCatcher::~VxWarningCatcher()
{
    qInstallMessageHandler(m_previous);
    s_lines = nullptr;
}

void VxWarningCatcher::handle(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtWarningMsg && s_lines)
        s_lines->append(message);
}
