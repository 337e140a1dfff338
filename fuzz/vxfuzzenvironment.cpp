#include "vxfuzzenvironment.h"

#include "vxmessageboxdismisser.h"

#include "vxapp.h"
#include "vxcontentmgr.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

VxFuzzEnvironment* s_environment = nullptr;

// A stand-in for the example mesh at the same runtime path, with the same face groups but
// one triangle each: inputs that name the example (the seeds do) load it in microseconds
// instead of reading 300 KB through the sanitizer for every input.
void writeExampleStandIn(const QString& runtimeFolder)
{
    const QString relative = QStringLiteral("Runtime/Geometries/Figure/figure.obj");
    QFile example(QStringLiteral(VX_SOURCE_DIR "/examples/") + relative);
    if (!example.open(QIODevice::ReadOnly))
        qFatal("Cannot read the example mesh");
    QByteArray mesh;
    int group = 0;
    while (!example.atEnd()) {
        const QByteArray line = example.readLine().trimmed();
        if (!line.startsWith("g "))
            continue;
        mesh += QByteArray("v ") + QByteArray::number(group) + " 0 0\nv " + QByteArray::number(group + 1)
                + " 0 0\nv " + QByteArray::number(group) + " 1 0\n" + line + "\nf -3 -2 -1\n";
        ++group;
    }
    QDir().mkpath(QFileInfo(runtimeFolder + QLatin1Char('/') + relative).absolutePath());
    QFile standIn(runtimeFolder + QLatin1Char('/') + relative);
    if (!standIn.open(QIODevice::WriteOnly) || standIn.write(mesh) != mesh.size())
        qFatal("Cannot write the stand-in mesh");
}

} // namespace

// Every fuzz target starts the same way; each defines only LLVMFuzzerTestOneInput.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    VxFuzzEnvironment::start(argc, argv);
    return 0;
}

void VxFuzzEnvironment::start(int* argc, char*** argv)
{
    if (!s_environment)
        s_environment = new VxFuzzEnvironment(argc, argv); // lives until the process ends
}

VxFuzzEnvironment& VxFuzzEnvironment::instance()
{
    return *s_environment;
}

VxFuzzEnvironment::VxFuzzEnvironment(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    m_qtApp = std::make_unique<QApplication>(*argc, *argv);
    // In memory where there is such a file system: saving a template syncs it to disk,
    // which on a busy disk costs more than everything else an input does.
    const QString memory = QStringLiteral("/dev/shm");
    m_folder = QFileInfo(memory).isWritable()
                   ? std::make_unique<QTemporaryDir>(memory + QStringLiteral("/vxfuzz-XXXXXX"))
                   : std::make_unique<QTemporaryDir>();
    if (!m_folder->isValid())
        qFatal("Cannot make a temporary folder");
    const QDir folder(m_folder->path());
    for (const char* sub : {"data", "documents", "docs", "inputs"})
        folder.mkpath(QString::fromLatin1(sub));
    VxAppPaths paths;
    paths.dataPath = folder.filePath(QStringLiteral("data"));
    paths.documentsPath = folder.filePath(QStringLiteral("documents"));
    paths.documentationPath = folder.filePath(QStringLiteral("docs"));
    m_app = std::make_unique<VxApp>(paths);
    // Not named "runtime": a folder of that name is taken for the Runtime folder itself.
    writeExampleStandIn(folder.filePath(QStringLiteral("content")));
    if (!m_app->getContentMgr()->addPoserDirectory(folder.filePath(QStringLiteral("content"))))
        qFatal("Cannot add the content folder");
    // Mesh inputs that name the example's material library find it beside them.
    const QString inputs = folder.filePath(QStringLiteral("inputs"));
    QFile::copy(QStringLiteral(VX_SOURCE_DIR "/examples/Runtime/Geometries/Figure/figure.mtl"),
                inputs + QStringLiteral("/figure.mtl"));
    m_dismisser = std::make_unique<VxMessageBoxDismisser>();
    m_readers = std::make_unique<VxFuzzReaders>(inputs);
}

void VxFuzzEnvironment::trimLog()
{
    QFile::resize(m_app->getLogFilePath(), 0);
}

void VxFuzzEnvironment::checkRoundTrip(RoundTripReader read, const char* what, const std::uint8_t* data,
                                       std::size_t size)
{
    QString mismatch;
    if (!((*m_readers).*read)(QByteArray(reinterpret_cast<const char*>(data), int(size)), &mismatch)) {
        std::fprintf(stderr, "%s round trip: %s\n", what, qPrintable(mismatch));
        std::abort();
    }
    trimLog();
}
