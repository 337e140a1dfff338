#pragma once

#include "vxsdkglobal.h"

#include <QStringList>

// The host's content types, offered in panes that publish content. The list is fixed.
class VXSDK_EXPORT VxAssetMgr
{
public:
    QStringList getTypes() const;
};
