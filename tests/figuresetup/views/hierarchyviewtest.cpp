#include "hierarchyviewtest.h"

#include "viewuser.h"

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
#include <QDropEvent>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidgetItemIterator>

#include <algorithm>

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

namespace {
QTreeWidgetItem* findItem(QTreeWidget& view, const std::function<bool(QTreeWidgetItem*)>& wanted)
{
    for (QTreeWidgetItemIterator it(&view); *it; ++it) {
        if (wanted(*it))
            return *it;
    }
    return nullptr;
}

QPoint cellCentre(QTreeWidget& view, QTreeWidgetItem* item, int column)
{
    view.scrollToItem(item);
    // The scroll waits for the view's delayed layout after a change of the tree.
    QCoreApplication::processEvents();
    return QPoint(view.header()->sectionViewportPosition(column) + view.header()->sectionSize(column) / 2,
                  view.visualItemRect(item).center().y());
}

// A right click: the press closes an open editor and selects an item not selected yet,
// then the view is asked for its menu.
void rightClick(QTreeWidget& view, QTreeWidgetItem* item, int column)
{
    QTest::mouseClick(view.viewport(), Qt::RightButton, Qt::NoModifier, cellCentre(view, item, column));
    ViewUser::rightClick(view, item, column);
}
} // namespace

VxHierarchyBoneItem* HierarchyViewTest::boneItem(const QString& name) const
{
    return static_cast<VxHierarchyBoneItem*>(ViewUser::boneItem(*m_view, name));
}

VxHierarchyRegionItem* HierarchyViewTest::regionItem(const QString& name) const
{
    return static_cast<VxHierarchyRegionItem*>(findItem(*m_view, [&name](QTreeWidgetItem* item) {
        auto* region = vxHierarchyItemCast<VxHierarchyRegionItem>(item);
        return region && region->getRegion() && region->getRegion()->getName() == name;
    }));
}

QTreeWidgetItem* HierarchyViewTest::itemOfType(int type) const
{
    return findItem(*m_view, [type](QTreeWidgetItem* item) { return item->type() == type; });
}

void HierarchyViewTest::select(const QList<QTreeWidgetItem*>& items) const
{
    m_view->clearSelection();
    for (QTreeWidgetItem* item : items)
        item->setSelected(true);
}

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
    // The entry's path from the menu's description: "Region Menu > Add Child Region [20]".
    const QRegularExpression entry(QStringLiteral("^(.*) \\[%1[],]").arg(id));
    for (const QString& line : menuAt(item, column)) {
        const QRegularExpressionMatch match = entry.match(line);
        if (match.hasMatch()) {
            VxMenuRunner::queueAnswer(match.captured(1).split(QStringLiteral(" > ")));
            rightClick(*m_view, item, column);
            return true;
        }
    }
    return false;
}

bool HierarchyViewTest::rename(QTreeWidgetItem* item, int column, const QString& text) const
{
    return ViewUser::typeRename(*m_view, item, column, text);
}

bool HierarchyViewTest::dragMoveAccepted(QTreeWidgetItem* item, const QMimeData& data) const
{
    return ViewUser::accepts(*m_view, item, data);
}

bool HierarchyViewTest::drop(QTreeWidgetItem* item, const QMimeData& data) const
{
    // Dropped even where the move was refused: nothing guarantees that a drop follows an
    // accepted move, so the view checks again.
    ViewUser::accepts(*m_view, item, data);
    QDropEvent event(cellCentre(*m_view, item, 0), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_view->viewport(), &event);
    return event.isAccepted();
}

std::unique_ptr<QMimeData> HierarchyViewTest::dragData(QTreeWidgetItem* item) const
{
    select({item});
    const std::unique_ptr<QDrag> drag(m_view->dragObject());
    return drag ? payload(*drag) : std::make_unique<QMimeData>();
}

std::unique_ptr<QMimeData> payload(const QDrag& drag)
{
    auto data = std::make_unique<QMimeData>();
    for (const QString& format : drag.mimeData()->formats())
        data->setData(format, drag.mimeData()->data(format));
    return data;
}

// ---- The tree against the document ---------------------------------------------------

