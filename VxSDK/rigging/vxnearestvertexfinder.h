#pragma once

#include "vxsdkglobal.h"
#include "vxvec3.h"

#include <memory>

class VxFacetMesh;

// Finds, for a point, the nearest vertex of a mesh: a k-d tree (nanoflann) over the
// mesh's vertex positions, built once in the constructor. The mesh must outlive the finder
// and keep its vertex positions meanwhile.
class VXSDK_EXPORT VxNearestVertexFinder
{
public:
    explicit VxNearestVertexFinder(const VxFacetMesh* mesh);
    ~VxNearestVertexFinder();
    VxNearestVertexFinder(const VxNearestVertexFinder&) = delete;
    VxNearestVertexFinder& operator=(const VxNearestVertexFinder&) = delete;

    bool isEmpty() const;
    // Index of the nearest vertex, or -1 when the mesh has none.
    int findNearest(const VxVec3& point) const;

private:
    struct Index;
    std::unique_ptr<Index> m_index;
};
