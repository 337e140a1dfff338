// Replays the inputs the readers' fuzzers once failed on (kept in regressions/<reader>/)
// through the same entry points the fuzz targets use, in the ordinary build.
#include "vxapptest.h"
#include "vxfuzzreaders.h"
#include "vxmessageboxdismisser.h"

#include "vxcontentmgr.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <functional>

namespace {

class FuzzRegressionTest : public VxAppTest
{
protected:
    void SetUp() override
    {
        VxAppTest::SetUp();
        m_app->getContentMgr()->addPoserDirectory(vxSourcePath(QStringLiteral("examples")));
        QDir().mkpath(tempPath(QStringLiteral("inputs")));
        m_readers = std::make_unique<VxFuzzReaders>(tempPath(QStringLiteral("inputs")));
    }

    // Feeds every kept input of `reader` to `read`; each must come back, and quickly (some
    // of them once hung), and pass the fuzz target's own check. Returns how many there were.
    int replay(const QString& reader, const std::function<bool(const QByteArray&, QString*)>& read)
    {
        const QDir folder(vxSourcePath(QStringLiteral("tests/figuresetup/io/regressions/") + reader));
        const QStringList files = folder.entryList(QDir::Files, QDir::Name);
        for (const QString& name : files) {
            QFile file(folder.filePath(name));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(name);
            QElapsedTimer timer;
            timer.start();
            QString mismatch;
            EXPECT_TRUE(read(file.readAll(), &mismatch)) << qPrintable(name) << ": " << qPrintable(mismatch);
            EXPECT_LT(timer.elapsed(), 10000) << qPrintable(name) << " took too long";
        }
        return files.size();
    }

    VxMessageBoxDismisser m_dismisser;
    std::unique_ptr<VxFuzzReaders> m_readers;
};

} // namespace

TEST_F(FuzzRegressionTest, EveryKeptInputReadsAgain)
{
    int kept = replay(QStringLiteral("mesh"), [this](const QByteArray& bytes, QString*) {
        m_readers->readMesh(bytes);
        return true;
    });
    kept += replay(QStringLiteral("template"), [this](const QByteArray& bytes, QString* mismatch) {
        return m_readers->readTemplate(bytes, mismatch);
    });
    kept += replay(QStringLiteral("phi"), [this](const QByteArray& bytes, QString* mismatch) {
        return m_readers->readPHI(bytes, mismatch);
    });
    EXPECT_GT(kept, 0) << "the kept inputs were not found";
}
