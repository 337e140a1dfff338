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
        VxAppSettings settings("VxFigureSetup");
        settings.setStringValue("LastTemplateDirectory", "/tmp/templates");
        settings.setIntValue("GeomDividerExtent", 212);
    }
    writeFile("content/Runtime/x.txt", "x");
    ASSERT_TRUE(m_app->getContentMgr()->addPoserDirectoryPermanently(tempPath("content")));
    QFile file(m_app->getSettingsFilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray onDisk = file.readAll();
    EXPECT_TRUE(onDisk.contains("[VxFigureSetup]"));
    EXPECT_TRUE(onDisk.contains("LastTemplateDirectory=/tmp/templates"));

    const VxAppPaths paths{m_app->getDataPath(), m_app->getDocumentsPath(), m_app->getDocumentationPath()};
    m_app.reset();
    m_app = std::make_unique<VxApp>(paths);
    VxAppSettings reread("VxFigureSetup");
    bool found = false;
    EXPECT_EQ(reread.getStringValue("LastTemplateDirectory", QString(), &found), "/tmp/templates");
    EXPECT_TRUE(found);
    EXPECT_EQ(reread.getIntValue("GeomDividerExtent", 130), 212);
    EXPECT_EQ(reread.getStringValue("Missing", "fallback", &found), "fallback");
    EXPECT_FALSE(found);
    // A runtime folder added for good is there in the next session.
    ASSERT_EQ(m_app->getContentMgr()->getNumPoserDirectories(), 1);
    EXPECT_EQ(m_app->getContentMgr()->getPoserDirectoryPath(0), QDir::cleanPath(tempPath("content")));
}

TEST_F(CoreTest, RuntimeFoldersResolveInOrderAndWithoutRegardToCase)
{
    const auto at = [this](const char* relative) { return QDir::cleanPath(tempPath(relative)); };
    writeFile("first/Runtime/Geometries/a.obj", "v 0 0 0\n");
    writeFile("second/Runtime/Geometries/a.obj", "v 0 0 0\n");
    writeFile("second/Runtime/Geometries/Deep/b.obj", "v 0 0 0\n");
    VxContentMgr* content = m_app->getContentMgr();
    ASSERT_TRUE(content->addPoserDirectory(tempPath("first")));
    // A path to the Runtime folder itself means the folder holding it.
    ASSERT_TRUE(content->addPoserDirectory(tempPath("second/Runtime")));
    EXPECT_FALSE(content->addPoserDirectory(tempPath("missing")));
    ASSERT_EQ(content->getNumPoserDirectories(), 2);
    EXPECT_EQ(content->getPoserDirectoryPath(1), at("second"));

    const QString deepB = at("second/Runtime/Geometries/Deep/b.obj");
    EXPECT_EQ(content->findFile("Runtime/Geometries/a.obj", 0x69), at("first/Runtime/Geometries/a.obj"));
    EXPECT_EQ(content->findFile("runtime/geometries/deep/B.OBJ", VxContentMgr::PoserDirectories), deepB);
    EXPECT_EQ(content->findFile("Deep/b.obj", VxContentMgr::PoserGeometryFolders), deepB);
    EXPECT_EQ(content->findFile(":Somewhere:else:b.obj", 0), QString());
    EXPECT_EQ(content->findFile("Other/Folder/b.obj", VxContentMgr::ByFileName), deepB);
    EXPECT_EQ(content->findFile("Runtime/Geometries/none.obj", 0x69), QString());

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
    const QString late = writeFile("second/Runtime/Geometries/Deep/c.obj", "v 0 0 0\n");
    const VxContentSearchSession next(content);
    EXPECT_EQ(content->findFile("Other/c.obj", VxContentMgr::ByFileName), QDir::cleanPath(late));
    EXPECT_EQ(content->findFile(queries.last(), 0x69), QDir::cleanPath(late));
}

TEST(CoreValues, SdkCompatibilityFollowsMajorAndMinor)
{
    EXPECT_TRUE(VxVersion::isCompatibleSDK(VxVersion(4, 22, 0, 7)));
    EXPECT_TRUE(VxVersion::isCompatibleSDK(VxVersion(4, 20, 3, 1)));
    QString reason;
    EXPECT_FALSE(VxVersion::isCompatibleSDK(VxVersion(4, 23, 0, 0), &reason));
    EXPECT_TRUE(reason.contains("4.23.0.0"));
    EXPECT_FALSE(VxVersion::isCompatibleSDK(VxVersion(5, 0, 0, 0)));
    EXPECT_FALSE(VxVersion::isCompatibleSDK(VxVersion(3, 22, 0, 7)));
}

TEST(CoreValues, FilePathsSplitOnEitherSeparator)
{
    EXPECT_EQ(VxFileIO::getShortFileName("C:\\Content\\Runtime\\body.obj"), "body.obj");
    EXPECT_EQ(VxFileIO::getShortFileName("/a/b/a.b.obj"), "a.b.obj");
    EXPECT_EQ(VxFileIO::getFilePath("/a/b/body.obj"), "/a/b");
    EXPECT_EQ(VxFileIO::getFilePath("body.obj"), QString());
}
