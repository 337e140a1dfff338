#pragma once

#include "vxapptest.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vximportmgr.h"

#include <memory>

// Fixture for importer tests: reads files through the application's importer and holds
// the reference on each shape it returns.
class ImportTest : public VxAppTest
{
protected:
    struct Loaded
    {
        int result = -1;
        VxFacetShape* shape = nullptr;
        std::shared_ptr<VxRefGuard<VxShape>> reference;

        VxFacetMesh* mesh() const { return shape ? shape->getFacetMesh() : nullptr; }
        const VxFacetMeshData& data() const { return mesh()->getData(); }
    };

    VxImportMgr& importer() const { return *m_app->getImportMgr(); }

    Loaded readFile(const QString& path)
    {
        Loaded loaded;
        VxShape* shape = nullptr;
        loaded.result = importer().readGeometry(path, &shape, -1);
        loaded.reference = std::make_shared<VxRefGuard<VxShape>>(shape);
        loaded.shape = qobject_cast<VxFacetShape*>(shape);
        return loaded;
    }

    Loaded readText(const QByteArray& content, const QString& name = QStringLiteral("mesh.obj"))
    {
        return readFile(writeFile(name, content));
    }
};

// Field-by-field equality of two meshes' arrays, with a readable failure.
inline void expectSameMesh(const VxFacetMeshData& actual, const VxFacetMeshData& expected)
{
    EXPECT_EQ(actual.positions, expected.positions);
    EXPECT_EQ(actual.uvs, expected.uvs);
    EXPECT_EQ(actual.facetStart, expected.facetStart);
    EXPECT_EQ(actual.cornerVertex, expected.cornerVertex);
    EXPECT_EQ(actual.cornerUV, expected.cornerUV);
    EXPECT_EQ(actual.facetGroup, expected.facetGroup);
    EXPECT_EQ(actual.facetMaterial, expected.facetMaterial);
    EXPECT_EQ(actual.groupNames, expected.groupNames);
}
