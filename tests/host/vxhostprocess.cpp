#include "vxhostprocess.h"

#include <QProcess>
#include <QProcessEnvironment>

VxHostRun runVxHost(const QStringList& arguments, const QString& executable, const QString& workingDirectory)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    process.setProcessEnvironment(environment);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(executable.isEmpty() ? QStringLiteral(VX_BIN_DIR "/vxhost") : executable, arguments);

    VxHostRun run;
    if (!process.waitForStarted(10000))
        return run;
    run.finished = process.waitForFinished(60000);
    if (!run.finished) {
        process.kill();
        process.waitForFinished(5000);
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
