#include "vxfstemplatereader.h"

#include "vxfsgeometrypath.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include <QDomDocument>
#include <QDomElement>

#include <cmath>

namespace {

// Bone switches are true only for the exact text "True".
bool readSwitch(const QDomElement& element, const QString& attribute, bool defaultValue)
{
    return element.attribute(attribute, defaultValue ? QStringLiteral("True") : QStringLiteral("False"))
           == QLatin1String("True");
}

// Templates hold one of the six upper-case names; anything else (even "zyx") is XYZ.
VxRotationOrder rotationOrderFromText(const QString& text)
{
    for (int order = VxRotationOrder::XYZ; order <= VxRotationOrder::ZYX; ++order) {
        if (text == VxRotationOrder(order).toString())
            return VxRotationOrder(order);
    }
    return VxRotationOrder(VxRotationOrder::XYZ);
}

// A link weight; what is not a finite number ("abc", "nan", "inf") reads as the default 1,
// since an infinite or undefined weight would break every IK solve of the figure.
float readWeight(const QDomElement& link)
{
    bool parsed = false;
    const float weight = link.attribute(QStringLiteral("IKWeight"), QStringLiteral("1.0")).toFloat(&parsed);
    return parsed && std::isfinite(weight) ? weight : 1.0f;
}

} // namespace

void VxFSTemplateReader::read(VxFSHierarchy& hierarchy, const QDomDocument& document)
{
    for (QDomNode node = document.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement preset = node.toElement();
        if (preset.isNull() || preset.tagName() != QLatin1String("VexelHierarchyPreset"))
            continue;
        for (QDomElement figure = preset.firstChildElement(QStringLiteral("Figure")); !figure.isNull();
             figure = figure.nextSiblingElement(QStringLiteral("Figure")))
            readFigureElement(hierarchy, figure);
    }
}

void VxFSTemplateReader::readFigureElement(VxFSHierarchy& hierarchy, const QDomElement& element)
{
    hierarchy.setName(element.attribute(QStringLiteral("Name"), QStringLiteral("Figure")));
    hierarchy.setLabel(element.attribute(QStringLiteral("Label"), QStringLiteral("Figure")));
    const QString type = element.attribute(QStringLiteral("FigureType"), QStringLiteral("SingleSkin"));
    hierarchy.setFigureType(type == QLatin1String("Poser") ? Poser : SingleSkin);

    for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        const QString tag = child.tagName();
        if (tag == QLatin1String("Bone")) {
            readElement(*new VxFSHierarchyItem(&hierarchy, QString()), child);
        } else if (tag == QLatin1String("AssignedGeom")) {
            // A base geometry that can not be loaded leaves the figure without one.
            if (!VxFSGeometryPath::read(child).isEmpty())
                hierarchy.setBaseGeometry(VxFSGeometryPath::addGeometry(hierarchy, child));
        } else if (tag == QLatin1String("GeomItem")) {
            VxFSGeometryPath::addGeometry(hierarchy, child);
        } else if (tag == QLatin1String("IKChain")) {
            readIKChain(hierarchy, child);
        } else if (tag == QLatin1String("Region")) {
            readElement(*new VxFSRegionItem(&hierarchy, QString()), child);
        }
    }
}

void VxFSTemplateReader::readElement(VxFSHierarchyItem& bone, const QDomElement& element)
{
    const QString orderText = element.attribute(QStringLiteral("RotationOrder"), QStringLiteral("XYZ"));
    bone.setName(element.attribute(QStringLiteral("Name"), QStringLiteral("Bone")));
    bone.setLabel(element.attribute(QStringLiteral("Label"), QStringLiteral("Bone")));
    bone.setRotationOrder(rotationOrderFromText(orderText));

    bone.setCurve(readSwitch(element, QStringLiteral("Curve"), false));
    bone.setTwist(readSwitch(element, QStringLiteral("Twist"), true));
    bone.setBend(readSwitch(element, QStringLiteral("Bend"), true));
    bone.setSideSide(readSwitch(element, QStringLiteral("SideSide"), true));
    bone.setScale(readSwitch(element, QStringLiteral("Scale"), true));
    bone.setTwistBulge(readSwitch(element, QStringLiteral("TwistBulge"), false));
    bone.setSideBulge(readSwitch(element, QStringLiteral("SideBulge"), false));
    bone.setBendBulge(readSwitch(element, QStringLiteral("BendBulge"), false));

    VxFSHierarchy* document = bone.getHierarchy();
    for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        const QString tag = child.tagName();
        if (tag == QLatin1String("Bone")) {
            readElement(*new VxFSHierarchyItem(&bone, QString()), child);
        } else if (tag == QLatin1String("AssignedGeom")) {
            VxFSGeomItem* item = document ? VxFSGeometryPath::addGeometry(*document, child) : nullptr;
            const QString groupName = child.attribute(QStringLiteral("GeomGroup"));
            if (item && !groupName.isEmpty())
                bone.setGeomGroup(item->findGroup(groupName));
        } else if (tag == QLatin1String("AltGeom")) {
            if (VxFSGeomItem* item = document ? VxFSGeometryPath::addGeometry(*document, child) : nullptr)
                bone.addAltGeometry(item);
        } else if (tag == QLatin1String("WeldTarget")) {
            // Only bones read before this one (its ancestors among them) can be found.
            const QString targetName = child.attribute(QStringLiteral("WeldTargetName"));
            VxFSHierarchyItem* target = document && !targetName.isEmpty() ? document->findBone(targetName) : nullptr;
            if (target)
                bone.addWeldTarget(target);
        }
    }
}

void VxFSTemplateReader::readElement(VxFSRegionItem& region, const QDomElement& element)
{
    region.setName(element.attribute(QStringLiteral("Name"), QStringLiteral("Region")));
    for (QDomElement child = element.firstChildElement(QStringLiteral("Region")); !child.isNull();
         child = child.nextSiblingElement(QStringLiteral("Region")))
        readElement(*new VxFSRegionItem(&region, QString()), child);
}

void VxFSTemplateReader::readIKChain(VxFSHierarchy& hierarchy, const QDomElement& element)
{
    // A chain without a name is dropped whole; links to bones the document does not have
    // (yet) are dropped. The chain joins the list without a signal.
    const QString name = element.attribute(QStringLiteral("IKName"));
    if (name.isEmpty())
        return;
    auto* chain = new VxFSHierarchyIKChain(name);
    chain->setActive(element.attribute(QStringLiteral("IKActive"), QStringLiteral("True")) != QLatin1String("False"));
    for (QDomElement link = element.firstChildElement(QStringLiteral("IKLink")); !link.isNull();
         link = link.nextSiblingElement(QStringLiteral("IKLink"))) {
        if (VxFSHierarchyItem* bone = hierarchy.findBone(link.attribute(QStringLiteral("IKLinkBone"))))
            chain->addLink(bone, readWeight(link));
    }
    hierarchy.adoptIKChain(chain);
}
