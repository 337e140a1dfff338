// Figure templates (.vxt): the document-level writer and reader of VxFSHierarchy. Bones and
// regions write and read their own elements (model/); the geometry-path attribute is
// VxFSGeometryPath's.
#include "vxfshierarchy.h"

#include "vxfsgeometrypath.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyiklink.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"
#include "vxfstemplatexml.h"
#include "vxfswarningbox.h"

#include "vxapp.h"

#include <QDomDocument>
#include <QDomElement>
#include <QFile>
#include <QPair>
#include <QSaveFile>
#include <QVector>

namespace {

const QString kPresetTag = QStringLiteral("VexelHierarchyPreset");
const QString kFigureTag = QStringLiteral("Figure");

QString figureTypeText(VxFigureSetupFigureType type)
{
    return type == Poser ? QStringLiteral("Poser") : QStringLiteral("SingleSkin");
}

QWidget* dialogParent()
{
    return vxApp ? vxApp->getDialogParent() : nullptr;
}

void log(const QString& line)
{
    if (vxApp)
        vxApp->log(line);
}

// A file that cannot be written or read: one box, one log line with the same text.
void reportFileError(const QString& text, const QString& logPrefix)
{
    VxFSWarningBox::show(QStringLiteral("Error opening file"), text, dialogParent());
    log(logPrefix + text);
}

// An IKChain element: dropped whole without a name; links to bones the document does not
// have (yet) are dropped. The chain joins the list without a signal.
void readIKChain(VxFSHierarchy& hierarchy, const QDomElement& element)
{
    const QString name = element.attribute(QStringLiteral("IKName"));
    if (name.isEmpty())
        return;
    auto* chain = new VxFSHierarchyIKChain(name);
    chain->setActive(element.attribute(QStringLiteral("IKActive"), QStringLiteral("True")) != QLatin1String("False"));
    for (QDomElement link = element.firstChildElement(QStringLiteral("IKLink")); !link.isNull();
         link = link.nextSiblingElement(QStringLiteral("IKLink"))) {
        VxFSHierarchyItem* bone = hierarchy.findBone(link.attribute(QStringLiteral("IKLinkBone")));
        bool parsed = false;
        float weight = link.attribute(QStringLiteral("IKWeight"), QStringLiteral("1.0")).toFloat(&parsed);
        if (!parsed)
            weight = 1.0f;
        if (bone)
            chain->addLink(bone, weight);
    }
    hierarchy.adoptIKChain(chain);
}

const QString kSaveLogPrefix = QStringLiteral("Error saving Hierarchy Preset: ");
const QString kReadLogPrefix = QStringLiteral("Error reading Hierarchy preset: ");

// How deep the elements of a saved bone or region forest nest, the document element counting
// as 1 (the forest hangs below it and the Figure): found without recursion, so that a
// forest too deep to be written is told before the writer's recursion starts.
// `ownElements` tells whether an item writes elements of its own below its element.
template <class Item, class OwnElements>
int savedDepth(const Item* first, OwnElements ownElements)
{
    int deepest = 0;
    QVector<QPair<const Item*, int>> pending;
    if (first)
        pending.append({first, 3});
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

int savedDepth(const VxFSHierarchy& hierarchy)
{
    const int bones = savedDepth(hierarchy.getFirstBone(), [](const VxFSHierarchyItem* bone) {
        return bone->getGeomGroup() || bone->getNumAltGeometries() > 0 || bone->getNumWeldTargets() > 0;
    });
    const int regions = savedDepth(hierarchy.getFirstRegion(), [](const VxFSRegionItem*) { return false; });
    return qMax(bones, regions);
}

} // namespace

void VxFSHierarchy::savePreset(const QString& fileName) const
{
    if (!getFirstBone()) {
        VxFSWarningBox::show(QStringLiteral("Can not save preset"),
                             QStringLiteral("An empty preset can not be saved!"), dialogParent());
        return;
    }
    // The reader refuses files nested deeper than this, so they are not written: nothing is.
    if (savedDepth(*this) > VxFSTemplateXml::MaxElementDepth) {
        const QString text = QStringLiteral("The figure nests its bones or regions too deeply to be saved as a "
                                            "template (more than %1 levels of elements).")
                                 .arg(VxFSTemplateXml::MaxElementDepth);
        VxFSWarningBox::show(QStringLiteral("Can not save preset"), text, dialogParent());
        log(kSaveLogPrefix + text);
        return;
    }

    QDomDocument document;
    QDomElement root = document.createElement(kPresetTag);
    root.setAttribute(QStringLiteral("Version"), QStringLiteral("1.0"));
    document.appendChild(root);
    writeFigureElement(document, root);

    // Written beside the old file and put in its place only once complete: a failure at any
    // point leaves an existing template as it was.
    const QString cannotWrite = QStringLiteral("Unable to open file \"%1\" for writing.").arg(fileName);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        reportFileError(cannotWrite, kSaveLogPrefix);
        return;
    }
    const QByteArray bytes = VxFSTemplateXml::serialize(document);
    if (file.write(bytes) != bytes.size() || !file.commit())
        reportFileError(cannotWrite, kSaveLogPrefix);
}

