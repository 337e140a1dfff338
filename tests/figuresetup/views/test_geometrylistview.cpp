// The geometry list as a user works it: the file dialog, file drops, removal with the
// "Geometry in use" question, the file browser, and items that follow the document.
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

QStringList rowTexts(const QTreeWidget& view)
{
    QStringList rows;
    for (int i = 0; i < view.topLevelItemCount(); ++i)
        rows.append(view.topLevelItem(i)->text(0) + QLatin1Char('|') + view.topLevelItem(i)->text(1));
    return rows;
}

QStringList childTexts(const QTreeWidgetItem* item)
{
    QStringList names;
    for (int i = 0; item && i < item->childCount(); ++i)
        names.append(item->child(i)->text(0));
    return names;
}

std::unique_ptr<QMimeData> fileDrop(const QStringList& paths)
{
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    data->setUrls(urls);
    return data;
}

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

    VxMainWindow window;
    VxFSHierarchy document;
    QWidget pane;
    VxGeometryListView view{&pane};
};

TEST_F(GeometryListViewTest, AddGeometryLoadsSeveralFilesAndRemembersTheirFolder)
{
    const QString zed = mesh(QStringLiteral("meshes/zed.obj"), 3);
    const QString arm = mesh(QStringLiteral("meshes/arm.obz"), 2);
    const QString broken = writeFile(QStringLiteral("meshes/broken.obj"), "v 0 0\nf 1 2 3\n");

    VxMainWindow::queueFileDialogAnswer(QStringList{zed, arm, broken});
    VxMenuRunner::queueAnswer(QStringLiteral("Add Geometry..."));
    ViewUser::rightClick(view, nullptr);

    EXPECT_EQ(VxMenuRunner::getLastMenu(), (QStringList{"Add Geometry...", "Remove Geometry [disabled]",
                                                       "---", "Browse to File Location..."}));
    EXPECT_EQ(window.getLastFileDialogCaption(), QStringLiteral("Import Geometry"));
    EXPECT_EQ(window.getLastFileDialogDirectory(), m_app->getDocumentsPath());
    // The unreadable file adds nothing; the importer's log line says why.
    ASSERT_EQ(document.getNumGeometries(), 2);
    EXPECT_TRUE(loggedLines().join('\n').contains(QStringLiteral("broken.obj")));
    // Sorted by name; the ID is the load order.
    EXPECT_EQ(rowTexts(view), (QStringList{"arm.obz|1", "zed.obj|0"}));
    EXPECT_EQ(childTexts(view.topLevelItem(1)), (QStringList{"group_000", "group_001", "group_002"}));

    // The next dialog opens where the files were; a file loaded before adds nothing.
    VxMainWindow::queueFileDialogAnswer(QStringList{zed});
    VxMenuRunner::queueAnswer(QStringLiteral("Add Geometry..."));
    ViewUser::rightClick(view, view.topLevelItem(0));
    EXPECT_EQ(window.getLastFileDialogDirectory(), QFileInfo(zed).absolutePath());
    EXPECT_EQ(document.getNumGeometries(), 2);
    EXPECT_EQ(view.topLevelItemCount(), 2);
    EXPECT_EQ(VxMainWindow::getNumQueuedFileDialogAnswers(), 0);
}

TEST_F(GeometryListViewTest, RemovingAGeometryInUseAsksFirstAndTheRestAreRenumbered)
{
    VxFSGeomItem* x = document.addGeometry(mesh(QStringLiteral("x.obj"), 2));
    VxFSGeomItem* y = document.addGeometry(mesh(QStringLiteral("y.obj"), 2));
    view.setHierarchy(&document);
    VxFSHierarchyItem hip(&document, QStringLiteral("hip"));
    hip.setGeomGroup(y->getGroup(1)); // y becomes the base geometry: in use twice
    ASSERT_TRUE(y->isInUse());

    // A face group stands for its geometry; x is not in use and goes without a question.
    QTreeWidgetItem* yGroup = view.findItem(y)->child(1);
    view.findItem(x)->setSelected(true);
    yGroup->setSelected(true);
    QSignalSpy removed(&view, &VxGeometryListView::geomSelectionChanged);
    VxMessageBoxAnswerer answerer;
    answerer.queueAnswer(QStringLiteral("Cancel"));
    VxMenuRunner::queueAnswer(QStringLiteral("Remove Geometry"));
    ViewUser::rightClick(view, yGroup);
    ViewUser::settle();

    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Geometry in use"));
    EXPECT_EQ(answerer.seen()[0].text, QStringLiteral("The Geometry item is in use do you wish to continue?"));
    ASSERT_EQ(document.getNumGeometries(), 1);
    EXPECT_EQ(document.getGeometry(0), y);
    EXPECT_EQ(rowTexts(view), QStringList{"y.obj|0"});
    EXPECT_EQ(hip.getGeomGroup(), y->getGroup(1));
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][0].value<VxFSGeomItem*>(), nullptr);

    // Answered OK: the geometry goes, and with it the bone's face group and the base slot.
    view.findItem(y)->setSelected(true);
    answerer.queueAnswer(QStringLiteral("OK"));
    VxMenuRunner::queueAnswer(QStringLiteral("Remove Geometry"));
    ViewUser::rightClick(view, view.findItem(y));
    EXPECT_EQ(answerer.count(), 2);
    EXPECT_EQ(document.getNumGeometries(), 0);
    EXPECT_EQ(hip.getGeomGroup(), nullptr);
    EXPECT_EQ(document.getBaseGeometry(), nullptr);
    EXPECT_EQ(view.topLevelItemCount(), 0);
    EXPECT_EQ(removed.count(), 2);
}

