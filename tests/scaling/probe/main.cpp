// vxreadprobe READER FILE [CONTENT_DIR]: reads FILE with one of the readers (mesh, template,
// phi) as a user's load would, with CONTENT_DIR as the Poser content folder, and prints
// the read's CPU time and how far the process's resident memory rose during it:
//   cpu_ms=<milliseconds> peak_kb=<kilobytes>
// The scaling check runs it on inputs that grow tenfold, one process a read, so that no
// read inherits the memory of another.
#include "vxmessageboxdismisser.h"

#include "vxfshierarchy.h"
#include "vxfsphifile.h"
#include "vxfstemplatefile.h"

#include "vxapp.h"
#include "vxcontentmgr.h"
#include "vximportmgr.h"
#include "vxrefcounted.h"
#include "vxshape.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <functional>

namespace {

// A field of /proc/self/status in kilobytes ("VmRSS", "VmHWM"), 0 when it cannot be read.
long statusKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: vxreadprobe mesh|template|phi FILE [CONTENT_DIR]\n");
        return 2;
    }
    const QString reader = arguments[1];
    const QString file = arguments[2];

    QTemporaryDir folder;
    VxAppPaths paths;
    paths.dataPath = folder.filePath(QStringLiteral("data"));
    paths.documentsPath = folder.filePath(QStringLiteral("documents"));
    paths.documentationPath = folder.filePath(QStringLiteral("docs"));
    VxApp app(paths);
    if (arguments.size() > 3 && !app.getContentMgr()->addPoserDirectory(arguments[3])) {
        std::fprintf(stderr, "no content folder %s\n", qPrintable(arguments[3]));
        return 2;
    }
    VxMessageBoxDismisser dismisser;
    VxFSHierarchy document;
    std::function<void()> read;
    if (reader == QLatin1String("mesh")) {
        read = [&] {
            VxShape* shape = nullptr;
            app.getImportMgr()->readGeometry(file, &shape, -1);
            VxRefGuard<VxShape> owner(shape);
        };
    } else if (reader == QLatin1String("template")) {
        read = [&] { VxFSTemplateFile::loadPreset(document, file); };
    } else if (reader == QLatin1String("phi")) {
        read = [&] { VxFSPhiFile::loadPHI(document, file); };
    } else {
        std::fprintf(stderr, "unknown reader %s\n", qPrintable(reader));
        return 2;
    }

    // Writing 5 to clear_refs starts the peak (VmHWM) afresh from the present size.
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    clear.close();
    const long before = statusKb("VmRSS");
    const double start = cpuMs();
    read();
    const double spent = cpuMs() - start;
    std::printf("cpu_ms=%.3f peak_kb=%ld\n", spent, qMax(0L, statusKb("VmHWM") - before));
    return 0;
}
