#pragma once

#include "vxfacetmeshdata.h"

#include <QList>

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class VxBone;
class VxFacetMesh;
class VxFigure;

// A single-skin figure for the automatic weights, added to vxScene: a skin made from raw
// arrays and bones named after face groups, each paired with its group, bound with an
// empty local map on every axis and a scale map.
class VxWeightableFigure
{
public:
    struct BoneSpec
    {
        QString name;   // also the face group it owns
        QString parent; // empty: under the figure
    };
    VxWeightableFigure(VxFacetMeshData mesh, const QList<BoneSpec>& bones);

    VxFigure* figure() const { return m_figure; }
    VxFacetMesh* mesh() const { return m_mesh; }
    // The weight of `bone` at `vertex` in its map of `channel` (0 .. 2 local axes, 3 scale).
    uint16_t weight(const QString& bone, int vertex, int channel = 0) const;
    // Sum over all bones at `vertex` in `channel`.
    uint32_t sum(int vertex, int channel) const;
    std::vector<uint16_t> mapCopy(const QString& bone, int channel) const;

private:
    VxFigure* m_figure = nullptr;
    VxFacetMesh* m_mesh = nullptr;
};

// A closed tube along +X of `rings` rings of `sides` vertices, radius 1, rings 0.25 apart;
// facets between rings i and i + 1 belong to "upper" for i < split, to "lower" after.
VxFacetMeshData vxCylinderMesh(int rings, int sides, int split);
// A strip 2 wide (y = 0 .. 2, five vertices across) folded like a hairpin: it runs out along
// +X at z = 0 from x = 0 to 10, up to z = 0.5 and back along -X to x = 0. Vertex rows are
// 0.25 apart along the strip, row r at distance 0.25 * r along it; rows before `split` are
// group "a", the rest "b".
VxFacetMeshData vxFoldedStripMesh(int split);
