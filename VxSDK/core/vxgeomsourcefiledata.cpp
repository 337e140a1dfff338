#include "vxgeomsourcefiledata.h"

VxGeomSourceFileData::VxGeomSourceFileData(const QString& sourceFilePath, const QString& groupName,
                                           QObject* parent)
    : VxDataItem(itemName(), parent), m_sourceFilePath(sourceFilePath), m_groupName(groupName)
{
}

VxGeomSourceFileData::~VxGeomSourceFileData() = default;
