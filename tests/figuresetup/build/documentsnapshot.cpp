#include "documentsnapshot.h"

#include "buildtestsupport.h"

namespace {
QString geometryName(const VxFSGeomItem* item)
{
    if (!item)
        return QStringLiteral("(none)");
    return item->getPath().isEmpty() ? item->getShortName() : item->getPath();
}

void addRegions(const VxFSRegionItem* region, int depth, bool firstOnly, QStringList& out)
{
    for (; region; region = firstOnly ? nullptr : region->getNextSibling()) {
        out << QStringLiteral("region ") + QString(depth * 2, QLatin1Char(' ')) + region->getName();
        addRegions(region->getFirstChild(), depth + 1, false, out);
    }
}

void removeAll(QStringList& list, const QStringList& words)
{
    for (const QString& word : words)
        list.removeAll(word);
}
} // namespace

QString documentSnapshot(const VxFSHierarchy& document, SnapshotAs as)
{
    const bool parametric = as == SnapshotAs::ParametricCopy;
    const bool skin = as == SnapshotAs::SkinCopy;
    const bool copy = parametric || skin;
    QStringList lines;
    lines << QStringLiteral("document %1 | %2 | source %3 | type %4 | base %5")
                 .arg(document.getName(), document.getLabel(),
                      copy ? document.getName() : document.getSourceFigureName())
                 .arg(int(document.getFigureType()))
                 .arg(geometryName(document.getBaseGeometry()));
    for (const VxFSHierarchyItem* item : document.getAllBones()) {
        const auto* parent = qobject_cast<const VxFSHierarchyItem*>(item->parent());
        QStringList choices = choicesOf(item).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QStringList alternates, welds;
        for (int i = 0; i < item->getNumAltGeometries(); ++i)
            alternates << geometryName(item->getAltGeometry(i));
        for (int i = 0; i < item->getNumWeldTargets(); ++i)
            welds << item->getWeldTarget(i)->getName();
        if (parametric) {
            // Bulges are weight-map choices; a bone directly under the figure has no parent
            // joint, so it gets no bend and no smooth scaling. One weld target a bone: the last.
            removeAll(choices, {QStringLiteral("twistBulge"), QStringLiteral("sideBulge"), QStringLiteral("bendBulge")});
            if (!parent)
                removeAll(choices, {QStringLiteral("sideSide"), QStringLiteral("bend"), QStringLiteral("scale")});
            if (welds.size() > 1)
                welds = QStringList{welds.last()};
        } else if (skin) {
            // No curve, alternates or welds; a bulge binding only beside the local map of its axis.
            choices.removeAll(QStringLiteral("curve"));
            const char* bulges[][2] = {{"twist", "twistBulge"}, {"sideSide", "sideBulge"}, {"bend", "bendBulge"}};
            for (const auto& bulge : bulges) {
                if (!choices.contains(QLatin1String(bulge[0])))
                    choices.removeAll(QLatin1String(bulge[1]));
            }
            alternates.clear();
            welds.clear();
        }
        lines << QStringLiteral("bone %1 | %2 | source %3 | parent %4 | order %5 | labels %6/%7/%8 | group %9")
                     .arg(item->getName(), item->getLabel(), copy ? item->getName() : item->getSourceBoneName(),
                          parent ? parent->getName() : QString())
                     .arg(item->getRotationOrder().getOrder())
                     .arg(item->getAxis1Label(), item->getAxis2Label(), item->getAxis3Label(),
                          item->getGeomGroup() ? item->getGeomGroup()->getName() : QString());
        lines << QStringLiteral("  choices %1 | alternates %2 | welds %3")
                     .arg(choices.join(QLatin1Char(' ')), alternates.join(QLatin1Char(',')),
                          welds.join(QLatin1Char(',')));
    }
    for (int c = 0; !skin && c < document.getNumIKChains(); ++c) {
        const VxFSHierarchyIKChain* chain = document.getIKChain(c);
        QStringList links;
        for (int l = 0; l < chain->getNumLinks(); ++l)
            links << QStringLiteral("%1:%2").arg(chain->getLink(l)->getBone()->getName()).arg(double(chain->getLink(l)->getWeight()));
        // The goal, the last link's bone, comes back as an extra last link without weight.
        if (parametric && chain->getNumLinks() > 0)
            links << chain->getLink(chain->getNumLinks() - 1)->getBone()->getName() + QStringLiteral(":0");
        lines << QStringLiteral("chain %1 | active %2 | %3").arg(chain->getName()).arg(int(chain->isActive())).arg(links.join(QLatin1Char(' ')));
    }
    // Only the first top-level region tree becomes a single-skin figure's regions.
    if (!parametric)
        addRegions(document.getFirstRegion(), 0, skin, lines);
    return lines.join(QLatin1Char('\n'));
}
