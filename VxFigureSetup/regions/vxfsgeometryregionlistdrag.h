#pragma once

#include "vxmimedata.h"

#include <QList>

class QMimeData;
class VxGeometryRegion;

// The payload of a drag inside the region editor's tree: the number of dragged regions,
// then the 8-byte address of each. Addresses mean something only inside this process, so the
// tree that receives the drop checks them against the regions it shows before using one.
class VxFSGeometryRegionListDrag : public VxMimeData
{
    Q_OBJECT
public:
    static const char* const kMimeType; // "Vexelhost/geomregionptr-list"

    explicit VxFSGeometryRegionListDrag(const QList<VxGeometryRegion*>& regions);
    ~VxFSGeometryRegionListDrag() override;

    // The addresses carried by `source`, in drag order. A source without the format is a
    // programming error (drops check the format first): it is reported on the diagnostic
    // line and gives an empty list. A short payload gives the addresses read before it ends.
    static QList<VxGeometryRegion*> decode(const QMimeData* source);
};
