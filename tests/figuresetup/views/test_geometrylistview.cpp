// The geometry list as a user works it: the file dialog, file drops, the file browser,
// removal with the "Geometry in use" question, and items that follow the document.
#include "viewmirror.h"
#include "viewuser.h"

#include "vxgeometrylistitem.h"
#include "vxgeometrylistview.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"

#include "vxapptest.h"
#include "vxmainwindow.h"
#include "vxmenurunner.h"
#include "vxmessageboxanswerer.h"

#include <QDesktopServices>
#include <QDrag>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

#include <memory>

namespace {
// Collects the addresses the view asks the desktop to open.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened.append(url.toLocalFile()); }
};
} // namespace

class GeometryListViewTest : public VxAppTest
{
protected:
    void SetUp() override
    {
        VxAppTest::SetUp();
        qRegisterMetaType<VxFSGeomItem*>();
        m_app->setInterface(&window);
        view.resize(400, 400);
        view.setHierarchy(&document);
    }
    void TearDown() override
    {
        VxMenuRunner::clearAnswers();
        VxMainWindow::clearFileDialogAnswers();
        m_app->setInterface(nullptr);
        VxAppTest::TearDown();
    }
    QString mesh(const QString& name, int groups) { return writeGroupedMesh(tempPath(name), groups); }
    // Right-clicks `item` (null: the empty area) and chooses `entry`.
    void choose(QTreeWidgetItem* item, const QString& entry)
    {
        VxMenuRunner::queueAnswer(entry);
        ViewUser::rightClick(view, item);
        ViewUser::settle();
    }
    bool dropFiles(const QStringList& paths, QTreeWidgetItem* onto = nullptr)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls.append(QUrl::fromLocalFile(path));
        data.setUrls(urls);
        return ViewUser::drop(view, onto, data);
    }

    VxMainWindow window;
    VxFSHierarchy document;
    QWidget pane;
    VxGeometryListView view{&pane};
};

TEST_F(GeometryListViewTest, AddGeometryLoadsSeveralFilesAndRemembersTheirFolder)
{
    const QString zed = mesh("meshes/zed.obj", 3);
    const QString arm = mesh("meshes/arm.obz", 2);
    const QString broken = writeFile("meshes/broken.obj", "v 0 0\nf 1 2 3\n");
    VxMainWindow::queueFileDialogAnswer(QStringList{zed, arm, broken});
    choose(nullptr, "Add Geometry...");
    EXPECT_EQ(VxMenuRunner::getLastMenu(), (QStringList{"Add Geometry...", "Remove Geometry [disabled]",
                                                       "---", "Browse to File Location..."}));
    EXPECT_EQ(window.getLastFileDialogCaption(), "Import Geometry");
    EXPECT_EQ(window.getLastFileDialogDirectory(), m_app->getDocumentsPath());
    // The unreadable file adds nothing, the importer's log line says why; rows are sorted by
    // name, the ID is the load order.
    ASSERT_EQ(document.getNumGeometries(), 2);
    EXPECT_TRUE(loggedLines().join('\n').contains("broken.obj"));
    EXPECT_EQ(ViewMirror::geometriesOf(view),
              (QStringList{"arm.obz|1|group_000,group_001", "zed.obj|0|group_000,group_001,group_002"}));

    // The next dialog opens where the files were; a file loaded before adds nothing.
    VxMainWindow::queueFileDialogAnswer(QStringList{zed});
    choose(view.topLevelItem(0), "Add Geometry...");
    EXPECT_EQ(window.getLastFileDialogDirectory(), QFileInfo(zed).absolutePath());
    EXPECT_EQ(VxMainWindow::getNumQueuedFileDialogAnswers(), 0);
    EXPECT_EQ(document.getNumGeometries(), 2);
    EXPECT_EQ(ViewMirror::geometriesOf(view), ViewMirror::geometriesOf(document));
}

