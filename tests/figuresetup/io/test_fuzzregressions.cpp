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

using FuzzRegressionTest = VxAppTest;

TEST_F(FuzzRegressionTest, EveryInputTheFuzzersKeptReadsAgain)
{
    VxMessageBoxDismisser dismisser;
    m_app->getContentMgr()->addPoserDirectory(vxSourcePath(QStringLiteral("examples")));
    QDir().mkpath(tempPath(QStringLiteral("inputs")));
    VxFuzzReaders readers(tempPath(QStringLiteral("inputs")));
    const std::pair<const char*, std::function<bool(const QByteArray&, QString*)>> replays[] = {
        {"mesh", [&readers](const QByteArray& bytes, QString*) {
             readers.readMesh(bytes); // a mesh is checked only for coming back
             return true;
         }},
        {"template", [&readers](const QByteArray& bytes, QString* mismatch) { return readers.readTemplate(bytes, mismatch); }},
        {"phi", [&readers](const QByteArray& bytes, QString* mismatch) { return readers.readPHI(bytes, mismatch); }},
    };
    int kept = 0;
    for (const auto& replay : replays) {
        const QDir folder(vxSourcePath(QStringLiteral("tests/figuresetup/io/regressions/") + replay.first));
        for (const QString& name : folder.entryList(QDir::Files, QDir::Name)) {
            QFile file(folder.filePath(name));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(name);
            // Each must come back, and quickly (some once hung), and pass the target's own check.
            QElapsedTimer timer;
            timer.start();
            QString mismatch;
            EXPECT_TRUE(replay.second(file.readAll(), &mismatch)) << qPrintable(name) << ": " << qPrintable(mismatch);
            EXPECT_LT(timer.elapsed(), 10000) << qPrintable(name) << " took too long";
            ++kept;
        }
    }
    EXPECT_GT(kept, 0) << "the kept inputs were not found";
}
