#pragma once

#include "vxsdkglobal.h"

#include <QHash>
#include <QJsonArray>
#include <QStringList>

class VxGltfBuffer;
class VxMaterial;
class VxShape;

// The glTF materials of a shape, one per shape material in the same order, so that a
// facet's material index is its glTF material index.
//
// glTF's metallic-roughness model stands in for the host's diffuse materials: the base
// colour is the diffuse colour (with its alpha; below one the material blends), and the
// surface is dielectric and fully rough, as a plain diffuse surface is. A diffuse texture
// becomes the base colour texture, embedded in the file: PNG and JPEG files as they are,
// other image formats Qt reads converted to PNG. With a texture the colour factor is
// white, since the host draws the texture's own colours. A texture that cannot be read is
// left out with a warning; the material keeps its colour. So are all textures of a mesh
// without UVs, which could not place them.
class VXSDK_EXPORT VxGltfMaterialBuilder
{
public:
    explicit VxGltfMaterialBuilder(VxGltfBuffer& buffer);

    // Builds the materials of `shape`, with textures when the mesh has UVs. False only when
    // an image does not fit in the buffer.
    bool build(const VxShape& shape, bool withTextures);

    const QJsonArray& materials() const { return m_materials; }
    const QJsonArray& textures() const { return m_textures; }
    const QJsonArray& images() const { return m_images; }
    const QJsonArray& samplers() const { return m_samplers; }
    const QStringList& warnings() const { return m_warnings; }

private:
    QJsonObject material(const VxMaterial* material, bool withTextures, bool& fits);
    // The texture index of an image file (each file embedded once); -1 when it cannot be
    // read, -2 when it does not fit in the buffer.
    int textureFor(const QString& path, const QString& materialName);

    VxGltfBuffer& m_buffer;
    QJsonArray m_materials, m_textures, m_images, m_samplers;
    QHash<QString, int> m_textureOfPath;
    QStringList m_warnings;
};
