// The Update Base Geometry dialog and its validator, used through their widgets.
#include "updategeometrytest.h"

#include "vxupdategeometrydlg.h"
#include "vxupdategeometrydlgvalidator.h"

#include "vxbasicdialog.h"
#include "vxbrowseedit.h"
#include "vximportmgr.h"
#include "vxmainwindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using UpdateGeometryDialogTest = UpdateGeometryTest;

TEST_F(UpdateGeometryDialogTest, TheFileFieldFollowsTheOperationChosen)
{
    VxUpdateGeometryDlg dialog;
    dialog.show();
    EXPECT_EQ(dialog.objectName(), QStringLiteral("UpdateBaseGeometryDlg"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Update Base Geometry"));
    const char* const buttons[] = {"VertexPositionsCurrentShapeRBtn", "VertexPositionsFileRBtn", "FullGeometryFileRBtn"};
    for (int operation = 0; operation < 3; ++operation)
        EXPECT_EQ(dialog.findChild<QRadioButton*>(QStringLiteral("UpdateBaseGeometry") + QLatin1String(buttons[operation])),
                  dialog.getOperationButton(operation));
    EXPECT_EQ(dialog.findChild<VxBrowseEdit*>(QStringLiteral("UpdateBaseGeometryFile")), dialog.getFileEdit());
    EXPECT_EQ(dialog.getFileEdit()->getLineEdit()->placeholderText(), QStringLiteral("Provide a valid path..."));
    EXPECT_GE(dialog.width(), 250);
    EXPECT_EQ(dialog.minimumHeight(), dialog.maximumHeight());
    EXPECT_FALSE(dialog.getFileEdit()->isEnabled());

    // Set by the caller in code, then clicked by the user.
    dialog.setOperation(2);
    EXPECT_TRUE(dialog.getFileEdit()->isEnabled());
    QTest::mouseClick(dialog.getOperationButton(0), Qt::LeftButton);
    EXPECT_FALSE(dialog.getFileEdit()->isEnabled());
    EXPECT_EQ(dialog.getOperation(), 0);
    QTest::mouseClick(dialog.getOperationButton(1), Qt::LeftButton);
    EXPECT_TRUE(dialog.getFileEdit()->isEnabled());
    EXPECT_EQ(dialog.getOperation(), 1);
}

TEST_F(UpdateGeometryDialogTest, TheValidatorWantsAnExistingFileForTheFileOperations)
{
    struct Case
    {
        int operation;
        QString file;
        QString title; // empty: accepted
        QString text;
    };
    const Case cases[] = {
        {1, QString(), QStringLiteral("File Error"), QStringLiteral("A valid path must be entered to continue.")},
        {2, QStringLiteral("   "), QStringLiteral("File Error"), QStringLiteral("A valid path must be entered to continue.")},
        {2, tempPath(QStringLiteral("meshes/none.obj")), QStringLiteral("File Error"),
         QStringLiteral("The path entered must reference a file that exists to continue.")},
        {1, QStringLiteral(" ") + m_moved + QStringLiteral(" "), QString(), QString()},
        {0, QString(), QString(), QString()},
        {0, tempPath(QStringLiteral("meshes/none.obj")), QString(), QString()},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(QStringLiteral("%1 '%2'").arg(test.operation).arg(test.file).toStdString());
        VxUpdateGeometryDlg dialog;
        dialog.setValidator(std::make_unique<VxUpdateGeometryDlgValidator>());
        dialog.setOperation(test.operation);
        dialog.setFileName(test.file);
        dialog.show();
        VxMessageBoxAnswerer boxes;
        QTest::mouseClick(dialog.getAcceptButton(), Qt::LeftButton);
        if (test.title.isEmpty()) {
            EXPECT_EQ(boxes.count(), 0);
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            continue;
        }
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.seen()[0].title, test.title);
        EXPECT_EQ(boxes.seen()[0].text, test.text);
        EXPECT_TRUE(dialog.isVisible());
    }

    // Given a dialog of another kind it cannot tell what to check.
    VxBasicDialog other;
    VxMessageBoxAnswerer boxes;
    EXPECT_FALSE(VxUpdateGeometryDlgValidator().validate(&other));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.seen()[0].title, QStringLiteral("Unexpected Error"));
    EXPECT_EQ(boxes.seen()[0].text, QStringLiteral("An unexpected error has occurred."));
}

TEST_F(UpdateGeometryDialogTest, BrowsingStartsBesideTheCurrentFileOrWhereTheLastMeshCameFrom)
{
    VxMainWindow window;
    m_app->setInterface(&window);
    m_app->getImportMgr()->setImportPath(tempPath(QStringLiteral("imports")));
    VxUpdateGeometryDlg dialog;
    dialog.setOperation(1);
    dialog.show();

    VxMainWindow::queueFileDialogAnswer(m_moved);
    QTest::mouseClick(dialog.getFileEdit()->getBrowseButton(), Qt::LeftButton);
    EXPECT_EQ(window.getLastFileDialogCaption(), QStringLiteral("Import Geometry"));
    EXPECT_EQ(window.getLastFileDialogDirectory(), tempPath(QStringLiteral("imports")));
    EXPECT_EQ(dialog.getFileName(), m_moved);

    // Cancelled: the field keeps its file; the next dialog starts in its folder.
    VxMainWindow::queueFileDialogAnswer(QString());
    QTest::mouseClick(dialog.getFileEdit()->getBrowseButton(), Qt::LeftButton);
    EXPECT_EQ(window.getLastFileDialogDirectory(), tempPath(QStringLiteral("meshes")));
    EXPECT_EQ(dialog.getFileName(), m_moved);
    m_app->setInterface(nullptr);
}
