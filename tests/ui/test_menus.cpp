// Menus as a user meets them: entries chosen by their text, dismissed menus, entries that
// cannot be chosen, submenus, and the real menu driven by the keyboard.
#include "vxmenu.h"
#include "vxmenurunner.h"
#include "vxpopupmenubc.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class MenuTest : public ::testing::Test
{
protected:
    void TearDown() override { VxMenuRunner::clearAnswers(); }
};

TEST_F(MenuTest, VxMenuReturnsTheChosenIdOrMinusOneWhenDismissed)
{
    VxMenu menu;
    const int create = menu.addItem(QStringLiteral("Create Region..."));
    menu.addSeparator();
    const int group = menu.addItem(QStringLiteral("Group Region(s)..."));
    const int remove = menu.addItem(QStringLiteral("Delete Region(s)"));
    QSignalSpy triggered(&menu, &QMenu::triggered);

    VxMenuRunner::queueAnswer(QStringLiteral("Group Region(s)..."));
    VxMenuRunner::queueAnswer(QStringLiteral("Delete Region(s)"));
    VxMenuRunner::queueAnswer(QString());
    EXPECT_EQ(menu.exec(QPoint(5, 5)), group);
    EXPECT_EQ(menu.exec(QPoint(5, 5)), remove);
    EXPECT_EQ(menu.exec(QPoint(5, 5)), -1);
    EXPECT_NE(create, group);
    EXPECT_EQ(triggered.count(), 2);
    EXPECT_EQ(VxMenuRunner::getNumQueuedAnswers(), 0);
    EXPECT_EQ(VxMenuRunner::getLastMenu(),
              QStringList({"Create Region... [0]", "---", "Group Region(s)... [1]", "Delete Region(s) [2]"}));
}

TEST_F(MenuTest, PopupMenuAnswersIdsFromSubmenusAndNeverADisabledEntry)
{
    auto* menu = new VxPopupMenuBC;
    auto* bones = new VxPopupMenuBC;
    bones->insertItem(QStringLiteral("Edit Name"), 1);
    bones->insertItem(QStringLiteral("Add Child Bone..."), 3);
    bones->setItemEnabled(3, false);
    auto* orders = new VxPopupMenuBC;
    orders->insertItem(QStringLiteral("XYZ"), 30);
    orders->insertItem(QStringLiteral("YZX"), 33);
    orders->setItemChecked(33, true);
    menu->insertItem(QStringLiteral("Hierarchy Menu"), bones);
    menu->insertSeparator();
    const int regionEntry = menu->insertItem(QStringLiteral("Region Menu"), orders);
    menu->setItemEnabled(regionEntry, false);

    const struct
    {
        QStringList answer;
        int id;
    } cases[] = {
        {{"Hierarchy Menu", "Edit Name"}, 1},
        {{"Hierarchy Menu", "Add Child Bone..."}, -1},  // disabled
        {{"Region Menu", "XYZ"}, -1},                   // in a disabled submenu
        {{"Hierarchy Menu"}, -1},                       // only opens a submenu
        {{"Hierarchy Menu", "No Such Entry"}, -1},
    };
    for (const auto& c : cases) {
        VxMenuRunner::queueAnswer(c.answer);
        EXPECT_EQ(menu->idExec(QPoint(5, 5), -1), c.id) << qPrintable(c.answer.join(" > "));
    }
    EXPECT_TRUE(orders->isItemChecked(33));
    EXPECT_FALSE(orders->isItemChecked(30));
    EXPECT_EQ(VxMenuRunner::getLastMenu(),
              QStringList({"Hierarchy Menu [-2]", "Hierarchy Menu > Edit Name [1]",
                           "Hierarchy Menu > Add Child Bone... [3, disabled]", "---",
                           "Region Menu [-3, disabled]", "Region Menu > XYZ [30]",
                           "Region Menu > YZX [33, checked]"}));

    // The top menu owns its submenus.
    QPointer<VxPopupMenuBC> submenu = bones;
    delete menu;
    EXPECT_TRUE(submenu.isNull());
}

TEST_F(MenuTest, WithoutAnswersTheMenuIsShownAndTheKeyboardChooses)
{
    VxPopupMenuBC menu;
    menu.insertItem(QStringLiteral("XYZ"), 30);
    menu.insertItem(QStringLiteral("XZY"), 31);
    menu.setItemEnabled(30, false);

    // The first Down skips the disabled entry.
    QTimer::singleShot(0, &menu, [&menu] {
        EXPECT_TRUE(menu.isVisible());
        QTest::keyClick(&menu, Qt::Key_Down);
        QTest::keyClick(&menu, Qt::Key_Return);
    });
    EXPECT_EQ(menu.idExec(QPoint(20, 20), -1), 31);

    QTimer::singleShot(0, &menu, [&menu] { QTest::keyClick(&menu, Qt::Key_Escape); });
    EXPECT_EQ(menu.idExec(QPoint(20, 20), -1), -1);
}

} // namespace
