#pragma once

#include "vxapptest.h"
#include "vxscene.h"
#include "vxvec3.h"

#include <QList>
#include <QString>

#include <memory>

class VxBone;
class VxFacetMesh;
class VxFigure;
class VxNode;

// VxAppTest plus the one scene object, created fresh for every test.
class VxSceneTest : public VxAppTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<VxScene> m_scene;
};

// One face group of a test mesh: an axis-aligned box of 8 vertices and 6 quads.
struct VxTestBox
{
    QString group;
    VxVec3 min;
    VxVec3 max;
};

// A new bone named `name`, appended below `parent` and added to the scene.
VxBone* vxAddBone(VxNode* parent, const QString& name);

// A figure of type T (VxFigure, VxLegacyFigure) added to the scene with `mesh` as its skin
// and a selection map pairing each face group with a bone of the group's name, each bone
// below the previous one.
template<typename T>
T* vxMakeFigure(VxFacetMesh* mesh, const QString& name);

// A facet mesh made of the given boxes, one face group each, in order. `offset` moves every
// vertex. The mesh carries no reference.
VxFacetMesh* vxMakeBoxMesh(const QList<VxTestBox>& boxes, const VxVec3& offset = VxVec3());