TEST_F(GeometryListViewTest, DroppedMeshFilesLoadOnceAndItemsFollowTheirGeometriesAndTheDocument)
{
    // Only files ending in a lower-case mesh extension load, each once.
    const QString body = mesh("drop/body.obj", 2);
    const QString sheet = mesh("drop/sheet.obz", 4);
    const QString notes = writeFile("drop/notes.txt", "not a mesh");
    EXPECT_TRUE(dropFiles({body, mesh("drop/UPPER.OBJ", 2), notes, tempPath("drop/missing.obj"), sheet, body}));
    EXPECT_TRUE(dropFiles({sheet}, view.topLevelItem(0)));
    ASSERT_EQ(document.getNumGeometries(), 2);
    EXPECT_EQ(document.getGeometry(0)->getPath(), body);
    EXPECT_EQ(document.getGeometry(1)->getPath(), sheet);
    EXPECT_EQ(ViewMirror::geometriesOf(view), ViewMirror::geometriesOf(document));
    // The list's own items are not dropped back onto it.
    view.topLevelItem(0)->setSelected(true);
    const std::unique_ptr<QDrag> own(view.dragObject());
    EXPECT_FALSE(ViewUser::accepts(view, view.topLevelItem(1), *own->mimeData()));

    // Removed behind the view's back, a geometry takes its item along and the other's ID
    // follows; another document's items replace these, but a geometry it took over keeps its
    // item; a deleted document leaves none.
    VxFSGeomItem* kept = document.getGeometry(1);
    document.removeGeometry(document.getGeometry(0));
    ViewUser::settle();
    EXPECT_EQ(ViewMirror::geometriesOf(view), QStringList{"sheet.obz|0|group_000,group_001,group_002,group_003"});
    auto other = std::make_unique<VxFSHierarchy>();
    other->addGeometry(mesh("c.obj", 1));
    VxGeometryListItem* keptItem = view.findItem(kept);
    ASSERT_TRUE(document.takeGeometry(kept) && other->addGeometryItem(kept));
    view.setHierarchy(other.get());
    EXPECT_EQ(view.findItem(kept), keptItem);
    EXPECT_EQ(ViewMirror::geometriesOf(view), ViewMirror::geometriesOf(*other));
    other.reset();
    EXPECT_EQ(view.topLevelItemCount(), 0);
}

TEST_F(GeometryListViewTest, BrowseShowsTheChosenFoldersAndRemovingAGeometryInUseAsksFirst)
{
    VxFSGeomItem* x = document.addGeometry(mesh("one/x.obj", 2));
    VxFSGeomItem* y = document.addGeometry(mesh("two/y.obj", 2));
    view.setHierarchy(&document);
    VxFSHierarchyItem hip(&document, "hip");
    hip.setGeomGroup(y->getGroup(1)); // y becomes the base geometry: in use twice
    ASSERT_TRUE(y->isInUse());
    // A face group stands for its geometry; the empty area for the start folder.
    QTreeWidgetItem* yGroup = view.findItem(y)->child(1);
    view.findItem(x)->setSelected(true);
    yGroup->setSelected(true);
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("file", &recorder, "open");
    choose(view.findItem(x), "Browse to File Location...");
    choose(nullptr, "Browse to File Location...");
    QDesktopServices::unsetUrlHandler("file");
    EXPECT_EQ(recorder.opened, (QStringList{tempPath("one"), tempPath("two"), m_app->getDocumentsPath()}));

    // x is not in use and goes without a question; y, cancelled, stays.
    QSignalSpy removed(&view, &VxGeometryListView::geomSelectionChanged);
    VxMessageBoxAnswerer answerer;
    answerer.queueAnswer("Cancel");
    choose(yGroup, "Remove Geometry");
    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(answerer.seen()[0].title, "Geometry in use");
    EXPECT_EQ(answerer.seen()[0].text, "The Geometry item is in use do you wish to continue?");
    ASSERT_EQ(document.getNumGeometries(), 1);
    EXPECT_EQ(document.getGeometry(0), y);
    EXPECT_EQ(ViewMirror::geometriesOf(view), ViewMirror::geometriesOf(document));
    EXPECT_EQ(hip.getGeomGroup(), y->getGroup(1));
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][0].value<VxFSGeomItem*>(), nullptr);

    // Answered OK: the geometry goes, and with it the bone's face group and the base slot.
    view.findItem(y)->setSelected(true);
    answerer.queueAnswer("OK");
    choose(view.findItem(y), "Remove Geometry");
    EXPECT_EQ(answerer.count(), 2);
    EXPECT_EQ(document.getNumGeometries(), 0);
    EXPECT_EQ(hip.getGeomGroup(), nullptr);
    EXPECT_EQ(document.getBaseGeometry(), nullptr);
    EXPECT_EQ(view.topLevelItemCount(), 0);
    EXPECT_EQ(removed.count(), 2);
}

#include "test_geometrylistview.moc"
