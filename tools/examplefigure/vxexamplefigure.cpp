#include "vxexamplefigure.h"

#include "vxfshierarchy.h"

#include "vxapp.h"
#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxcontentmgr.h"
#include "vxfigure.h"
#include "vxposechannels.h"
#include "vxscene.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"

#include <QDir>
#include <QFileInfo>

VxSkeleton* VxExampleFigure::build(Kind kind, const QString& examplesDir, QString* error)
{
    const auto fail = [error](const QString& message) -> VxSkeleton* {
        if (error)
            *error = message;
        return nullptr;
    };
    if (!vxApp || !vxScene)
        return fail(QStringLiteral("The example figure needs the application and scene objects."));
    const QString file = QDir(examplesDir).filePath(kind == SingleSkin ? QStringLiteral("figure.vxt")
                                                                       : QStringLiteral("figure.phi"));
    if (!QFileInfo(file).isFile())
        return fail(QStringLiteral("%1: no such file; give the examples folder of the repository.").arg(file));
    vxApp->getContentMgr()->addPoserDirectory(examplesDir);

    VxFSHierarchy document;
    if (kind == SingleSkin)
        document.loadPreset(file);
    else
        document.loadPHI(file);
    if (!document.getBaseGeometry())
        return fail(QStringLiteral("%1: the figure's mesh could not be loaded.").arg(file));
    const int before = vxScene->getNodes().size();
    document.createFigure(false);
    for (int i = before; i < vxScene->getNodes().size(); ++i) {
        if (auto* figure = qobject_cast<VxSkeleton*>(vxScene->getNodes().at(i)))
            return figure;
    }
    return fail(QStringLiteral("%1: no figure was created.").arg(file));
}

int VxExampleFigure::weightByFaceGroups(VxFigure* figure)
{
    if (!figure || !figure->getSkinBinding())
        return 0;
    int written = 0;
    const VxSkinBinding* skin = figure->getSkinBinding();
    for (int b = 0; b < skin->getNumBoneBindings(); ++b) {
        const VxBoneBinding* binding = skin->getBoneBinding(b);
        const std::vector<int>& vertices = figure->getVertexMap(binding->getBone());
        for (int axis = 0; axis < 3; ++axis) {
            VxWeightMap* map = binding->getLocalWeights(axis);
            if (!map)
                continue;
            for (int v : vertices)
                map->setWeight(v, VxWeightMap::kMaxWeight);
            written += int(vertices.size());
        }
    }
    return written;
}

void VxExampleFigure::pose(VxSkeleton* figure)
{
    if (!figure)
        return;
    // Degrees about X, Y and Z of the example humanoid's bones.
    const struct
    {
        const char* bone;
        VxVec3 degrees;
    } channels[] = {
        {"lShldr", VxVec3(0, 0, -60)}, {"lForeArm", VxVec3(0, -70, 0)}, {"rShldr", VxVec3(0, 0, 60)},
        {"rForeArm", VxVec3(0, 70, 0)}, {"lThigh", VxVec3(-50, 0, 0)},  {"lShin", VxVec3(70, 0, 0)},
        {"head", VxVec3(0, 30, 0)},
    };
    for (const auto& channel : channels) {
        if (VxBone* bone = figure->findBone(QLatin1String(channel.bone)))
            VxPoseChannels::setRotation(bone, channel.degrees);
    }
}
