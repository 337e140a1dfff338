#include "regioneditortest.h"

#include "vxfscreateregiondlg.h"
#include "vxfsgeometryregionmodel.h"
#include "vxfsgeometryregiontreeview.h"
#include "vxfsregioneditordlg.h"

#include "vxfigure.h"
#include "vxgeometryregion.h"
#include "vxmenurunner.h"
#include "vxshape.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include <functional>

CreateRegionAnswerer::CreateRegionAnswerer()
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &CreateRegionAnswerer::poll);
    m_timer.start();
}

void CreateRegionAnswerer::poll()
{
    auto* prompt = qobject_cast<VxFSCreateRegionDlg*>(QApplication::activeModalWidget());
    if (!prompt || !prompt->isVisible())
        return;
    ++m_prompts;
    if (m_answers.isEmpty()) {
        prompt->reject();
        return;
    }
    const QString name = m_answers.takeFirst();
    if (name.isNull()) {
        QTest::mouseClick(prompt->getCancelButton(), Qt::LeftButton);
        return;
    }
    prompt->getNameEdit()->setText(name);
    QTest::mouseClick(prompt->getAcceptButton(), Qt::LeftButton);
}

namespace {

VxGeometryRegion* addRegion(VxGeometryRegion* parent, const QString& label)
{
    auto* region = new VxGeometryRegion(label);
    region->setLabel(label);
    parent->addChildRegion(region);
    return region;
}

QString describe(const VxGeometryRegion* region)
{
    QStringList children;
    QListIterator<VxGeometryRegion*> it = region->geometryRegionChildItr();
    while (it.hasNext())
        children.append(describe(it.next()));
    return children.isEmpty() ? region->getLabel()
                              : region->getLabel() + QLatin1Char('(') + children.join(QLatin1Char(' ')) + QLatin1Char(')');
}

QString describeRows(const QAbstractItemModel* model, const QModelIndex& parent)
{
    QStringList rows;
    for (int r = 0; r < model->rowCount(parent); ++r) {
        const QModelIndex row = model->index(r, 0, parent);
        const QString children = describeRows(model, row);
        const QString label = row.data().toString();
        rows.append(children.isEmpty() ? label : label + QLatin1Char('(') + children + QLatin1Char(')'));
    }
    return rows.join(QLatin1Char(' '));
}

} // namespace

void RegionEditorTest::SetUp()
{
    VxSceneTest::SetUp();
    VxFacetMesh* mesh = vxMakeBoxMesh({{QStringLiteral("body"), {0, 1, 0}, {1, 2, 1}},
                                       {QStringLiteral("legs"), {0, 0, 0}, {1, 1, 1}}});
    m_figure = vxMakeFigure<VxFigure>(mesh, QStringLiteral("Figure"));
    m_shape = VxShape::getCurrentShapeForNode(m_figure);
    auto* root = new VxGeometryRegion(QStringLiteral("Actor"));
    root->setLabel(QStringLiteral("Actor"));
    VxGeometryRegion* body = addRegion(root, QStringLiteral("Body"));
    addRegion(body, QStringLiteral("Head"));
    VxGeometryRegion* arms = addRegion(body, QStringLiteral("Arms"));
    addRegion(arms, QStringLiteral("LeftArm"));
    addRegion(arms, QStringLiteral("RightArm"));
    addRegion(root, QStringLiteral("Legs"))->setRegionFacetIndices({6, 7, 8});
    m_shape->setGeometryRegion(root);
    openEditor();
}

void RegionEditorTest::TearDown()
{
    VxMenuRunner::clearAnswers();
    m_dialog.reset();
    VxSceneTest::TearDown();
}

void RegionEditorTest::openEditor()
{
    m_dialog = std::make_unique<VxFsRegionEditorDlg>(nullptr, m_figure);
    m_dialog->show();
}

VxFSGeometryRegionTreeView* RegionEditorTest::view() const
{
    return m_dialog->getTreeView();
}

VxFSGeometryRegionModel* RegionEditorTest::model() const
{
    return view()->getRegionModel();
}

QString RegionEditorTest::hostTree() const
{
    const VxGeometryRegion* root = m_shape->getGeometryRegion();
    return root ? describe(root) : QString();
}

QString RegionEditorTest::shownTree() const
{
    return describeRows(model(), QModelIndex());
}

VxGeometryRegion* RegionEditorTest::region(const QString& label) const
{
    VxGeometryRegion* root = m_shape->getGeometryRegion();
    return root ? root->findRegionByLabel(label, true) : nullptr;
}

QModelIndex RegionEditorTest::rowOf(const QString& label, int column) const
{
    const QModelIndexList found = model()->match(model()->index(0, 0), Qt::DisplayRole, label, 1,
                                                 Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? QModelIndex() : found.first().siblingAtColumn(column);
}

bool RegionEditorTest::drop(const QStringList& labels, const QString& onto)
{
    QModelIndexList dragged;
    for (const QString& label : labels)
        dragged.append(rowOf(label));
    std::unique_ptr<QMimeData> payload(model()->mimeData(dragged));
    if (!payload)
        return false;
    const QModelIndex target = onto.isEmpty() ? QModelIndex() : rowOf(onto);
    if (!model()->canDropMimeData(payload.get(), Qt::MoveAction, -1, -1, target))
        return false;
    return model()->dropMimeData(payload.get(), Qt::MoveAction, -1, -1, target);
}

void RegionEditorTest::select(const QStringList& labels)
{
    view()->clearSelection();
    for (const QString& label : labels)
        view()->selectionModel()->select(rowOf(label), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

QStringList RegionEditorTest::contextMenu(const QString& entry)
{
    VxMenuRunner::queueAnswer(entry.isEmpty() ? QStringList() : QStringList{entry});
    const QPoint at(10, 10);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, view()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view()->viewport(), &event);
    return VxMenuRunner::getLastMenu();
}
