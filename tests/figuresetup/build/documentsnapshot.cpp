#include "documentsnapshot.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyiklink.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

namespace {
QString geometryName(const VxFSGeomItem* item)
{
    if (!item)
        return QStringLiteral("(none)");
    return item->getPath().isEmpty() ? item->getShortName() : item->getPath();
}

void addRegions(const VxFSRegionItem* region, int depth, QStringList& out)
{
    for (; region; region = region->getNextSibling()) {
        out.append(QString(depth * 2, QLatin1Char(' ')) + region->getName());
        addRegions(region->getFirstChild(), depth + 1, out);
    }
}

QString flag(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}
} // namespace

DocumentSnapshot DocumentSnapshot::of(const VxFSHierarchy& document)
{
    DocumentSnapshot s;
    s.name = document.getName();
    s.label = document.getLabel();
    s.sourceFigureName = document.getSourceFigureName();
    s.base = geometryName(document.getBaseGeometry());
    s.figureType = int(document.getFigureType());
    for (const VxFSHierarchyItem* item : document.getAllBones()) {
        Bone b;
        b.name = item->getName();
        b.label = item->getLabel();
        b.sourceBoneName = item->getSourceBoneName();
        const auto* parent = qobject_cast<const VxFSHierarchyItem*>(item->parent());
        b.parent = parent ? parent->getName() : QString();
        b.rotationOrder = item->getRotationOrder().getOrder();
        b.axisLabels[0] = item->getAxis1Label();
        b.axisLabels[1] = item->getAxis2Label();
        b.axisLabels[2] = item->getAxis3Label();
        b.group = item->getGeomGroup() ? item->getGeomGroup()->getName() : QString();
        b.curve = item->getCurve();
        b.twist = item->getTwist();
        b.sideSide = item->getSideSide();
        b.bend = item->getBend();
        b.scale = item->getScale();
        b.twistBulge = item->getTwistBulge();
        b.sideBulge = item->getSideBulge();
        b.bendBulge = item->getBendBulge();
        for (int i = 0; i < item->getNumAltGeometries(); ++i)
            b.alternates.append(geometryName(item->getAltGeometry(i)));
        for (int i = 0; i < item->getNumWeldTargets(); ++i)
            b.weldTargets.append(item->getWeldTarget(i)->getName());
        s.bones.append(b);
    }
    for (int c = 0; c < document.getNumIKChains(); ++c) {
        const VxFSHierarchyIKChain* chain = document.getIKChain(c);
        Chain copy;
        copy.name = chain->getName();
        copy.active = chain->isActive();
        for (int l = 0; l < chain->getNumLinks(); ++l)
            copy.links.append({chain->getLink(l)->getBone()->getName(), chain->getLink(l)->getWeight()});
        s.chains.append(copy);
    }
    addRegions(document.getFirstRegion(), 0, s.regions);
    return s;
}

QString DocumentSnapshot::toText() const
{
    QStringList lines;
    lines << QStringLiteral("document %1 | %2 | source %3 | type %4 | base %5")
                 .arg(name, label, sourceFigureName)
                 .arg(figureType)
                 .arg(base);
    for (const Bone& b : bones) {
        lines << QStringLiteral("bone %1 | %2 | source %3 | parent %4 | order %5 | labels %6/%7/%8 | group %9")
                     .arg(b.name, b.label, b.sourceBoneName, b.parent)
                     .arg(b.rotationOrder)
                     .arg(b.axisLabels[0], b.axisLabels[1], b.axisLabels[2], b.group);
        lines << QStringLiteral("  choices c%1 t%2 s%3 b%4 sc%5 tb%6 sb%7 bb%8 | alternates %9 | welds %10")
                     .arg(flag(b.curve), flag(b.twist), flag(b.sideSide), flag(b.bend), flag(b.scale),
                          flag(b.twistBulge), flag(b.sideBulge), flag(b.bendBulge))
                     .arg(b.alternates.join(QLatin1Char(',')), b.weldTargets.join(QLatin1Char(',')));
    }
    for (const Chain& c : chains) {
        QStringList links;
        for (const auto& link : c.links)
            links << QStringLiteral("%1:%2").arg(link.first).arg(double(link.second));
        lines << QStringLiteral("chain %1 | active %2 | %3").arg(c.name, flag(c.active), links.join(QLatin1Char(' ')));
    }
    for (const QString& region : regions)
        lines << QStringLiteral("region ") + region;
    return lines.join(QLatin1Char('\n'));
}

DocumentSnapshot DocumentSnapshot::expectedParametricCopy() const
{
    DocumentSnapshot e = *this;
    e.sourceFigureName = name;
    e.regions.clear();
    for (Bone& b : e.bones) {
        b.sourceBoneName = b.name;
        // Bulges are weight-map choices; a bone directly under the figure has no parent
        // joint, so it gets no bend and no smooth scaling, and none is read back.
        b.twistBulge = b.sideBulge = b.bendBulge = false;
        if (b.parent.isEmpty())
            b.sideSide = b.bend = b.scale = false;
        // One weld target a bone: the last.
        if (b.weldTargets.size() > 1)
            b.weldTargets = QStringList{b.weldTargets.last()};
    }
    // The goal, the last link's bone, comes back as an extra last link without weight.
    for (Chain& c : e.chains) {
        if (!c.links.isEmpty())
            c.links.append({c.links.last().first, 0.0f});
    }
    return e;
}

DocumentSnapshot DocumentSnapshot::expectedSkinCopy() const
{
    DocumentSnapshot e = *this;
    e.sourceFigureName = name;
    e.chains.clear();
    // Only the first top-level region tree becomes the figure's regions.
    for (int i = 1; i < e.regions.size(); ++i) {
        if (!e.regions[i].startsWith(QLatin1Char(' '))) {
            e.regions = e.regions.mid(0, i);
            break;
        }
    }
    for (Bone& b : e.bones) {
        b.sourceBoneName = b.name;
        b.curve = false;
        // A bulge binding is made only beside the local map of its axis.
        b.twistBulge = b.twistBulge && b.twist;
        b.sideBulge = b.sideBulge && b.sideSide;
        b.bendBulge = b.bendBulge && b.bend;
        b.alternates.clear();
        b.weldTargets.clear();
    }
    return e;
}
