#include "vxbuiltinfactories.h"

#include "vxclassfactory.h"
#include "vxdefaultmaterial.h"
#include "vxfacetshape.h"

QList<VxClassFactory*> vxCreateBuiltinFactories()
{
    return {
        new VxTHostClassFactory<VxDefaultMaterial>(VxGuid(QStringLiteral("6F1C2A10-3B7D-4E52-9A61-0C5D8E2F4B11"))),
        new VxTHostClassFactory<VxFacetShape>(VxGuid(QStringLiteral("2B9E4C77-81A0-4F3D-B6E2-5D7A9C1E3F22"))),
    };
}
