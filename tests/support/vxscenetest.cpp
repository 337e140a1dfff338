#include "vxscenetest.h"

#include "vxbone.h"
#include "vxfacegroup.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxgraftingfigureshape.h"
#include "vxlegacyfigure.h"
#include "vxobject.h"
#include "vxselectionmap.h"

void VxSceneTest::SetUp()
{
    VxAppTest::SetUp();
    m_scene = std::make_unique<VxScene>();
}

void VxSceneTest::TearDown()
{
    m_scene.reset();
    VxAppTest::TearDown();
}

VxBone* vxAddBone(VxNode* parent, const QString& name)
{
    auto* bone = new VxBone();
    bone->setName(name);
    parent->addNodeChild(bone, false);
    vxScene->addNode(bone);
    return bone;
}

template<typename T>
T* vxMakeFigure(VxFacetMesh* mesh, const QString& name)
{
    auto* figure = new T();
    figure->setName(name);
    vxScene->addNode(figure);
    figure->setObject(new VxObject());
    auto* shape = new VxGraftingFigureShape();
    shape->setFacetMesh(mesh);
    figure->getObject()->addShape(shape);
    figure->setSelectionMap(new VxSelectionMap());
    VxNode* parent = figure;
    for (int g = 0; g < mesh->getNumFaceGroups(); ++g) {
        parent = vxAddBone(parent, mesh->getFaceGroup(g)->objectName());
        figure->getSelectionMap()->addPair(parent->getName(), parent, true);
    }
    return figure;
}
template VxFigure* vxMakeFigure<VxFigure>(VxFacetMesh*, const QString&);
template VxLegacyFigure* vxMakeFigure<VxLegacyFigure>(VxFacetMesh*, const QString&);

VxFacetMesh* vxMakeBoxMesh(const QList<VxTestBox>& boxes, const VxVec3& offset)
{
    static const int quads[6][4] = {{0, 1, 3, 2}, {4, 6, 7, 5}, {0, 4, 5, 1},
                                    {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 5, 7, 3}};
    VxFacetMeshData data;
    for (int b = 0; b < boxes.size(); ++b) {
        const VxTestBox& box = boxes[b];
        const int first = data.numVertices();
        for (int corner = 0; corner < 8; ++corner) {
            data.positions.push_back((corner & 4 ? box.max.x : box.min.x) + offset.x);
            data.positions.push_back((corner & 2 ? box.max.y : box.min.y) + offset.y);
            data.positions.push_back((corner & 1 ? box.max.z : box.min.z) + offset.z);
        }
        for (const auto& quad : quads) {
            for (int c : quad)
                data.cornerVertex.push_back(first + c);
            data.facetStart.push_back(uint32_t(data.cornerVertex.size()));
            data.facetGroup.push_back(b);
            data.facetMaterial.push_back(-1);
        }
        data.groupNames.append(box.group);
    }
    auto* mesh = new VxFacetMesh();
    mesh->setData(std::move(data));
    return mesh;
}
