#pragma once

#include "vxsdkglobal.h"

#include <QPointer>
#include <QStringList>

#include <vector>

class VxBoneBinding;
class VxFigure;
class VxWeightMap;

// Transfers the rigging of one single-skin figure onto another built for a similar skin:
// for every bone of the target that the source has by name, the source bone's local,
// scale and bulge weight maps are copied onto the target's skin, each target vertex taking
// the weight of its nearest source vertex. Maps the target bone already has on those
// channels are overwritten; channels the source bone lacks are left alone.
class VXSDK_EXPORT VxTransferUtilityHelper
{
public:
    VxTransferUtilityHelper(VxFigure* source, VxFigure* target);
    ~VxTransferUtilityHelper();

    // True when at least one weight map was copied.
    bool doTransfer();

    // After doTransfer: the target bones that received maps, and those skipped because
    // the source has no bone of their name or that bone has no maps.
    const QStringList& getTransferredBones() const { return m_transferred; }
    const QStringList& getSkippedBones() const { return m_skipped; }

private:
    bool transferBone(const VxBoneBinding* from, VxBoneBinding* to);
    VxWeightMap* copyMap(const VxWeightMap* from, VxWeightMap* existing);
    bool prepareNearest();

    QPointer<VxFigure> m_source;
    QPointer<VxFigure> m_target;
    std::vector<int> m_nearest; // target vertex -> nearest source vertex
    QStringList m_transferred;
    QStringList m_skipped;
};
