#pragma once

// Also gives gtest its printer of QString.
#include "hierarchyviewtest.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

class QAbstractItemView;
class QMimeData;
class QTreeWidget;
class QTreeWidgetItem;
class VxMessageBoxAnswerer;

// What a user does to the pane's views, done through the views' own event handling: a right
// click, a drag moved over an item and released, a rename typed into the item's editor.
namespace ViewUser {

// Right-clicks `item` (null: the empty area below the items) in `column`.
void rightClick(QTreeWidget& view, QTreeWidgetItem* item, int column = 0);
// Drags `data` onto `item` (null: the empty area) and releases it. False when the view
// refused the drag at any of enter, move or drop.
bool drop(QTreeWidget& view, QTreeWidgetItem* item, const QMimeData& data);
// Only enters and moves over `item`: whether the view would take the drop there.
bool accepts(QTreeWidget& view, QTreeWidgetItem* item, const QMimeData& data);
// Opens the editor of `item`'s `column` as a rename does, types `text` and presses Return.
// False when no editor opened.
bool typeRename(QTreeWidget& view, QTreeWidgetItem* item, int column, const QString& text);
// Lets queued work (deferred renames, deleteLater) run.
void settle();
// The relationships view's item of the bone named `name`, or null.
QTreeWidgetItem* boneItem(QTreeWidget& relationships, const QString& name);
// "Title: text" of each message box `answerer` answered, in order.
QStringList boxes(const VxMessageBoxAnswerer& answerer);

} // namespace ViewUser

// Works the application's modal dialogs from a test: while it lives, each time the dialog
// named by the next queued step is the active modal window, the step runs with it (fills
// its fields, clicks a button). A dialog that refuses its input stays up for the next step.
class DialogDriver : public QObject
{
public:
    using Step = std::function<void(QWidget* dialog)>;
    DialogDriver();
    void queue(const QString& objectName, Step step);
    int pending() const { return m_steps.size(); }

    // Common steps: type into the line edit named `field`, then press the dialog's OK.
    static Step typeAndAccept(const QString& field, const QString& text);
    static Step accept();
    static Step cancel();

private:
    void poll();
    QTimer m_timer;
    QList<QPair<QString, Step>> m_steps;
};

// OBJ files for the view tests: a flat sheet cut into face groups "group_000", ...
QString writeGroupedMesh(const QString& path, int groups);