namespace {

// One line per item, indented by depth: its type code and texts (all four columns for the
// document and bones). Siblings are sorted after the first `fixed` ones, since the tree
// orders child bones and regions unlike the model by design; a bone's geometry item stays
// first, and the document's children keep their order.
using Outline = QStringList;

Outline block(const QString& line, QList<Outline> children, int fixed = 0)
{
    std::sort(children.begin() + qMin(fixed, children.size()), children.end());
    Outline lines{line};
    for (const Outline& child : qAsConst(children)) {
        for (const QString& childLine : child)
            lines.append(QStringLiteral("  ") + childLine);
    }
    return lines;
}

Outline shown(const QTreeWidgetItem* item)
{
    QList<Outline> children;
    for (int i = 0; i < item->childCount(); ++i)
        children.append(shown(item->child(i)));
    const bool fourColumns = item->type() == 4128 || item->type() == 4129;
    QString line = QString::number(item->type()) + " " + item->text(0);
    if (fourColumns)
        line += " | " + item->text(1) + " | " + item->text(2) + " | " + item->text(3);
    return block(line.trimmed(), children, item->type() == 4128 ? children.size() : item->type() == 4129 ? 1 : 0);
}

QString geometryIndex(const VxFSGeomItem* geometry)
{
    return geometry ? QString::number(geometry->getIndex()) : QStringLiteral("<none>");
}

Outline expected(const VxFSHierarchyItem* bone, bool parametric)
{
    const VxFSGeomGroup* group = bone->getGeomGroup();
    const QString groupText = (parametric ? "Base: " : "Selection Group: ")
                              + (group ? geometryIndex(group->getGeomItem()) + ": " + group->getName() : "<none>");
    QList<Outline> children;
    if (parametric) {
        QList<Outline> alternates;
        for (int i = 0; i < bone->getNumAltGeometries(); ++i)
            alternates.append({"4133 Alt Geom: " + geometryIndex(bone->getAltGeometry(i))});
        children.append(block("4134 Geometry", {{"4131 " + groupText}, block("4132 Alternate(s)", alternates)}));
    } else {
        children.append({"4131 " + groupText});
    }
    for (const VxFSHierarchyItem* child = bone->getFirstChild(); child; child = child->getNextSibling())
        children.append(expected(child, parametric));
    static const QStringList orders = {"XYZ", "XZY", "YXZ", "YZX", "ZXY", "ZYX"};
    const int welds = bone->getNumWeldTargets();
    const QString weld = welds == 0 ? "<none>" : welds > 1 ? "<multiple>" : bone->getWeldTarget(0)->getName();
    const QString order = orders.value(bone->getRotationOrder().getOrder()) + (bone->getCurve() ? "(c)" : "");
    return block(QStringList{"4129 " + bone->getName(), bone->getLabel(), order, weld}.join(" | "), children, 1);
}

Outline expected(const VxFSRegionItem* region)
{
    QList<Outline> children;
    for (const VxFSRegionItem* child = region->getFirstChild(); child; child = child->getNextSibling())
        children.append(expected(child));
    return block("4136 " + region->getName(), children);
}

Outline expected(const VxFSHierarchy& document)
{
    const bool parametric = document.getFigureType() == Poser;
    QList<Outline> bones;
    for (const VxFSHierarchyItem* bone = document.getFirstBone(); bone; bone = bone->getNextSibling())
        bones.append(expected(bone, parametric));
    QList<Outline> children = {{"4130 Geometry: " + geometryIndex(document.getBaseGeometry())}, block("4149 Bones", bones)};
    if (!parametric) {
        const VxFSRegionItem* root = document.getFirstRegion();
        children.append(block("4135 Regions", root ? QList<Outline>{expected(root)} : QList<Outline>{}));
    }
    const QString line = QStringList{"4128 " + document.getName(), document.getLabel(), "", ""}.join(" | ");
    return block(line.trimmed(), children, children.size());
}

} // namespace

::testing::AssertionResult treeMirrorsDocument(const VxHierarchyEditorView& view)
{
    const VxFSHierarchy* document = view.getHierarchy();
    if (!document || view.topLevelItemCount() != 1)
        return ::testing::AssertionFailure() << "the view shows no document";
    const bool parametric = document->getFigureType() == Poser;
    if (view.isColumnHidden(3) == parametric)
        return ::testing::AssertionFailure() << "the weld column is " << (parametric ? "hidden" : "shown");
    const Outline want = expected(*document);
    const Outline got = shown(view.topLevelItem(0));
    if (got == want)
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    for (int i = 0; i < qMax(got.size(), want.size()); ++i) {
        if (got.value(i) != want.value(i)) {
            failure << "line " << i << ": shown \"" << got.value(i).toStdString() << "\", expected \""
                    << want.value(i).toStdString() << "\"";
            break;
        }
    }
    return failure;
}
