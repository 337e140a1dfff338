#include "modeltestmeshes.h"

#include "vxfsgeomitem.h"

#include "vxdefaultmaterial.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxrefcounted.h"

VxFacetShape* makeFacetShape(const QString& name, const QStringList& groups, const QStringList& materials)
{
    VxFacetMeshData data;
    for (int g = 0; g < groups.size(); ++g) {
        const float x = float(g);
        data.positions.insert(data.positions.end(), {x, 0, 0, x + 1, 0, 0, x, 1, 0});
        for (int corner = 0; corner < 3; ++corner)
            data.cornerVertex.push_back(3 * g + corner);
        data.facetStart.push_back(uint32_t(data.cornerVertex.size()));
        data.facetGroup.push_back(g);
        data.facetMaterial.push_back(materials.isEmpty() ? -1 : 0);
    }
    data.groupNames = groups;
    auto* mesh = new VxFacetMesh();
    mesh->setData(std::move(data));
    auto* shape = new VxFacetShape();
    shape->setName(name);
    shape->setLabel(name);
    shape->setFacetMesh(mesh);
    for (const QString& materialName : materials) {
        auto* material = new VxDefaultMaterial();
        material->setName(materialName);
        shape->addMaterial(material);
    }
    return shape;
}

VxFSGeomItem* makeGeomItem(const QString& shortName, const QStringList& groups)
{
    VxRefGuard<VxFacetShape> source(makeFacetShape(shortName, groups));
    return new VxFSGeomItem(source.get(), shortName);
}
