#include "viewmirror.h"

#include "vxgeometrylistview.h"
#include "vxikchainitem.h"
#include "vxiklinkitem.h"
#include "vxiklistview.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyiklink.h"
#include "vxfshierarchyitem.h"


namespace ViewMirror {

namespace {
QString chainLine(const QString& name, bool active, const QStringList& links)
{
    return QStringLiteral("%1[%2]: %3").arg(name, active ? "on" : "off", links.join(", "));
}

} // namespace

QStringList chainsOf(const VxFSHierarchy& document)
{
    QStringList lines;
    for (int i = 0; i < document.getNumIKChains(); ++i) {
        const VxFSHierarchyIKChain* chain = document.getIKChain(i);
        QStringList links;
        for (int l = 0; l < chain->getNumLinks(); ++l) {
            const VxFSHierarchyIKLink* link = chain->getLink(l);
            const bool goal = l == chain->getNumLinks() - 1;
            links.append(link->getBone()->getName() + '='
                         + (goal ? QStringLiteral("<Goal>") : QString::number(double(link->getWeight()), 'g', 6)));
        }
        lines.append(chainLine(chain->getName(), chain->isActive(), links));
    }
    return lines;
}

QStringList chainsOf(const VxIKListView& view)
{
    QStringList lines;
    for (int i = 0; i < view.topLevelItemCount(); ++i) {
        auto* chainItem = static_cast<VxIKChainItem*>(view.topLevelItem(i));
        QStringList links;
        for (VxIKLinkItem* link = chainItem->firstLinkItem(); link; link = link->nextLinkItem()) {
            if (link->childCount() > 1)
                links.append(QStringLiteral("<more than one next link>"));
            links.append(link->text(0) + '=' + link->text(1).trimmed());
        }
        lines.append(chainLine(chainItem->text(0), chainItem->checkState(0) == Qt::Checked, links));
    }
    return lines;
}

QStringList geometriesOf(const VxFSHierarchy& document)
{
    QStringList lines;
    for (int i = 0; i < document.getNumGeometries(); ++i) {
        const VxFSGeomItem* geometry = document.getGeometry(i);
        QStringList groups;
        for (int g = 0; g < geometry->getNumGroups(); ++g)
            groups.append(geometry->getGroup(g)->getName());
        groups.sort();
        lines.append(QStringLiteral("%1|%2|%3").arg(geometry->getShortName()).arg(i).arg(groups.join(',')));
    }
    lines.sort();
    return lines;
}

QStringList geometriesOf(const VxGeometryListView& view)
{
    QStringList lines;
    for (int i = 0; i < view.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = view.topLevelItem(i);
        QStringList groups;
        for (int g = 0; g < item->childCount(); ++g)
            groups.append(item->child(g)->text(0));
        lines.append(QStringLiteral("%1|%2|%3").arg(item->text(0), item->text(1), groups.join(',')));
    }
    return lines;
}

} // namespace ViewMirror
