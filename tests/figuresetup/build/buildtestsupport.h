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

// Collects the warnings written through qWarning while it lives (and still prints them).
class VxWarningCatcher
{
public:
    VxWarningCatcher();
    ~VxWarningCatcher();
    const QStringList& warnings() const;
};

// Exact float comparison of two vectors that prints both in full; takes << like EXPECT_EQ.
::testing::AssertionResult vxVec3Equal(const char* actualText, const char* expectedText, const VxVec3& actual,
                                       const VxVec3& expected);
#define EXPECT_VEC3_EQ(actual, expected) EXPECT_PRED_FORMAT2(vxVec3Equal, actual, expected)
