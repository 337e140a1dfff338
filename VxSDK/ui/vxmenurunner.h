#pragma once

#include "vxsdkglobal.h"

#include <QPoint>
#include <QStringList>

class QAction;
class QMenu;

// Runs a context menu modally for VxMenu, VxPopupMenuBC and views that use a plain QMenu,
// and lets tests and scripts choose an entry without a pointer.
//
// Queued answers: while answers are queued, exec() does not show the menu; it takes the
// next answer and triggers the entry it names, as a click would (the action's triggered()
// and the menu's triggered() are emitted), and returns that entry. An answer is the entry's
// text (an '&' in the text may be left out); an entry of a submenu is named by the path of
// texts from the top menu, {"Hierarchy Menu", "Edit Name"}. An empty answer dismisses the
// menu. An entry a user could not choose either (disabled, a separator, an entry that only
// opens a submenu) dismisses the menu too; a text the menu does not hold also writes a
// warning, since that is a mistake in the test.
//
// Every run records the menu's entries (getLastMenu, in the form of describe) so a test can
// check what was offered, enabled and checked.
class VXSDK_EXPORT VxMenuRunner
{
public:
    static void queueAnswer(const QStringList& entryPath);
    static void queueAnswer(const QString& entryText) { queueAnswer(QStringList{entryText}); }
    static void clearAnswers();
    static int getNumQueuedAnswers();

    // Shows `menu` at the global position `pos` (or takes the next queued answer) and returns
    // the chosen entry, or null when the menu was dismissed.
    static QAction* exec(QMenu& menu, const QPoint& pos);

    // One line per entry, top to bottom: the text, then in brackets the entry's id (the int
    // held in QAction::data) and "disabled" / "checked" where they apply, "---" for a
    // separator; the entries of a submenu follow its line, each prefixed with the submenu's
    // text and " > ". Example: "Edit Name [1]", "Add Child Bone... [3, disabled]", "---",
    // "Hierarchy Menu", "Hierarchy Menu > XYZ [30, checked]".
    static QStringList describe(const QMenu& menu);
    static QStringList getLastMenu();
};
