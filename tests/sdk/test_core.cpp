#include "vxappsettings.h"
#include "vxapptest.h"
#include "vxcontentmgr.h"
#include "vxfileio.h"
#include "vxversion.h"

#include <QDir>

using CoreTest = VxAppTest;

TEST_F(CoreTest, SettingsReachTheSettingsFileAndSurviveANewApplication)
{
    {
        VxAppSettings settings(QStringLiteral("VxFigureSetup"));
        settings.setStringValue(QStringLiteral("LastTemplateDirectory"), QStringLiteral("/tmp/templates"));
        settings.setIntValue(QStringLiteral("GeomDividerExtent"), 212);
    }
    writeFile(QStringLiteral("content/Runtime/x.txt"), "x");
    ASSERT_TRUE(m_app->getContentMgr()->addPoserDirectoryPermanently(tempPath(QStringLiteral("content"))));
    QFile file(m_app->getSettingsFilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray onDisk = file.readAll();
    EXPECT_TRUE(onDisk.contains("[VxFigureSetup]"));
    EXPECT_TRUE(onDisk.contains("LastTemplateDirectory=/tmp/templates"));

    const VxAppPaths paths{m_app->getDataPath(), m_app->getDocumentsPath(), m_app->getDocumentationPath()};
    m_app.reset();
    m_app = std::make_unique<VxApp>(paths);
    VxAppSettings reread(QStringLiteral("VxFigureSetup"));
    bool found = false;
    EXPECT_EQ(reread.getStringValue(QStringLiteral("LastTemplateDirectory"), QString(), &found),
              QStringLiteral("/tmp/templates"));
    EXPECT_TRUE(found);
    EXPECT_EQ(reread.getIntValue(QStringLiteral("GeomDividerExtent"), 130), 212);
    EXPECT_EQ(reread.getStringValue(QStringLiteral("Missing"), QStringLiteral("fallback"), &found),
              QStringLiteral("fallback"));
    EXPECT_FALSE(found);
    // A runtime folder added for good is there in the next session.
    ASSERT_EQ(m_app->getContentMgr()->getNumPoserDirectories(), 1);
    EXPECT_EQ(m_app->getContentMgr()->getPoserDirectoryPath(0), QDir::cleanPath(tempPath(QStringLiteral("content"))));
}

TEST_F(CoreTest, RuntimeFoldersResolveInOrderAndWithoutRegardToCase)
{
    writeFile(QStringLiteral("first/Runtime/Geometries/a.obj"), "v 0 0 0\n");
    writeFile(QStringLiteral("second/Runtime/Geometries/a.obj"), "v 0 0 0\n");
    writeFile(QStringLiteral("second/Runtime/Geometries/Deep/b.obj"), "v 0 0 0\n");
    VxContentMgr* content = m_app->getContentMgr();
    ASSERT_TRUE(content->addPoserDirectory(tempPath(QStringLiteral("first"))));
    // A path to the Runtime folder itself means the folder holding it.
    ASSERT_TRUE(content->addPoserDirectory(tempPath(QStringLiteral("second/Runtime"))));
    EXPECT_FALSE(content->addPoserDirectory(tempPath(QStringLiteral("missing"))));
    ASSERT_EQ(content->getNumPoserDirectories(), 2);
    EXPECT_EQ(content->getPoserDirectoryPath(1), QDir::cleanPath(tempPath(QStringLiteral("second"))));

    EXPECT_EQ(content->findFile(QStringLiteral("Runtime/Geometries/a.obj"), 0x69),
              QDir::cleanPath(tempPath(QStringLiteral("first/Runtime/Geometries/a.obj"))));
    EXPECT_EQ(content->findFile(QStringLiteral("runtime/geometries/deep/B.OBJ"), VxContentMgr::PoserDirectories),
              QDir::cleanPath(tempPath(QStringLiteral("second/Runtime/Geometries/Deep/b.obj"))));
    EXPECT_EQ(content->findFile(QStringLiteral("Deep/b.obj"), VxContentMgr::PoserGeometryFolders),
              QDir::cleanPath(tempPath(QStringLiteral("second/Runtime/Geometries/Deep/b.obj"))));
    EXPECT_EQ(content->findFile(QStringLiteral(":Somewhere:else:b.obj"), 0), QString());
    EXPECT_EQ(content->findFile(QStringLiteral("Other/Folder/b.obj"), VxContentMgr::ByFileName),
              QDir::cleanPath(tempPath(QStringLiteral("second/Runtime/Geometries/Deep/b.obj"))));
    EXPECT_EQ(content->findFile(QStringLiteral("Runtime/Geometries/none.obj"), 0x69), QString());

    // A search session (one file load) answers from one listing of the folders, as the
    // searches without one answer; files added afterwards are found by the next.
    const QStringList queries = {"Runtime/Geometries/a.obj", "runtime/GEOMETRIES/deep/B.obj", "Nowhere/b.obj",
                                 "Runtime/Geometries/none.obj", "RUNTIME/geometries/Deep/c.obj"};
    QStringList plain;
    for (const QString& query : queries)
        plain << content->findFile(query, 0x69);
    {
        const VxContentSearchSession session(content);
        for (int i = 0; i < queries.size(); ++i)
            EXPECT_EQ(content->findFile(queries[i], 0x69), plain[i]) << qPrintable(queries[i]);
    }
    const QString late = writeFile(QStringLiteral("second/Runtime/Geometries/Deep/c.obj"), "v 0 0 0\n");
    const VxContentSearchSession next(content);
    EXPECT_EQ(content->findFile(QStringLiteral("Other/c.obj"), VxContentMgr::ByFileName), QDir::cleanPath(late));
    EXPECT_EQ(content->findFile(queries.last(), 0x69), QDir::cleanPath(late));
}

TEST(CoreValues, SdkCompatibilityFollowsMajorAndMinor)
{
    EXPECT_TRUE(VxVersion::isCompatibleSDK(VxVersion(4, 22, 0, 7)));
    EXPECT_TRUE(VxVersion::isCompatibleSDK(VxVersion(4, 20, 3, 1)));
    QString reason;
    EXPECT_FALSE(VxVersion::isCompatibleSDK(VxVersion(4, 23, 0, 0), &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("4.23.0.0")));
    EXPECT_FALSE(VxVersion::isCompatibleSDK(VxVersion(5, 0, 0, 0)));
    EXPECT_FALSE(VxVersion::isCompatibleSDK(VxVersion(3, 22, 0, 7)));
}

TEST(CoreValues, FilePathsSplitOnEitherSeparator)
{
    EXPECT_EQ(VxFileIO::getShortFileName(QStringLiteral("C:\\Content\\Runtime\\body.obj")), QStringLiteral("body.obj"));
    EXPECT_EQ(VxFileIO::getShortFileName(QStringLiteral("/a/b/a.b.obj")), QStringLiteral("a.b.obj"));
    EXPECT_EQ(VxFileIO::getFilePath(QStringLiteral("/a/b/body.obj")), QStringLiteral("/a/b"));
    EXPECT_EQ(VxFileIO::getFilePath(QStringLiteral("body.obj")), QString());
    EXPECT_EQ(VxFileIO::getExtension(QStringLiteral("/x.y/body.OBZ")), QStringLiteral("obz"));
    EXPECT_EQ(VxFileIO::getExtension(QStringLiteral("/x.y/body")), QString());
}
