#pragma once

#include "vxsdkglobal.h"

#include <vector>

class VxFacetMesh;
class VxLegacyFigure;

// Keeps the welded seams of a parametric figure closed. For every weld, each vertex of the
// welded bone's skin that lies on the target bone's skin in the rest shape (within a
// millionth of the mesh's size, so coincident seam vertices and a part whose end cap sits
// on its neighbour's face both count) is tied to the nearest point of the target's
// surface: a triangle of one of its facets and the point's barycentric coordinates. After
// posing, close() moves each tied vertex from its rest position by the displacement of that
// point of the triangle, so the seam cannot open whatever the two bones do, and a vertex
// whose triangle did not move keeps its rest position bit for bit. Vertices both bones
// share are left alone.
// Welds are applied in the figure's order; a vertex tied twice follows the later weld.
class VXSDK_EXPORT VxWeldCloser
{
public:
    VxWeldCloser() = default;
    VxWeldCloser(const VxLegacyFigure* figure, const VxFacetMesh* rest);

    // `rest` and `positions` hold the rest and the posed xyz of `vertexCount` vertices.
    void close(const float* rest, float* positions, int vertexCount) const;
    // How many vertices the welds tie.
    int numTies() const { return int(m_ties.size()); }

private:
    struct Tie
    {
        int vertex;
        int corners[3];
        float weights[3];
    };
    std::vector<Tie> m_ties;
};
