#pragma once

#include "vxscenetest.h"

#include <QStringList>

class VxBone;
class VxFacetMesh;
class VxFSGeomItem;
class VxFSHierarchy;
class VxNode;
class VxSkeleton;

// Builds the test's scene pieces by hand, so that the builders' parts can be checked one
// at a time against known numbers.
class BuildTest : public VxSceneTest
{
protected:
    // Gives the document an in-memory base geometry: a facet shape of `mesh` named `name`,
    // with one default material per entry of `materials`, shown by a geometry item the
    // way a copied figure's shape is (no file path). The document owns the item.
    static VxFSGeomItem* setBaseMesh(VxFSHierarchy& document, VxFacetMesh* mesh, const QString& name,
                                     const QStringList& materials = QStringList());

    // A figure in the scene whose current shape shows `mesh`, with an empty selection map.
    template<class Figure>
    static Figure* addSkinnedFigure(VxFacetMesh* mesh, const QString& name = QStringLiteral("Figure"))
    {
        auto* figure = new Figure();
        figure->setName(name);
        prepareFigure(figure, mesh);
        return figure;
    }

    // A bone below `parent`, in the scene, with the given rest origin and end point.
    static VxBone* addPlacedBone(VxNode* parent, const QString& name, const VxVec3& origin, const VxVec3& end,
                                 int rotationOrder = 0);

    // The generated humanoid as a mesh (no reference held).
    static VxFacetMesh* humanoidMesh();

private:
    static void prepareFigure(VxSkeleton* figure, VxFacetMesh* mesh);
};

// Exact float comparison that prints both values in full.
#define EXPECT_VEC3_EQ(actual, expected)                                                        \
    do {                                                                                        \
        const VxVec3 a_ = (actual);                                                             \
        const VxVec3 e_ = (expected);                                                           \
        EXPECT_TRUE(a_ == e_) << "(" << a_.x << ", " << a_.y << ", " << a_.z << ") != ("        \
                              << e_.x << ", " << e_.y << ", " << e_.z << ")";                   \
    } while (false)
