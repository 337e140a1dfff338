#include "vxstylepixmaps.h"

#include "vxstyle.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// Fill and outline of each kind of thing.
const QColor SkinFill(0x3b, 0x9e, 0xde), SkinLine(0x1a, 0x55, 0x88);
const QColor PartFill(0xf0, 0xa0, 0x30), PartLine(0x8a, 0x50, 0x0c);
const QColor BoneFill(0xf4, 0xec, 0xd4), BoneLine(0x76, 0x64, 0x40);
const QColor FolderFill(0xe6, 0xbe, 0x5a), FolderLine(0x86, 0x64, 0x1c);
const QColor CubeTop(0x9c, 0xc0, 0xea), CubeLeft(0x6a, 0x96, 0xcc), CubeRight(0x44, 0x70, 0xa8),
    CubeLine(0x1e, 0x3c, 0x64);
const QColor MeshFill(0xd4, 0xdc, 0xcc), MeshPick(0x4c, 0xb8, 0x50), MeshLine(0x3c, 0x60, 0x40);
const QColor RegionFill(0xa6, 0x74, 0xd8), RegionLine(0x58, 0x2c, 0x8a);

void fillAndOutline(QPainter& painter, const QPainterPath& path, const QColor& fill, const QColor& line)
{
    painter.setPen(QPen(line, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(fill);
    painter.drawPath(path);
}

QPainterPath roundedRect(qreal x, qreal y, qreal w, qreal h, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), radius, radius);
    return path;
}

QPainterPath circle(qreal x, qreal y, qreal radius)
{
    QPainterPath path;
    path.addEllipse(QPointF(x, y), radius, radius);
    return path;
}

// A standing figure as head, torso, arms and legs; a single skin merges them into one
// outline, a parametric figure keeps them apart as separate body parts.
QList<QPainterPath> figureParts()
{
    return {circle(8, 3, 2.2),
            roundedRect(5.5, 5.8, 5, 5, 1.2),
            roundedRect(2.6, 6.2, 2.2, 5, 1.1),
            roundedRect(11.2, 6.2, 2.2, 5, 1.1),
            roundedRect(5.6, 11.4, 2.1, 4.1, 1),
            roundedRect(8.3, 11.4, 2.1, 4.1, 1)};
}

void paintSingleSkin(QPainter& painter)
{
    QPainterPath skin;
    for (const QPainterPath& part : figureParts())
        skin = skin.united(part);
    // Shoulders and hips join the parts the grid leaves apart.
    skin = skin.united(roundedRect(3, 5.8, 10, 2.4, 1.2)).united(roundedRect(5.6, 10, 4.8, 2.4, 0.8));
    fillAndOutline(painter, skin.simplified(), SkinFill, SkinLine);
}

void paintParametric(QPainter& painter)
{
    for (const QPainterPath& part : figureParts())
        fillAndOutline(painter, part, PartFill, PartLine);
}

QPainterPath bonePath()
{
    QPainterPath bone = roundedRect(-4.6, -1.1, 9.2, 2.2, 0.6);
    for (qreal end : {-4.8, 4.8}) {
        bone = bone.united(circle(end, -1.2, 1.6));
        bone = bone.united(circle(end, 1.2, 1.6));
    }
    return bone.simplified();
}

void paintBone(QPainter& painter, qreal scale, const QPointF& centre)
{
    painter.save();
    painter.translate(centre);
    painter.rotate(-45);
    painter.scale(scale, scale);
    painter.setPen(QPen(BoneLine, 1.0 / scale));
    painter.setBrush(BoneFill);
    painter.drawPath(bonePath());
    painter.restore();
}

QPainterPath polygon(const QList<QPointF>& corners)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(corners.toVector()));
    path.closeSubpath();
    return path;
}

// An isometric cube of edge `s` whose top corner is at `top`.
void paintCube(QPainter& painter, const QPointF& top, qreal s)
{
    const qreal w = s * 0.87;
    const qreal h = s * 0.5;
    const QPointF centre = top + QPointF(0, 2 * h);
    const QPointF left = top + QPointF(-w, h), right = top + QPointF(w, h);
    const QPointF bottom = centre + QPointF(0, s);
    fillAndOutline(painter, polygon({top, right, centre, left}), CubeTop, CubeLine);
    fillAndOutline(painter, polygon({left, centre, bottom, left + QPointF(0, s)}), CubeLeft, CubeLine);
    fillAndOutline(painter, polygon({centre, right, right + QPointF(0, s), bottom}), CubeRight, CubeLine);
}

