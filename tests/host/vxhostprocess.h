#pragma once

#include <QString>
#include <QStringList>

// Runs a built vxhost (by default VX_BIN_DIR/vxhost) the way a user would, without a
// display and without QT_QPA_PLATFORM, and collects what it wrote.
struct VxHostRun
{
    bool finished = false;
    int exitCode = -1;
    QString out;
    QString err;
};

// `workingDirectory` empty: the test's own.
VxHostRun runVxHost(const QStringList& arguments, const QString& executable = QString(),
                    const QString& workingDirectory = QString());