TEST_F(GeometryListViewTest, DroppedFilesLoadWhenTheyEndInLowerCaseMeshExtensionsAndOnlyOnce)
{
    const QString body = mesh(QStringLiteral("drop/body.obj"), 2);
    const QString upper = mesh(QStringLiteral("drop/UPPER.OBJ"), 2);
    const QString sheet = mesh(QStringLiteral("drop/sheet.obz"), 4);
    const QString notes = writeFile(QStringLiteral("drop/notes.txt"), "not a mesh");
    const QString missing = tempPath(QStringLiteral("drop/missing.obj"));

    auto files = fileDrop({body, upper, notes, missing, sheet, body});
    EXPECT_TRUE(ViewUser::drop(view, nullptr, *files));
    ASSERT_EQ(document.getNumGeometries(), 2);
    EXPECT_EQ(document.getGeometry(0)->getPath(), body);
    EXPECT_EQ(document.getGeometry(1)->getPath(), sheet);
    EXPECT_EQ(rowTexts(view), (QStringList{"body.obj|0", "sheet.obz|1"}));

    // Dropped again onto an item: still loaded once.
    EXPECT_TRUE(ViewUser::drop(view, view.topLevelItem(0), *fileDrop({sheet})));
    EXPECT_EQ(view.topLevelItemCount(), 2);

    // The list's own items are not dropped back onto it.
    view.topLevelItem(0)->setSelected(true);
    std::unique_ptr<QDrag> own(view.dragObject());
    ASSERT_TRUE(own);
    EXPECT_FALSE(ViewUser::accepts(view, view.topLevelItem(1), *own->mimeData()));
}

TEST_F(GeometryListViewTest, ItemsFollowTheirGeometriesAndTheAttachedDocument)
{
    VxFSGeomItem* a = document.addGeometry(mesh(QStringLiteral("a.obj"), 3));
    VxFSGeomItem* b = document.addGeometry(mesh(QStringLiteral("b.obj"), 2));
    view.setHierarchy(&document);

    // Removed behind the view's back: the item goes and the other's ID follows.
    document.removeGeometry(a);
    ViewUser::settle();
    EXPECT_EQ(rowTexts(view), QStringList{"b.obj|0"});

    // Another document: geometries it took over keep their items, the others' items go.
    auto other = std::make_unique<VxFSHierarchy>();
    VxFSGeomItem* c = other->addGeometry(mesh(QStringLiteral("c.obj"), 1));
    VxGeometryListItem* bItem = view.findItem(b);
    ASSERT_TRUE(document.takeGeometry(b));
    ASSERT_TRUE(other->addGeometryItem(b));
    view.setHierarchy(other.get());
    EXPECT_EQ(view.findItem(b), bItem);
    EXPECT_EQ(rowTexts(view), (QStringList{"b.obj|1", "c.obj|0"}));
    EXPECT_NE(view.findItem(c), nullptr);

    other.reset();
    EXPECT_EQ(view.topLevelItemCount(), 0);
}

TEST_F(GeometryListViewTest, BrowseShowsTheFoldersOfTheChosenGeometriesOrTheStartFolder)
{
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
    VxFSGeomItem* a = document.addGeometry(mesh(QStringLiteral("one/a.obj"), 1));
    VxFSGeomItem* b = document.addGeometry(mesh(QStringLiteral("two/b.obj"), 1));
    view.setHierarchy(&document);
    view.findItem(a)->setSelected(true);
    view.findItem(b)->child(0)->setSelected(true);

    VxMenuRunner::queueAnswer(QStringLiteral("Browse to File Location..."));
    ViewUser::rightClick(view, view.findItem(a));
    VxMenuRunner::queueAnswer(QStringLiteral("Browse to File Location..."));
    ViewUser::rightClick(view, nullptr);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));

    EXPECT_EQ(recorder.opened, (QStringList{tempPath("one"), tempPath("two"), m_app->getDocumentsPath()}));
}

#include "test_geometrylistview.moc"