void paintFolder(QPainter& painter)
{
    QPainterPath folder;
    folder.moveTo(1.5, 4);
    folder.lineTo(1.5, 2.5);
    folder.lineTo(6, 2.5);
    folder.lineTo(7.5, 4);
    folder.lineTo(14.5, 4);
    folder.lineTo(14.5, 13.5);
    folder.lineTo(1.5, 13.5);
    folder.closeSubpath();
    fillAndOutline(painter, folder, FolderFill, FolderLine);
}

void paintFaceGroup(QPainter& painter)
{
    // A 2 by 2 patch of quads split into triangles; three of them are the picked group.
    const qreal x0 = 1.5, y0 = 2.5, cell = 6.5, rise = 5.5;
    auto corner = [&](int i, int j) { return QPointF(x0 + i * cell, y0 + j * rise); };
    painter.setPen(QPen(MeshLine, 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (int j = 0; j < 2; ++j) {
        for (int i = 0; i < 2; ++i) {
            painter.setBrush(i == 1 && j == 0 ? MeshPick : MeshFill);
            painter.drawPath(polygon({corner(i, j), corner(i + 1, j), corner(i + 1, j + 1)}));
            painter.setBrush((i == 1 && j == 0) || (i == 0 && j == 1) ? MeshPick : MeshFill);
            painter.drawPath(polygon({corner(i, j), corner(i + 1, j + 1), corner(i, j + 1)}));
        }
    }
}

// A region is a patch of the skin: a rounded blob, filled when it owns facets and only
// outlined (dashed) when it owns none.
QPainterPath regionPath()
{
    QPainterPath blob;
    blob.moveTo(3, 6);
    blob.cubicTo(3, 2, 9, 1.5, 12, 3.5);
    blob.cubicTo(15, 5.5, 14.5, 11, 11, 13);
    blob.cubicTo(8, 14.8, 2.5, 13.5, 2.5, 10);
    blob.cubicTo(2.5, 8.5, 3, 7.2, 3, 6);
    blob.closeSubpath();
    return blob;
}

void paintRegion(QPainter& painter)
{
    fillAndOutline(painter, regionPath(), RegionFill, RegionLine);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 140));
    painter.drawEllipse(QPointF(6.5, 6), 1.6, 1.2);
}

void paintEmptyRegion(QPainter& painter)
{
    QPen dashed(RegionFill.darker(112), 1.5, Qt::CustomDashLine, Qt::RoundCap);
    dashed.setDashPattern({1.8, 1.6});
    painter.setPen(dashed);
    painter.setBrush(QColor(RegionFill.red(), RegionFill.green(), RegionFill.blue(), 45));
    painter.drawPath(regionPath());
}

} // namespace

QList<uint> VxStylePixmaps::ids()
{
    return {VxStyle::PixmapSingleSkinFigure, VxStyle::PixmapParametricFigure, VxStyle::PixmapBone,
            VxStyle::PixmapBonesContainer,   VxStyle::PixmapGeometry,         VxStyle::PixmapFaceGroup,
            VxStyle::PixmapGeometryContainer, VxStyle::PixmapEmptyRegion,     VxStyle::PixmapRegion};
}

bool VxStylePixmaps::contains(uint id)
{
    return ids().contains(id);
}

QPixmap VxStylePixmaps::paint(uint id, int size)
{
    if (!contains(id) || size < 1)
        return QPixmap();
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    switch (id) {
    case VxStyle::PixmapSingleSkinFigure:
        paintSingleSkin(painter);
        break;
    case VxStyle::PixmapParametricFigure:
        paintParametric(painter);
        break;
    case VxStyle::PixmapBone:
        paintBone(painter, 1.0, QPointF(8, 8));
        break;
    case VxStyle::PixmapBonesContainer:
        paintFolder(painter);
        paintBone(painter, 0.72, QPointF(8.5, 9));
        break;
    case VxStyle::PixmapGeometry:
        paintCube(painter, QPointF(8, 1.5), 6.5);
        break;
    case VxStyle::PixmapFaceGroup:
        paintFaceGroup(painter);
        break;
    case VxStyle::PixmapGeometryContainer:
        paintFolder(painter);
        paintCube(painter, QPointF(9.5, 5.5), 3.6);
        break;
    case VxStyle::PixmapEmptyRegion:
        paintEmptyRegion(painter);
        break;
    case VxStyle::PixmapRegion:
        paintRegion(painter);
        break;
    default:
        break;
    }
    return pixmap;
}
