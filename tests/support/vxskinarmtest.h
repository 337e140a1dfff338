#pragma once

#include "vxscenetest.h"

#include "vxvec3.h"

class VxBone;
class VxFacetMesh;
class VxFigure;

// A two-bone arm along X as a single-skin figure: box "upper" from x = 0 to 2 and box
// "lower" from 2 to 4 (unit height and depth), bones "upper" (origin (0, .5, .5)) and its
// child "lower" (origin (2, .5, .5)), each bound with an empty local map on every axis.
// Vertex 8 * box + corner, the corner's bits 4, 2, 1 choosing the maximum x, y, z.
class VxSkinArmTest : public VxSceneTest
{
protected:
    void SetUp() override;

    // Paints bone's local map on `axis` (all three when -1) at `vertex`, 0 to 1.
    void paint(VxBone* bone, int axis, int vertex, float weight);
    // Each box's vertices fully to its own bone, on every axis.
    void paintBoxes();
    void pose(VxBone* bone, const VxVec3& degrees);
    // The evaluated position of a vertex.
    VxVec3 posed(int vertex) const;
    const VxFacetMesh* evaluated() const;

    VxFacetMesh* m_mesh = nullptr;
    VxFigure* m_figure = nullptr;
    VxBone* m_upper = nullptr;
    VxBone* m_lower = nullptr;
};

#define EXPECT_VEC3_NEAR(actual, expected)                                                                            \
    do {                                                                                                              \
        const VxVec3 a_ = (actual), e_ = (expected);                                                                  \
        EXPECT_NEAR(a_.x, e_.x, 1e-5f) << "x";                                                                        \
        EXPECT_NEAR(a_.y, e_.y, 1e-5f) << "y";                                                                        \
        EXPECT_NEAR(a_.z, e_.z, 1e-5f) << "z";                                                                        \
    } while (false)
