#pragma once

#include <QByteArray>
#include <QDrag>

class QMimeData;
class QWidget;
class VxGeometryGroupListItem;
class VxGeometryListItem;
class VxHierarchyBoneItem;
class VxHierarchyRegionItem;
class VxIKChainItem;
class VxIKLinkItem;

// The drags between the Figure Setup pane's views. Each carries one MIME type whose data is
// exactly 8 bytes: the address of the dragged tree item in native byte order. The address is
// meaningful only inside this process; the view that receives the drop decodes it back into
// the item. Drops are tested by building the QMimeData a drag would carry (mimeData()), so
// nothing here depends on a running drag.
class VxFSItemDrag : public QDrag
{
    Q_OBJECT
public:
    // The 8 bytes that stand for `item`.
    static QByteArray encodeAddress(const void* item);

protected:
    // Stores the item's address under `mimeType`. A null item is a caller's mistake: it is
    // reported with `nullWarning` and the (zero) address is stored all the same.
    VxFSItemDrag(const char* mimeType, const void* item, QWidget* source, const char* nullWarning);

    // The address carried under `mimeType`, or null when the source lacks that format (then
    // a warning names `decoder`). Bytes missing from a shorter payload count as zero.
    static void* decodeAddress(const QMimeData* source, const char* mimeType, const char* decoder);
};

class VxHierarchyBoneDrag : public VxFSItemDrag
{
    Q_OBJECT
public:
    static const char* const kMimeType; // "Vexelhost/hierarchybone-ptr"
    VxHierarchyBoneDrag(VxHierarchyBoneItem* item, QWidget* source);
    static VxHierarchyBoneItem* decodeHierarchyBoneItem(const QMimeData* source);
};

class VxHierarchyRegionDrag : public VxFSItemDrag
{
    Q_OBJECT
public:
    static const char* const kMimeType; // "Vexelhost/region-ptr"
    VxHierarchyRegionDrag(VxHierarchyRegionItem* item, QWidget* source);
    static VxHierarchyRegionItem* decodeHierarchyRegionItem(const QMimeData* source);
};

class VxGeometryItemDrag : public VxFSItemDrag
{
    Q_OBJECT
public:
    static const char* const kMimeType; // "Vexelhost/geometryitem-ptr"
    VxGeometryItemDrag(VxGeometryListItem* item, QWidget* source);
    static VxGeometryListItem* decodeGeometryItem(const QMimeData* source);
};

class VxGeometryGroupItemDrag : public VxFSItemDrag
{
    Q_OBJECT
public:
    static const char* const kMimeType; // "Vexelhost/geometrygroup-ptr"
    VxGeometryGroupItemDrag(VxGeometryGroupListItem* item, QWidget* source);
    static VxGeometryGroupListItem* decodeGeometryGroupItem(const QMimeData* source);
};

class VxIKLinkItemDrag : public VxFSItemDrag
{
    Q_OBJECT
public:
    static const char* const kMimeType; // "Vexelhost/iklink-ptr"
    VxIKLinkItemDrag(VxIKLinkItem* item, QWidget* source);
    static VxIKLinkItem* decodeLinkItem(const QMimeData* source);
};

class VxIKChainItemDrag : public VxFSItemDrag
{
    Q_OBJECT
public:
    static const char* const kMimeType; // "Vexelhost/ikchain-ptr"
    VxIKChainItemDrag(VxIKChainItem* item, QWidget* source);
    static VxIKChainItem* decodeChainItem(const QMimeData* source);
};
