#pragma once

#include <QStringList>
#include <QtGlobal>

// Collects the lines written to Qt's warning channel while it lives (and keeps them off the
// test output). Catchers do not nest.
class VxWarningCatcher
{
public:
    VxWarningCatcher();
    ~VxWarningCatcher();

    VxWarningCatcher(const VxWarningCatcher&) = delete;
    VxWarningCatcher& operator=(const VxWarningCatcher&) = delete;

    const QStringList& warnings() const { return m_warnings; }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message);

    QStringList m_warnings;
    QtMessageHandler m_previous = nullptr;
};
