#include "vxfsshapesource.h"

#include "vxgeometry.h"
#include "vxgeomsourcefiledata.h"
#include "vxshape.h"

QString VxFSShapeSource::recordedPath(const VxShape* shape)
{
    if (!shape)
        return QString();
    const auto* record = qobject_cast<const VxGeomSourceFileData*>(
        shape->findDataItem(VxGeomSourceFileData::itemName()));
    return record ? record->getSourceFilePath() : QString();
}

QString VxFSShapeSource::filePath(const VxShape* shape)
{
    const QString recorded = recordedPath(shape);
    if (!recorded.isEmpty())
        return recorded;
    const VxGeometry* geometry = shape ? shape->getGeometry() : nullptr;
    return geometry ? geometry->getAssetUrl().toLocalFile() : QString();
}
