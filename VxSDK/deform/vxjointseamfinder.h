#pragma once

#include "vxsdkglobal.h"

#include <vector>

class VxSkinRegions;

// Finds where two regions of a skin meet: the seam a joint bends across. Two regions meet
// at vertices they share (a welded skin) and where one region's vertices lie on the other's
// surface, within `tolerance` of one of its facets (a skin built of separate pieces that
// touch, as box-built and kit-bashed figures are). Only the part of each region inside the
// other's box is looked at, so a seam costs what lies near it.
class VXSDK_EXPORT VxJointSeamFinder
{
public:
    VxJointSeamFinder(const VxSkinRegions& regions, float tolerance);

    // The seam vertices of regions a and b, from both sides, sorted, each once; empty when
    // the regions do not meet.
    std::vector<int> seam(int a, int b) const;

private:
    // Vertices of `from` inside `to`'s box that are `to`'s too or lie on its facets.
    void collect(int from, int to, std::vector<int>& out) const;

    const VxSkinRegions& m_regions;
    float m_tolerance;
};
