#include "viewuser.h"

#include "vxhierarchyboneitem.h"

#include "vxfshierarchyitem.h"

#include "vxbasicdialog.h"
#include "vxmeshgen.h"
#include "vxmessageboxanswerer.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QDropEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace ViewUser {

namespace {
QPoint pointOf(QTreeWidget& view, QTreeWidgetItem* item, int column)
{
    view.show();
    if (!item) {
        // Below the last row, where a drop or a click meets no item.
        return QPoint(5, view.viewport()->height() - 3);
    }
    view.scrollToItem(item);
    const QRect row = view.visualItemRect(item);
    const int x = view.header()->sectionViewportPosition(column) + view.header()->sectionSize(column) / 2;
    return QPoint(qBound(row.left() + 1, x, row.right() - 1), row.center().y());
}
QLineEdit* openEditor(QTreeWidget& view)
{
    for (QLineEdit* editor : view.viewport()->findChildren<QLineEdit*>()) {
        if (editor->isVisible())
            return editor;
    }
    return nullptr;
}
} // namespace

void rightClick(QTreeWidget& view, QTreeWidgetItem* item, int column)
{
    const QPoint pos = pointOf(view, item, column);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, view.viewport()->mapToGlobal(pos));
    QApplication::sendEvent(view.viewport(), &event);
}

bool accepts(QTreeWidget& view, QTreeWidgetItem* item, const QMimeData& data)
{
    const QPoint pos = pointOf(view, item, 0);
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(pos, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &enter);
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent move(pos, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
    return move.isAccepted();
}

bool drop(QTreeWidget& view, QTreeWidgetItem* item, const QMimeData& data)
{
    if (!accepts(view, item, data))
        return false;
    QDropEvent event(pointOf(view, item, 0), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &event);
    return event.isAccepted();
}

bool typeRename(QTreeWidget& view, QTreeWidgetItem* item, int column, const QString& text)
{
    view.show();
    // A menu entry may have opened the editor already.
    QLineEdit* editor = openEditor(view);
    if (!editor) {
        view.editItem(item, column);
        editor = openEditor(view);
    }
    if (!editor)
        return false;
    editor->selectAll();
    editor->insert(text);
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
    return true;
}

QTreeWidgetItem* boneItem(QTreeWidget& relationships, const QString& name)
{
    for (QTreeWidgetItemIterator it(&relationships); *it; ++it) {
        auto* item = vxHierarchyItemCast<VxHierarchyBoneItem>(*it);
        if (item && item->getBone() && item->getBone()->getName() == name)
            return item;
    }
    return nullptr;
}

QStringList boxes(const VxMessageBoxAnswerer& answerer)
{
    QStringList shown;
    for (const VxMessageBoxAnswerer::Seen& box : answerer.seen())
        shown.append(box.title + QStringLiteral(": ") + box.text);
    return shown;
}

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
}

} // namespace ViewUser

DialogDriver::DialogDriver()
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &DialogDriver::poll);
    m_timer.start();
}

void DialogDriver::queue(const QString& objectName, Step step)
{
    m_steps.append({objectName, std::move(step)});
}

void DialogDriver::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || m_steps.isEmpty() || modal->objectName() != m_steps.first().first)
        return;
    const Step step = m_steps.takeFirst().second;
    step(modal);
}

DialogDriver::Step DialogDriver::typeAndAccept(const QString& field, const QString& text)
{
    return [field, text](QWidget* dialog) {
        if (auto* edit = dialog->findChild<QLineEdit*>(field))
            edit->setText(text);
        accept()(dialog);
    };
}

DialogDriver::Step DialogDriver::accept()
{
    return [](QWidget* dialog) {
        if (auto* basic = qobject_cast<VxBasicDialog*>(dialog))
            basic->getAcceptButton()->click();
    };
}

DialogDriver::Step DialogDriver::cancel()
{
    return [](QWidget* dialog) {
        if (auto* basic = qobject_cast<VxBasicDialog*>(dialog))
            basic->getCancelButton()->click();
    };
}

QString writeGroupedMesh(const QString& path, int groups)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QStringList materials;
    const VxFacetMeshData mesh = VxMeshGen::grid(groups * 2, groups, 1, &materials);
    QString error;
    if (!VxMeshGen::writeObjFile(mesh, materials, path, &error))
        qWarning("cannot write %s: %s", qPrintable(path), qPrintable(error));
    return path;
}
