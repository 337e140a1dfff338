// The views' internal drags: the 8-byte address payload and the warnings of misuse.
#include "vxfsitemdrag.h"

#include <QMimeData>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QStringList g_warnings;

void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtWarningMsg)
        g_warnings.append(message);
}

class WarningCollector
{
public:
    WarningCollector() : m_previous(qInstallMessageHandler(&collectWarnings)) { g_warnings.clear(); }
    ~WarningCollector() { qInstallMessageHandler(m_previous); }

private:
    QtMessageHandler m_previous;
};

} // namespace

TEST(ItemDragTest, EveryDragCarriesItsItemAddressUnderItsOwnTypeOnly)
{
    QWidget source;
    int bone = 0, region = 0, geometry = 0, group = 0, link = 0, chain = 0;
    auto* boneItem = reinterpret_cast<VxHierarchyBoneItem*>(&bone);
    auto* regionItem = reinterpret_cast<VxHierarchyRegionItem*>(&region);
    auto* geometryItem = reinterpret_cast<VxGeometryListItem*>(&geometry);
    auto* groupItem = reinterpret_cast<VxGeometryGroupListItem*>(&group);
    auto* linkItem = reinterpret_cast<VxIKLinkItem*>(&link);
    auto* chainItem = reinterpret_cast<VxIKChainItem*>(&chain);

    VxHierarchyBoneDrag boneDrag(boneItem, &source);
    VxHierarchyRegionDrag regionDrag(regionItem, &source);
    VxGeometryItemDrag geometryDrag(geometryItem, &source);
    VxGeometryGroupItemDrag groupDrag(groupItem, &source);
    VxIKLinkItemDrag linkDrag(linkItem, &source);
    VxIKChainItemDrag chainDrag(chainItem, &source);

    EXPECT_EQ(boneDrag.mimeData()->formats(), QStringList{"Vexelhost/hierarchybone-ptr"});
    EXPECT_EQ(regionDrag.mimeData()->formats(), QStringList{"Vexelhost/region-ptr"});
    EXPECT_EQ(geometryDrag.mimeData()->formats(), QStringList{"Vexelhost/geometryitem-ptr"});
    EXPECT_EQ(groupDrag.mimeData()->formats(), QStringList{"Vexelhost/geometrygroup-ptr"});
    EXPECT_EQ(linkDrag.mimeData()->formats(), QStringList{"Vexelhost/iklink-ptr"});
    EXPECT_EQ(chainDrag.mimeData()->formats(), QStringList{"Vexelhost/ikchain-ptr"});
    EXPECT_EQ(boneDrag.mimeData()->data("Vexelhost/hierarchybone-ptr").size(), 8);

    EXPECT_EQ(VxHierarchyBoneDrag::decodeHierarchyBoneItem(boneDrag.mimeData()), boneItem);
    EXPECT_EQ(VxHierarchyRegionDrag::decodeHierarchyRegionItem(regionDrag.mimeData()), regionItem);
    EXPECT_EQ(VxGeometryItemDrag::decodeGeometryItem(geometryDrag.mimeData()), geometryItem);
    EXPECT_EQ(VxGeometryGroupItemDrag::decodeGeometryGroupItem(groupDrag.mimeData()), groupItem);
    EXPECT_EQ(VxIKLinkItemDrag::decodeLinkItem(linkDrag.mimeData()), linkItem);
    EXPECT_EQ(VxIKChainItemDrag::decodeChainItem(chainDrag.mimeData()), chainItem);

    // A drag of another kind is not mistaken for this one.
    WarningCollector warnings;
    EXPECT_EQ(VxHierarchyBoneDrag::decodeHierarchyBoneItem(regionDrag.mimeData()), nullptr);
    EXPECT_EQ(VxIKChainItemDrag::decodeChainItem(linkDrag.mimeData()), nullptr);
    EXPECT_EQ(g_warnings,
              (QStringList{"MIME source passed to VxHierarchyBoneDrag::decodeHierarchyBoneItem() "
                           "does not provide Vexelhost/hierarchybone-ptr.",
                           "MIME source passed to VxIKChainItemDrag::decodeChainItem() "
                           "does not provide Vexelhost/ikchain-ptr."}));
}

TEST(ItemDragTest, ANullItemIsReportedAndAShortPayloadReadsAsZeroFilled)
{
    QWidget source;
    WarningCollector warnings;
    VxGeometryGroupItemDrag drag(nullptr, &source);
    EXPECT_EQ(g_warnings, QStringList{"NULL geometry group pointer passed to "
                                      "VxGeometryGroupItemDrag::VxGeometryGroupItemDrag()"});
    EXPECT_EQ(drag.mimeData()->data("Vexelhost/geometrygroup-ptr"), QByteArray(8, '\0'));

    // Only the bytes present count: a one-byte payload of 0x10 is the address 0x10 on a
    // little-endian machine, never a read past the end.
    QMimeData shortData;
    const QByteArray full = VxFSItemDrag::encodeAddress(reinterpret_cast<void*>(quintptr(0x10)));
    shortData.setData("Vexelhost/iklink-ptr", full.left(1));
    const quintptr decoded = reinterpret_cast<quintptr>(VxIKLinkItemDrag::decodeLinkItem(&shortData));
    EXPECT_EQ(decoded, full.at(0) == 0x10 ? quintptr(0x10) : quintptr(0));
}
