#include "vxfuzzenvironment.h"

#include "vxmessageboxdismisser.h"

#include "vxapp.h"
#include "vxcontentmgr.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
VxFuzzEnvironment* s_environment = nullptr;
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
    m_folder = std::make_unique<QTemporaryDir>();
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
    m_app->getContentMgr()->addPoserDirectory(QStringLiteral(VX_SOURCE_DIR "/examples"));
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
