#include "hierarchyviewtest.h"

#include "vxfsitemdrag.h"
#include "vxhierarchyboneitem.h"
#include "vxhierarchyeditorview.h"
#include "vxhierarchyregionitem.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include "vxmenurunner.h"
#include "vxmessageboxanswerer.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QSet>
#include <QTest>
#include <QTreeWidgetItemIterator>

void HierarchyViewTest::SetUp()
{
    VxAppTest::SetUp();
    VxMenuRunner::clearAnswers();
    m_pane = std::make_unique<QWidget>();
    m_view = std::make_unique<VxHierarchyEditorView>(m_pane.get());
    m_view->resize(700, 1200);
    m_view->show();
    m_document = std::make_unique<VxFSHierarchy>();
}

void HierarchyViewTest::TearDown()
{
    // An editor left open commits when the view goes; a name clash would then ask.
    VxMessageBoxAnswerer answerer;
    m_view.reset();
    m_pane.reset();
    m_document.reset();
    VxMenuRunner::clearAnswers();
    VxAppTest::TearDown();
}

VxFSGeomItem* HierarchyViewTest::loadGeometry(const QString& fileName, const QStringList& groups)
{
    QByteArray obj = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
    for (const QString& group : groups)
        obj += "g " + group.toUtf8() + "\nf 1 2 3\n";
    return m_document->addGeometry(writeFile(fileName, obj));
}

void HierarchyViewTest::addBones(const QStringList& paths)
{
    for (const QString& path : paths) {
        const QStringList names = path.split(QLatin1Char('/'));
        if (names.size() == 1)
            new VxFSHierarchyItem(m_document.get(), names.last());
        else
            new VxFSHierarchyItem(bone(names.at(names.size() - 2)), names.last());
    }
}

VxFSHierarchyItem* HierarchyViewTest::bone(const QString& name) const
{
    return m_document->findBone(name);
}

void HierarchyViewTest::attach() const
{
    m_view->fromHierarchy(m_document.get());
}

VxHierarchyBoneItem* HierarchyViewTest::boneItem(const QString& name) const
{
    for (QTreeWidgetItemIterator it(m_view.get()); *it; ++it) {
        auto* item = vxHierarchyItemCast<VxHierarchyBoneItem>(*it);
        if (item && item->getBone() && item->getBone()->getName() == name)
            return item;
    }
    return nullptr;
}

VxHierarchyRegionItem* HierarchyViewTest::regionItem(const QString& name) const
{
    for (QTreeWidgetItemIterator it(m_view.get()); *it; ++it) {
        auto* item = vxHierarchyItemCast<VxHierarchyRegionItem>(*it);
        if (item && item->getRegion() && item->getRegion()->getName() == name)
            return item;
    }
    return nullptr;
}

QTreeWidgetItem* HierarchyViewTest::itemOfType(int type) const
{
    for (QTreeWidgetItemIterator it(m_view.get()); *it; ++it) {
        if ((*it)->type() == type)
            return *it;
    }
    return nullptr;
}

void HierarchyViewTest::select(const QList<QTreeWidgetItem*>& items) const
{
    m_view->clearSelection();
    for (QTreeWidgetItem* item : items)
        item->setSelected(true);
}

namespace {

QPoint cellCentre(const VxHierarchyEditorView& view, QTreeWidgetItem* item, int column)
{
    const QRect row = view.visualItemRect(item);
    return QPoint(view.header()->sectionViewportPosition(column) + view.header()->sectionSize(column) / 2,
                  row.center().y());
}

// A right click selects an item that is not selected yet, then asks for the menu.
void rightClick(VxHierarchyEditorView& view, QTreeWidgetItem* item, int column)
{
    view.scrollToItem(item);
    const QPoint pos = cellCentre(view, item, column);
    QTest::mouseClick(view.viewport(), Qt::RightButton, Qt::NoModifier, pos);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, view.viewport()->mapToGlobal(pos));
    QApplication::sendEvent(view.viewport(), &event);
}

} // namespace

QStringList HierarchyViewTest::menuAt(QTreeWidgetItem* item, int column) const
{
    VxMenuRunner::queueAnswer(QStringList());
    rightClick(*m_view, item, column);
    // A click that offers no menu leaves the answer queued.
    const bool shown = VxMenuRunner::getNumQueuedAnswers() == 0;
    VxMenuRunner::clearAnswers();
    return shown ? VxMenuRunner::getLastMenu() : QStringList();
}

bool HierarchyViewTest::choose(QTreeWidgetItem* item, int column, int id) const
{
    // The entry's path comes from the menu's description: "Region Menu > Add Child Region [20]".
    const QString tag = QStringLiteral(" [%1").arg(id);
    for (const QString& line : menuAt(item, column)) {
        const int at = line.lastIndexOf(tag);
        const QChar next = at >= 0 && at + tag.size() < line.size() ? line.at(at + tag.size()) : QChar();
        if (at < 0 || (next != QLatin1Char(']') && next != QLatin1Char(',')))
            continue;
        VxMenuRunner::queueAnswer(line.left(at).split(QStringLiteral(" > ")));
        rightClick(*m_view, item, column);
        return true;
    }
    return false;
}

