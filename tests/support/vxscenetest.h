#pragma once

#include "vxapptest.h"
#include "vxscene.h"
#include "vxvec3.h"

#include <QList>
#include <QString>

#include <memory>

class VxFacetMesh;
class VxFigure;

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

// A facet mesh made of the given boxes, one face group each, in order. `offset` moves every
// vertex. The mesh carries no reference.
VxFacetMesh* vxMakeBoxMesh(const QList<VxTestBox>& boxes, const VxVec3& offset = VxVec3());
