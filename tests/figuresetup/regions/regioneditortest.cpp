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
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

CreateRegionAnswerer::CreateRegionAnswerer()
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        auto* prompt = qobject_cast<VxFSCreateRegionDlg*>(QApplication::activeModalWidget());
        if (!prompt || !prompt->isVisible())
            return;
        ++prompts;
        const QString name = answers.isEmpty() ? QString() : answers.takeFirst();
        if (name.isNull())
            return prompt->reject();
        prompt->getNameEdit()->setText(name);
        QTest::mouseClick(prompt->getAcceptButton(), Qt::LeftButton);
    });
    m_timer.start();
}

VxGeometryRegion* addRegion(VxGeometryRegion* parent, const QString& label)
{
    auto* region = new VxGeometryRegion(label);
    region->setLabel(label);
    if (parent)
        parent->addChildRegion(region);
    return region;
}

namespace {

QString nested(const QString& label, const QStringList& children)
{
    return children.isEmpty() ? label : label + QLatin1Char('(') + children.join(QLatin1Char(' ')) + QLatin1Char(')');
}

QString describe(const VxGeometryRegion* region)
{
    QStringList children;
    for (int i = 0; i < region->numGeometryRegionChildren(); ++i)
        children.append(describe(region->getGeometryRegionChild(i)));
    return nested(region->getLabel(), children);
}

QStringList describeRows(const QAbstractItemModel* model, const QModelIndex& parent)
{
    QStringList rows;
    for (int r = 0; r < model->rowCount(parent); ++r)
        rows.append(nested(model->index(r, 0, parent).data().toString(), describeRows(model, model->index(r, 0, parent))));
    return rows;
}

} // namespace

void RegionEditorTest::SetUp()
{
    VxSceneTest::SetUp();
    m_figure = vxMakeFigure<VxFigure>(vxMakeBoxMesh({{QStringLiteral("body"), {0, 0, 0}, {1, 1, 1}}}), QStringLiteral("Figure"));
    m_shape = VxShape::getCurrentShapeForNode(m_figure);
    VxGeometryRegion* root = addRegion(nullptr, QStringLiteral("Actor"));
    VxGeometryRegion* body = addRegion(root, QStringLiteral("Body"));
    addRegion(body, QStringLiteral("Head"));
    VxGeometryRegion* arms = addRegion(body, QStringLiteral("Arms"));
    addRegion(arms, QStringLiteral("LeftArm"));
    addRegion(arms, QStringLiteral("RightArm"));
    addRegion(root, QStringLiteral("Legs"))->setRegionFacetIndices({3, 4});
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

QString RegionEditorTest::tree() const
{
    const QString host = m_shape && m_shape->getGeometryRegion() ? describe(m_shape->getGeometryRegion()) : QString();
    EXPECT_EQ(describeRows(model(), QModelIndex()).join(QLatin1Char(' ')), host) << "the view shows another tree";
    return host;
}

VxGeometryRegion* RegionEditorTest::region(const QString& label) const
{
    return m_shape->getGeometryRegion()->findRegionByLabel(label, true);
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
    const QModelIndex target = onto.isEmpty() ? QModelIndex() : rowOf(onto);
    return payload && model()->canDropMimeData(payload.get(), Qt::MoveAction, -1, -1, target)
        && model()->dropMimeData(payload.get(), Qt::MoveAction, -1, -1, target);
}

QStringList RegionEditorTest::contextMenu(const QStringList& selection, const QString& entry)
{
    view()->clearSelection();
    for (const QString& label : selection)
        view()->selectionModel()->select(rowOf(label), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    VxMenuRunner::queueAnswer(entry.isEmpty() ? QStringList() : QStringList{entry});
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), view()->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(view()->viewport(), &event);
    return VxMenuRunner::getLastMenu();
}
