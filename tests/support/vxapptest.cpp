#include "vxapptest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void VxAppTest::SetUp()
{
    m_tempDir = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(m_tempDir->isValid());
    VxAppPaths paths;
    paths.dataPath = m_tempDir->filePath(QStringLiteral("data"));
    paths.documentsPath = m_tempDir->filePath(QStringLiteral("documents"));
    paths.documentationPath = m_tempDir->filePath(QStringLiteral("docs"));
    QDir().mkpath(paths.documentsPath);
    m_app = std::make_unique<VxApp>(paths);
    QObject::connect(m_app.get(), &VxApp::messageLogged,
                     [this](const QString& line) { m_logged.append(line); });
}

void VxAppTest::TearDown()
{
    m_app.reset();
    m_tempDir.reset();
}

QString VxAppTest::tempPath(const QString& relative) const
{
    return relative.isEmpty() ? m_tempDir->path() : m_tempDir->filePath(relative);
}

QString VxAppTest::writeFile(const QString& relative, const QByteArray& content) const
{
    const QString path = tempPath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(content);
    return path;
}

QString vxSourcePath(const QString& relative)
{
    return QStringLiteral(VX_SOURCE_DIR "/") + relative;
}

QString vxTestDataPath(const QString& relative)
{
    return QStringLiteral(VX_TESTDATA_DIR "/") + relative;
}
