#include "vxassetmgr.h"

QStringList VxAssetMgr::getTypes() const
{
    return {QStringLiteral("Figure"), QStringLiteral("Clothing"), QStringLiteral("Hair"),
            QStringLiteral("Prop"), QStringLiteral("Accessory")};
}
