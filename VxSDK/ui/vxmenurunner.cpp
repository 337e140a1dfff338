#include "vxmenurunner.h"

#include <QAction>
#include <QList>
#include <QMenu>

namespace {

QList<QStringList>& queuedAnswers()
{
    static QList<QStringList> answers;
    return answers;
}

QStringList& lastMenu()
{
    static QStringList entries;
    return entries;
}

bool sameText(const QAction& action, const QString& text)
{
    return action.text() == text || QString(action.text()).remove(QLatin1Char('&')) == text;
}

QAction* findEntry(const QMenu& menu, const QStringList& path)
{
    const QMenu* current = &menu;
    QAction* found = nullptr;
    for (const QString& text : path) {
        if (!current)
            return nullptr;
        found = nullptr;
        for (QAction* action : current->actions()) {
            if (!action->isSeparator() && sameText(*action, text)) {
                found = action;
                break;
            }
        }
        if (!found)
            return nullptr;
        current = found->menu();
    }
    return found;
}

// A user cannot choose a disabled entry, or a disabled submenu's entries.
bool isChoosable(const QMenu& menu, const QStringList& path, const QAction& action)
{
    if (action.menu() || !action.isEnabled())
        return false;
    for (int depth = 1; depth < path.size(); ++depth) {
        const QAction* opener = findEntry(menu, path.mid(0, depth));
        if (!opener || !opener->isEnabled())
            return false;
    }
    return true;
}

void describeInto(const QMenu& menu, const QString& prefix, QStringList& lines)
{
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            lines.append(prefix + QStringLiteral("---"));
            continue;
        }
        QStringList notes;
        if (action->data().isValid())
            notes.append(QString::number(action->data().toInt()));
        if (!action->isEnabled())
            notes.append(QStringLiteral("disabled"));
        if (action->isChecked())
            notes.append(QStringLiteral("checked"));
        QString line = prefix + action->text();
        if (!notes.isEmpty())
            line += QStringLiteral(" [%1]").arg(notes.join(QStringLiteral(", ")));
        lines.append(line);
        if (action->menu())
            describeInto(*action->menu(), prefix + action->text() + QStringLiteral(" > "), lines);
    }
}

} // namespace

void VxMenuRunner::queueAnswer(const QStringList& entryPath)
{
    queuedAnswers().append(entryPath);
}

void VxMenuRunner::clearAnswers()
{
    queuedAnswers().clear();
}

int VxMenuRunner::getNumQueuedAnswers()
{
    return queuedAnswers().size();
}

QAction* VxMenuRunner::exec(QMenu& menu, const QPoint& pos)
{
    lastMenu() = describe(menu);
    if (queuedAnswers().isEmpty())
        return menu.exec(pos);

    QStringList path = queuedAnswers().takeFirst();
    path.removeAll(QString());
    if (path.isEmpty())
        return nullptr;
    QAction* action = findEntry(menu, path);
    if (!action) {
        qWarning("VxMenuRunner: the menu has no entry \"%s\"",
                 qUtf8Printable(path.join(QStringLiteral(" > "))));
        return nullptr;
    }
    if (!isChoosable(menu, path, *action))
        return nullptr;
    action->activate(QAction::Trigger);
    return action;
}

QStringList VxMenuRunner::describe(const QMenu& menu)
{
    QStringList lines;
    describeInto(menu, QString(), lines);
    return lines;
}

QStringList VxMenuRunner::getLastMenu()
{
    return lastMenu();
}
