#pragma once

#include "vxgeodesicdistance.h"

#include <vector>

class VxSkinRegions;

// Finds where two regions of a skin meet: the seam a joint bends across. Two regions meet
// at vertices they share (a welded skin) and where one region's vertices lie on the other's
// surface, within `tolerance` of one of its facets (a skin built of separate pieces that
// touch, as box-built and kit-bashed figures are). Only the part of each region inside the
// other's box is looked at, so a seam costs what lies near it.
//
// Where pieces touch, the seam is a patch rather than a line: a small piece's end lies
// inside a larger facet of the other. The corners of such a facet are part of the seam too,
// each as far from it as from the nearest vertex lying on the facet, so that distances
// along the larger piece start from where the smaller one really touches it.
class VXSDK_EXPORT VxJointSeamFinder
{
public:
    VxJointSeamFinder(const VxSkinRegions& regions, float tolerance);

    using Seed = VxGeodesicDistance::Seed;

    // The seam of regions a and b from both sides, sorted by vertex, each vertex once with
    // its distance from the seam (0 for vertices on it); empty when the regions do not meet.
    std::vector<Seed> seam(int a, int b) const;

private:
    // Vertices of `from` inside `to`'s box that are `to`'s too or lie on its facets, and the
    // corners of the facets they lie on.
    void collect(int from, int to, std::vector<Seed>& out) const;

    const VxSkinRegions& m_regions;
    float m_tolerance;
    // Marks for the current call; one finder serves one thread.
    mutable std::vector<int> m_stamp;
    mutable int m_stampValue = 0;
};