bool HierarchyViewTest::rename(QTreeWidgetItem* item, int column, const QString& text) const
{
    auto openEditor = [this]() -> QLineEdit* {
        for (QLineEdit* editor : m_view->viewport()->findChildren<QLineEdit*>()) {
            if (editor->isVisible())
                return editor;
        }
        return nullptr;
    };
    // A rename the view started itself (a new bone or region) is already open.
    const bool editing = m_view->currentItem() == item && m_view->currentColumn() == column;
    QLineEdit* editor = editing ? openEditor() : nullptr;
    if (!editor) {
        m_view->scrollToItem(item);
        m_view->editItem(item, column);
        editor = openEditor();
    }
    if (!editor)
        return false;
    editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits a moment later, then the closed editor goes away.
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return true;
}

namespace {

// A drag entering the view, moving to `item`'s name and, with `dropIt`, dropped there; as
// the windowing system delivers it, to the viewport. Whether the last event was accepted.
bool dragTo(VxHierarchyEditorView& view, QTreeWidgetItem* item, const QMimeData& data, bool dropIt)
{
    view.scrollToItem(item);
    const QPoint pos = cellCentre(view, item, 0);
    QDragEnterEvent enter(pos, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &enter);
    QDragMoveEvent move(pos, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
    bool accepted = enter.isAccepted() && move.isAccepted();
    if (dropIt) {
        QDropEvent drop(pos, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &drop);
        accepted = drop.isAccepted();
    }
    QDragLeaveEvent leave;
    QApplication::sendEvent(view.viewport(), &leave);
    return accepted;
}

} // namespace

bool HierarchyViewTest::dragMoveAccepted(QTreeWidgetItem* item, const QMimeData& data) const
{
    return dragTo(*m_view, item, data, false);
}

bool HierarchyViewTest::drop(QTreeWidgetItem* item, const QMimeData& data) const
{
    return dragTo(*m_view, item, data, true);
}

std::unique_ptr<QMimeData> HierarchyViewTest::dragData(QTreeWidgetItem* item) const
{
    select({item});
    std::unique_ptr<QDrag> drag(m_view->dragObject());
    auto data = std::make_unique<QMimeData>();
    if (drag) {
        for (const QString& format : drag->mimeData()->formats())
            data->setData(format, drag->mimeData()->data(format));
    }
    return data;
}

// ---- The tree against the document ---------------------------------------------------

namespace {

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

const QStringList kOrders = {"XYZ", "XZY", "YXZ", "YZX", "ZXY", "ZYX"};

AssertionResult sameText(const QTreeWidgetItem* item, int column, const QString& expected, const QString& where)
{
    if (item->text(column) == expected)
        return AssertionSuccess();
    return AssertionFailure() << where.toStdString() << ": column " << column << " shows \""
                              << item->text(column).toStdString() << "\", expected \"" << expected.toStdString()
                              << "\"";
}

AssertionResult checkGeometry(const QTreeWidgetItem* item, const VxFSHierarchyItem* bone, bool parametric)
{
    const QString where = bone->getName() + " geometry";
    const VxFSGeomGroup* group = bone->getGeomGroup();
    QString text = parametric ? "Base: " : "Selection Group: ";
    text += group ? QString("%1: %2").arg(group->getGeomItem()->getIndex()).arg(group->getName()) : "<none>";
    if (!parametric) {
        if (item->type() != 4131)
            return AssertionFailure() << where.toStdString() << " is not a geometry item";
        return sameText(item, 0, text, where);
    }
    if (item->type() != 4134 || item->childCount() != 2 || item->child(0)->type() != 4131
        || item->child(1)->type() != 4132)
        return AssertionFailure() << where.toStdString() << " is not a \"Geometry\" container of two items";
    const QTreeWidgetItem* alternates = item->child(1);
    if (alternates->childCount() != bone->getNumAltGeometries())
        return AssertionFailure() << where.toStdString() << " shows " << alternates->childCount() << " alternates";
    for (int i = 0; i < bone->getNumAltGeometries(); ++i) {
        const AssertionResult alternate = sameText(
            alternates->child(i), 0, QString("Alt Geom: %1").arg(bone->getAltGeometry(i)->getIndex()), where);
        if (!alternate)
            return alternate;
    }
    AssertionResult result = sameText(item, 0, "Geometry", where);
    if (result)
        result = sameText(item->child(0), 0, text, where);
    return result ? sameText(alternates, 0, "Alternate(s)", where) : result;
}

AssertionResult checkBone(const QTreeWidgetItem* item, const VxFSHierarchyItem* bone, bool parametric);

// The bone items among `item`'s children (from `first` on) against the bones of a list.
AssertionResult checkChildBones(const QTreeWidgetItem* item, int first, const VxFSHierarchyItem* firstBone,
                                bool parametric, const QString& where)
{
    QHash<const VxFSHierarchyItem*, const QTreeWidgetItem*> items;
    for (int i = first; i < item->childCount(); ++i) {
        const auto* child = vxHierarchyItemCast<VxHierarchyBoneItem>(item->child(i));
        if (!child || !child->getBone() || items.contains(child->getBone()))
            return AssertionFailure() << where.toStdString() << ": child " << i << " is not a bone item of its own";
        items.insert(child->getBone(), child);
    }
    int count = 0;
    for (const VxFSHierarchyItem* bone = firstBone; bone; bone = bone->getNextSibling(), ++count) {
        if (!items.contains(bone))
            return AssertionFailure() << where.toStdString() << ": no item for " << bone->getName().toStdString();
        const AssertionResult result = checkBone(items.value(bone), bone, parametric);
        if (!result)
            return result;
    }
    if (count != items.size())
        return AssertionFailure() << where.toStdString() << ": " << items.size() << " bone items for " << count
                                  << " bones";
    return AssertionSuccess();
}

AssertionResult checkBone(const QTreeWidgetItem* item, const VxFSHierarchyItem* bone, bool parametric)
{
    const QString where = bone->getName();
    const int welds = bone->getNumWeldTargets();
    const QString weld = welds == 0 ? "<none>" : welds > 1 ? "<multiple>" : bone->getWeldTarget(0)->getName();
    const QString order = kOrders.value(bone->getRotationOrder().getOrder()) + (bone->getCurve() ? "(c)" : "");
    const QStringList texts = {bone->getName(), bone->getLabel(), order, weld};
    for (int column = 0; column < texts.size(); ++column) {
        const AssertionResult text = sameText(item, column, texts.at(column), where);
        if (!text)
            return text;
    }
    if (item->childCount() == 0)
        return AssertionFailure() << where.toStdString() << " has no geometry item";
    const AssertionResult geometry = checkGeometry(item->child(0), bone, parametric);
    if (!geometry)
        return geometry;
    return checkChildBones(item, 1, bone->getFirstChild(), parametric, where);
}

AssertionResult checkRegion(const QTreeWidgetItem* item, const VxFSRegionItem* region)
{
    const auto* regionItem = vxHierarchyItemCast<VxHierarchyRegionItem>(item);
    if (!regionItem || regionItem->getRegion() != region)
        return AssertionFailure() << "no item for region " << region->getName().toStdString();
    const AssertionResult text = sameText(item, 0, region->getName(), region->getName());
    if (!text)
        return text;
    QHash<const VxFSRegionItem*, const QTreeWidgetItem*> items;
    for (int i = 0; i < item->childCount(); ++i) {
        const auto* child = vxHierarchyItemCast<VxHierarchyRegionItem>(item->child(i));
        if (child)
            items.insert(child->getRegion(), child);
    }
    if (items.size() != item->childCount() || items.size() != region->getNumChildren(false))
        return AssertionFailure() << region->getName().toStdString() << " shows " << item->childCount()
                                  << " children for " << region->getNumChildren(false);
    for (const VxFSRegionItem* child = region->getFirstChild(); child; child = child->getNextSibling()) {
        const AssertionResult result = checkRegion(items.value(child), child);
        if (!result)
            return result;
    }
    return AssertionSuccess();
}

} // namespace

AssertionResult treeMirrorsDocument(const VxHierarchyEditorView& view)
{
    const VxFSHierarchy* document = view.getHierarchy();
    if (!document || view.topLevelItemCount() != 1 || view.topLevelItem(0)->type() != 4128)
        return AssertionFailure() << "the view shows no document";
    const bool parametric = document->getFigureType() == Poser;
    if (view.isColumnHidden(3) == parametric)
        return AssertionFailure() << "the weld column is " << (parametric ? "hidden" : "shown");
    const QTreeWidgetItem* root = view.topLevelItem(0);
    AssertionResult result = sameText(root, 0, document->getName(), "root");
    if (result)
        result = sameText(root, 1, document->getLabel(), "root");
    if (!result)
        return result;
    const QList<int> types = parametric ? QList<int>{4130, 4149} : QList<int>{4130, 4149, 4135};
    QList<int> shown;
    for (int i = 0; i < root->childCount(); ++i)
        shown.append(root->child(i)->type());
    if (shown != types)
        return AssertionFailure() << "the root's children are not base geometry, bones and regions";

    const VxFSGeomItem* base = document->getBaseGeometry();
    result = sameText(root->child(0), 0, base ? QString("Geometry: %1").arg(base->getIndex()) : "Geometry: <none>",
                      "base geometry");
    if (!result)
        return result;
    result = checkChildBones(root->child(1), 0, document->getFirstBone(), parametric, "Bones");
    if (!result)
        return result;
    if (parametric)
        return AssertionSuccess();
    const QTreeWidgetItem* regions = root->child(2);
    const VxFSRegionItem* rootRegion = document->getFirstRegion();
    if (regions->childCount() != (rootRegion ? 1 : 0))
        return AssertionFailure() << "\"Regions\" shows " << regions->childCount() << " root regions";
    return rootRegion ? checkRegion(regions->child(0), rootRegion) : AssertionSuccess();
}