void VxFSHierarchy::writeFigureElement(QDomDocument& document, QDomElement& parent) const
{
    QDomElement figure = document.createElement(kFigureTag);
    figure.setAttribute(QStringLiteral("Name"), getName());
    figure.setAttribute(QStringLiteral("Label"), getLabel());
    figure.setAttribute(QStringLiteral("FigureType"), figureTypeText(getFigureType()));
    if (VxFSGeomItem* base = getBaseGeometry())
        VxFSGeometryPath::appendElement(document, figure, QStringLiteral("AssignedGeom"), base->getPath());
    parent.appendChild(figure);

    for (const VxFSHierarchyItem* bone = getFirstBone(); bone; bone = bone->getNextSibling())
        bone->writeElement(document, figure);
    for (int i = 0; i < getNumIKChains(); ++i) {
        const VxFSHierarchyIKChain* chain = getIKChain(i);
        QDomElement chainElement = document.createElement(QStringLiteral("IKChain"));
        chainElement.setAttribute(QStringLiteral("IKName"), chain->getName());
        chainElement.setAttribute(QStringLiteral("IKActive"),
                                  chain->isActive() ? QStringLiteral("True") : QStringLiteral("False"));
        for (int j = 0; j < chain->getNumLinks(); ++j) {
            const VxFSHierarchyIKLink* link = chain->getLink(j);
            QDomElement linkElement = document.createElement(QStringLiteral("IKLink"));
            linkElement.setAttribute(QStringLiteral("IKLinkBone"),
                                     link->getBone() ? link->getBone()->getName() : QString());
            linkElement.setAttribute(QStringLiteral("IKWeight"), QString::number(double(link->getWeight()), 'g', 6));
            chainElement.appendChild(linkElement);
        }
        figure.appendChild(chainElement);
    }
    for (const VxFSRegionItem* region = getFirstRegion(); region; region = region->getNextSibling())
        region->writeElement(document, figure);
    for (int i = 0; i < getNumGeometries(); ++i)
        VxFSGeometryPath::appendElement(document, figure, QStringLiteral("GeomItem"), getGeometry(i)->getPath());
}

void VxFSHierarchy::loadPreset(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        reportFileError(QStringLiteral("Unable to open file \"%1\" for reading.").arg(fileName), kReadLogPrefix);
        return;
    }
    const QByteArray bytes = file.readAll();
    file.close();

    // Malformed XML reads as an empty document, without a message; only a file too deep to
    // read safely is refused, and then the document is left as it was.
    QDomDocument document;
    if (VxFSTemplateXml::parse(bytes, document) == VxFSTemplateXml::Result::TooDeep) {
        const QString text = QStringLiteral("The template \"%1\" nests its elements more than %2 levels deep "
                                            "and can not be loaded.")
                                 .arg(fileName)
                                 .arg(VxFSTemplateXml::MaxElementDepth);
        VxFSWarningBox::show(QStringLiteral("Can not load preset"), text, dialogParent());
        log(kReadLogPrefix + text);
        return;
    }

    clear(true);
    for (QDomNode node = document.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement preset = node.toElement();
        if (preset.isNull() || preset.tagName() != kPresetTag)
            continue;
        for (QDomNode child = preset.firstChild(); !child.isNull(); child = child.nextSibling()) {
            const QDomElement figure = child.toElement();
            if (!figure.isNull() && figure.tagName() == kFigureTag)
                readFigureElement(figure);
        }
    }
}

void VxFSHierarchy::readFigureElement(const QDomElement& element)
{
    setName(element.attribute(QStringLiteral("Name"), QStringLiteral("Figure")));
    setLabel(element.attribute(QStringLiteral("Label"), QStringLiteral("Figure")));
    const QString type = element.attribute(QStringLiteral("FigureType"), QStringLiteral("SingleSkin"));
    setFigureType(type == QLatin1String("Poser") ? Poser : SingleSkin);

    for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        const QString tag = child.tagName();
        if (tag == QLatin1String("Bone")) {
            new VxFSHierarchyItem(this, child);
        } else if (tag == QLatin1String("AssignedGeom")) {
            // A base geometry that can not be loaded leaves the figure without one.
            if (!VxFSGeometryPath::read(child).isEmpty())
                setBaseGeometry(VxFSGeometryPath::addGeometry(*this, child));
        } else if (tag == QLatin1String("GeomItem")) {
            VxFSGeometryPath::addGeometry(*this, child);
        } else if (tag == QLatin1String("IKChain")) {
            readIKChain(*this, child);
        } else if (tag == QLatin1String("Region")) {
            new VxFSRegionItem(this, child);
        }
    }
}
