// The dialog frame with its validator, and the path field with its validator, used as a
// user uses them: buttons clicked, text typed, pasted and dropped.
#include "vxbasicdialog.h"
#include "vxbasicdialogvalidator.h"
#include "vxbrowseedit.h"
#include "vxmessageboxanswerer.h"
#include "vxpathvalidator.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// Refuses as a real validator does, with a message box, until the field holds text.
class NeedsTextValidator : public VxBasicDialogValidator
{
public:
    explicit NeedsTextValidator(QLineEdit* field) : m_field(field) {}
    bool validate(VxBasicDialog* dialog) override
    {
        if (!m_field->text().isEmpty())
            return true;
        QMessageBox::warning(dialog, QStringLiteral("File Error"),
                             QStringLiteral("A valid path must be entered to continue."));
        return false;
    }

private:
    QLineEdit* m_field;
};

TEST(BasicDialogTest, AcceptAsksTheValidatorAndStaysOpenWhenItRefuses)
{
    VxBasicDialog dialog(nullptr, QStringLiteral("UpdateBaseGeometryDlg"));
    auto* field = new QLineEdit;
    dialog.addWidget(field, 1);
    dialog.setValidator(std::make_unique<NeedsTextValidator>(field));
    dialog.setAcceptButtonText(QStringLiteral("Finished"));
    dialog.showCancelButton(false);
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    dialog.show();

    EXPECT_FALSE(dialog.getCancelButton()->isVisible());
    {
        VxMessageBoxAnswerer answerer;
        QTest::mouseClick(dialog.getAcceptButton(), Qt::LeftButton);
        ASSERT_EQ(answerer.count(), 1);
        EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("File Error"));
        EXPECT_EQ(answerer.seen()[0].text, QStringLiteral("A valid path must be entered to continue."));
    }
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(accepted.count(), 0);

    QTest::keyClicks(field, QStringLiteral("body.obj"));
    QTest::mouseClick(dialog.getAcceptButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(BrowseEditTest, TheButtonAsksToBrowseAndTheFieldTakesOnlyPaths)
{
    QTemporaryFile existing;
    ASSERT_TRUE(existing.open());
    VxBrowseEdit edit;
    edit.setValidator(new VxPathValidator(&edit));
    edit.setPlaceholderText(QStringLiteral("Provide a valid path..."));
    edit.show();
    QSignalSpy browse(&edit, &VxBrowseEdit::browseClicked);
    QTest::mouseClick(edit.getBrowseButton(), Qt::LeftButton);
    EXPECT_EQ(browse.count(), 1);

    QLineEdit* line = edit.getLineEdit();
    QTest::keyClicks(line, existing.fileName());
    EXPECT_EQ(edit.getText(), existing.fileName());
    EXPECT_TRUE(line->hasAcceptableInput());
    QTest::keyClicks(line, QStringLiteral(".missing"));
    EXPECT_EQ(edit.getText(), existing.fileName() + QStringLiteral(".missing"));
    EXPECT_FALSE(line->hasAcceptableInput());

    // A control character cannot come in with a paste; a dropped file URL becomes its path.
    line->clear();
    line->insert(QStringLiteral("body\x01.obj"));
    EXPECT_EQ(edit.getText(), QString());
    line->insert(QStringLiteral("file://") + existing.fileName() + QStringLiteral("\r\n"));
    EXPECT_EQ(edit.getText(), existing.fileName());
    EXPECT_TRUE(line->hasAcceptableInput());
}

TEST(BrowseEditTest, FixupDropsTheBlanksAndQuotesAroundAPath)
{
    const VxPathValidator validator;
    const struct
    {
        QString input;
        QString fixed;
    } cases[] = {
        {QStringLiteral("  /tmp/a.obj "), QStringLiteral("/tmp/a.obj")},
        {QStringLiteral("\"/tmp/my body.obj\""), QStringLiteral("/tmp/my body.obj")},
        {QStringLiteral("'/tmp/a.obj'"), QStringLiteral("/tmp/a.obj")},
        {QStringLiteral("\""), QStringLiteral("\"")},
    };
    for (const auto& c : cases) {
        QString text = c.input;
        validator.fixup(text);
        EXPECT_EQ(text, c.fixed) << qPrintable(c.input);
    }
}

} // namespace
