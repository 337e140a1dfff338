#include "vxfstemplatewriter.h"

#include "vxfsgeometrypath.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyiklink.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include <QDomDocument>
#include <QDomElement>
#include <QPair>
#include <QVector>

namespace {

QString boolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString rotationOrderText(const VxRotationOrder& order)
{
    return order.isValid() ? order.toString() : VxRotationOrder(VxRotationOrder::XYZ).toString();
}

void writeIKChain(const VxFSHierarchyIKChain& chain, QDomDocument& document, QDomElement& parent)
{
    QDomElement element = document.createElement(QStringLiteral("IKChain"));
    element.setAttribute(QStringLiteral("IKName"), chain.getName());
    element.setAttribute(QStringLiteral("IKActive"), boolText(chain.isActive()));
    for (int i = 0; i < chain.getNumLinks(); ++i) {
        const VxFSHierarchyIKLink* link = chain.getLink(i);
        QDomElement linkElement = document.createElement(QStringLiteral("IKLink"));
        linkElement.setAttribute(QStringLiteral("IKLinkBone"), link->getBone() ? link->getBone()->getName() : QString());
        linkElement.setAttribute(QStringLiteral("IKWeight"), QString::number(double(link->getWeight()), 'g', 6));
        element.appendChild(linkElement);
    }
    parent.appendChild(element);
}

// The nesting below a forest whose top-level items sit at `level`; `ownElements` tells
// whether an item writes elements of its own below its element.
template <class Item, class OwnElements>
int savedDepth(const Item* first, int level, OwnElements ownElements)
{
    int deepest = 0;
    QVector<QPair<const Item*, int>> pending;
    if (first)
        pending.append({first, level});
    while (!pending.isEmpty()) {
        const QPair<const Item*, int> next = pending.takeLast();
        deepest = qMax(deepest, next.second + (ownElements(next.first) ? 1 : 0));
        if (next.first->getNextSibling())
            pending.append({next.first->getNextSibling(), next.second});
        if (next.first->getFirstChild())
            pending.append({next.first->getFirstChild(), next.second + 1});
    }
    return deepest;
}

} // namespace

QDomDocument VxFSTemplateWriter::write(const VxFSHierarchy& hierarchy)
{
    QDomDocument document;
    QDomElement root = document.createElement(QStringLiteral("VexelHierarchyPreset"));
    root.setAttribute(QStringLiteral("Version"), QStringLiteral("1.0"));
    document.appendChild(root);
    writeFigureElement(hierarchy, document, root);
    return document;
}

void VxFSTemplateWriter::writeFigureElement(const VxFSHierarchy& hierarchy, QDomDocument& document,
                                            QDomElement& parent)
{
    QDomElement figure = document.createElement(QStringLiteral("Figure"));
    figure.setAttribute(QStringLiteral("Name"), hierarchy.getName());
    figure.setAttribute(QStringLiteral("Label"), hierarchy.getLabel());
    figure.setAttribute(QStringLiteral("FigureType"),
                        hierarchy.getFigureType() == Poser ? QStringLiteral("Poser") : QStringLiteral("SingleSkin"));
    // Before the bones, so that the reader has the base geometry when they take face groups.
    if (const VxFSGeomItem* base = hierarchy.getBaseGeometry())
        VxFSGeometryPath::appendElement(document, figure, QStringLiteral("AssignedGeom"), base->getPath());
    parent.appendChild(figure);

    for (const VxFSHierarchyItem* bone = hierarchy.getFirstBone(); bone; bone = bone->getNextSibling())
        writeElement(*bone, document, figure);
    for (int i = 0; i < hierarchy.getNumIKChains(); ++i)
        writeIKChain(*hierarchy.getIKChain(i), document, figure);
    for (const VxFSRegionItem* region = hierarchy.getFirstRegion(); region; region = region->getNextSibling())
        writeElement(*region, document, figure);
    for (int i = 0; i < hierarchy.getNumGeometries(); ++i)
        VxFSGeometryPath::appendElement(document, figure, QStringLiteral("GeomItem"), hierarchy.getGeometry(i)->getPath());
}

void VxFSTemplateWriter::writeElement(const VxFSHierarchyItem& bone, QDomDocument& document, QDomElement& parent)
{
    QDomElement element = document.createElement(QStringLiteral("Bone"));
    element.setAttribute(QStringLiteral("Name"), bone.getName());
    element.setAttribute(QStringLiteral("Label"), bone.getLabel());
    element.setAttribute(QStringLiteral("RotationOrder"), rotationOrderText(bone.getRotationOrder()));
    element.setAttribute(QStringLiteral("Curve"), boolText(bone.getCurve()));
    element.setAttribute(QStringLiteral("Twist"), boolText(bone.getTwist()));
    element.setAttribute(QStringLiteral("Bend"), boolText(bone.getBend()));
    element.setAttribute(QStringLiteral("Scale"), boolText(bone.getScale()));
    element.setAttribute(QStringLiteral("SideSide"), boolText(bone.getSideSide()));
    element.setAttribute(QStringLiteral("TwistBulge"), boolText(bone.getTwistBulge()));
    element.setAttribute(QStringLiteral("SideBulge"), boolText(bone.getSideBulge()));
    element.setAttribute(QStringLiteral("BendBulge"), boolText(bone.getBendBulge()));

    for (int i = 0; i < bone.getNumWeldTargets(); ++i) {
        QDomElement weld = document.createElement(QStringLiteral("WeldTarget"));
        weld.setAttribute(QStringLiteral("WeldTargetName"), bone.getWeldTarget(i)->getName());
        element.appendChild(weld);
    }
    if (const VxFSGeomGroup* group = bone.getGeomGroup()) {
        const VxFSGeomItem* item = group->getGeomItem();
        VxFSGeometryPath::appendElement(document, element, QStringLiteral("AssignedGeom"),
                                        item ? item->getPath() : QString())
            .setAttribute(QStringLiteral("GeomGroup"), group->getName());
    }
    for (int i = 0; i < bone.getNumAltGeometries(); ++i) {
        if (const VxFSGeomItem* item = bone.getAltGeometry(i))
            VxFSGeometryPath::appendElement(document, element, QStringLiteral("AltGeom"), item->getPath());
    }
    parent.appendChild(element);

    for (const VxFSHierarchyItem* child = bone.getFirstChild(); child; child = child->getNextSibling())
        writeElement(*child, document, element);
}

void VxFSTemplateWriter::writeElement(const VxFSRegionItem& region, QDomDocument& document, QDomElement& parent)
{
    QDomElement element = document.createElement(QStringLiteral("Region"));
    element.setAttribute(QStringLiteral("Name"), region.getName());
    parent.appendChild(element);
    for (const VxFSRegionItem* child = region.getFirstChild(); child; child = child->getNextSibling())
        writeElement(*child, document, element);
}

int VxFSTemplateWriter::savedDepth(const VxFSHierarchy& hierarchy)
{
    // Top-level bones and regions sit below the document element and the Figure.
    const int topLevel = 3;
    const int bones = ::savedDepth(hierarchy.getFirstBone(), topLevel, [](const VxFSHierarchyItem* bone) {
        return bone->getGeomGroup() || bone->getNumAltGeometries() > 0 || bone->getNumWeldTargets() > 0;
    });
    const int regions = ::savedDepth(hierarchy.getFirstRegion(), topLevel, [](const VxFSRegionItem*) { return false; });
    return qMax(bones, regions);
}
