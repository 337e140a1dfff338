#include "vxbuiltinfactories.h"

#include "vxapp.h"
#include "vxbone.h"
#include "vxclassfactory.h"
#include "vxdefaultmaterial.h"
#include "vxfacetshape.h"
#include "vxfigure.h"
#include "vxgraftingfigureshape.h"
#include "vxlegacybinding.h"
#include "vxlegacyfigure.h"
#include "vxlegacyikchains.h"
#include "vxposeriktargetflag.h"
#include "vxweightsfromfacegroupsaction.h"

QList<VxClassFactory*> vxCreateBuiltinFactories()
{
    return {
        new VxTHostClassFactory<VxDefaultMaterial>(VxGuid(QStringLiteral("6F1C2A10-3B7D-4E52-9A61-0C5D8E2F4B11"))),
        new VxTHostClassFactory<VxFacetShape>(VxGuid(QStringLiteral("2B9E4C77-81A0-4F3D-B6E2-5D7A9C1E3F22"))),
        new VxTHostClassFactory<VxGraftingFigureShape>(VxGuid(QStringLiteral("8D3A61F0-2C4B-4E9A-B1D7-5E6F70812A33"))),
        new VxTHostClassFactory<VxFigure>(VxGuid(QStringLiteral("4C7E9B12-6A3D-4F10-8E2B-9D1C3A5F7B44"))),
        new VxTHostClassFactory<VxLegacyFigure>(VxGuid(QStringLiteral("A19F2E35-7B6C-4D81-9F03-2E4A6C8B0D55"))),
        new VxTHostClassFactory<VxBone>(VxGuid(QStringLiteral("5E2B8C47-1D9F-4A62-B3E5-7F0A2C4D6E66"))),
        new VxTHostClassFactory<VxLegacyBinding>(VxGuid(QStringLiteral("B63D0F59-8E2A-4C17-A4F6-1B3D5E7F9A77"))),
        new VxTHostClassFactory<VxLegacyIKChains>(VxGuid(QStringLiteral("7F4A1C6B-3E5D-4B28-95C7-0D2E4F6A8B88"))),
        new VxTHostClassFactory<VxPoserIKTargetFlag>(VxGuid(QStringLiteral("C85E2A7D-9F1B-4E39-A6D8-3F5B7C9E1D99"))),
        new VxTHostClassFactory<VxWeightsFromFaceGroupsAction>(VxGuid(QStringLiteral("3A8D5F21-C47E-4B96-8E0A-6D2F9B1C4E17"))),
    };
}

namespace {
const bool g_adoptedByEveryApplication = VxApp::registerExtension([](VxApp& app) {
    for (VxClassFactory* factory : vxCreateBuiltinFactories())
        app.adoptBuiltinFactory(factory);
});
} // namespace
