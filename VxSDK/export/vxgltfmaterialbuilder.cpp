#include "vxgltfmaterialbuilder.h"

#include "vxgltfbuffer.h"

#include "vxdefaultmaterial.h"
#include "vxshape.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonObject>

namespace {
// Sampler values as glTF numbers them.
constexpr int kLinear = 9729;
constexpr int kLinearMipmapLinear = 9987;
constexpr int kRepeat = 10497;
constexpr int kUnreadable = -1;
constexpr int kTooLarge = -2;

QJsonArray colorFactor(const QColor& color)
{
    return QJsonArray{color.redF(), color.greenF(), color.blueF(), color.alphaF()};
}
} // namespace

VxGltfMaterialBuilder::VxGltfMaterialBuilder(VxGltfBuffer& buffer) : m_buffer(buffer) {}

bool VxGltfMaterialBuilder::build(const VxShape& shape, bool withTextures)
{
    QStringList untextured;
    for (int i = 0; i < shape.getNumMaterials(); ++i) {
        const auto* diffuse = qobject_cast<const VxDefaultMaterial*>(shape.getMaterial(i));
        if (!withTextures && diffuse && !diffuse->getDiffuseTexture().isEmpty())
            untextured.append(QStringLiteral("\"%1\"").arg(diffuse->getName()));
        bool fits = true;
        m_materials.append(material(shape.getMaterial(i), withTextures, fits));
        if (!fits)
            return false;
    }
    if (!untextured.isEmpty()) {
        m_warnings.append(QStringLiteral("The skin has no UVs to place textures with; the textures of %1 are left out.")
                              .arg(untextured.join(QStringLiteral(", "))));
    }
    return true;
}

QJsonObject VxGltfMaterialBuilder::material(const VxMaterial* material, bool withTextures, bool& fits)
{
    const auto* diffuse = qobject_cast<const VxDefaultMaterial*>(material);
    QColor color = diffuse ? diffuse->getDiffuseColor() : VxDefaultMaterial().getDiffuseColor();
    if (!color.isValid())
        color = VxDefaultMaterial().getDiffuseColor();
    const QString name = material ? material->getName() : QString();

    QJsonObject pbr{{QStringLiteral("metallicFactor"), 0.0}, {QStringLiteral("roughnessFactor"), 1.0}};
    const QString texturePath = diffuse && withTextures ? diffuse->getDiffuseTexture() : QString();
    const int texture = texturePath.isEmpty() ? kUnreadable : textureFor(texturePath, name);
    if (texture == kTooLarge)
        fits = false;
    if (texture >= 0) {
        pbr.insert(QStringLiteral("baseColorTexture"), QJsonObject{{QStringLiteral("index"), texture}});
        color = QColor::fromRgbF(1.0, 1.0, 1.0, color.alphaF());
    }
    pbr.insert(QStringLiteral("baseColorFactor"), colorFactor(color));

    QJsonObject out{{QStringLiteral("name"), name}, {QStringLiteral("pbrMetallicRoughness"), pbr}};
    if (color.alphaF() < 1.0)
        out.insert(QStringLiteral("alphaMode"), QStringLiteral("BLEND"));
    return out;
}

int VxGltfMaterialBuilder::textureFor(const QString& path, const QString& materialName)
{
    const auto known = m_textureOfPath.constFind(path);
    if (known != m_textureOfPath.constEnd())
        return *known;

    QFile file(path);
    QByteArray bytes;
    QString mimeType;
    QString problem;
    // Devices and pipes could be read forever; only plain files are images.
    if (!QFileInfo(path).isFile()) {
        problem = QStringLiteral("no such file");
    } else if (file.size() > VxGltfBuffer::kMaxSize) {
        problem = QStringLiteral("too large to embed");
    } else if (!file.open(QIODevice::ReadOnly)) {
        problem = file.errorString();
    } else {
        bytes = file.readAll();
        if (bytes.startsWith("\x89PNG\r\n\x1a\n")) {
            mimeType = QStringLiteral("image/png");
        } else if (bytes.startsWith("\xff\xd8\xff")) {
            mimeType = QStringLiteral("image/jpeg");
        } else {
            // glTF viewers are only sure to read PNG and JPEG.
            const QImage image = QImage::fromData(bytes);
            bytes.clear();
            QBuffer png(&bytes);
            if (image.isNull() || !png.open(QIODevice::WriteOnly) || !image.save(&png, "PNG"))
                problem = QStringLiteral("not an image Qt can read");
            else
                mimeType = QStringLiteral("image/png");
        }
    }
    if (!problem.isEmpty()) {
        m_warnings.append(QStringLiteral("The texture %1 of material \"%2\" could not be read (%3); the material "
                                         "keeps its colour.")
                              .arg(path, materialName, problem));
        m_textureOfPath.insert(path, kUnreadable);
        return kUnreadable;
    }
    const int view = m_buffer.addBytes(bytes);
    if (view < 0)
        return kTooLarge;
    if (m_samplers.isEmpty()) {
        m_samplers.append(QJsonObject{{QStringLiteral("magFilter"), kLinear},
                                      {QStringLiteral("minFilter"), kLinearMipmapLinear},
                                      {QStringLiteral("wrapS"), kRepeat},
                                      {QStringLiteral("wrapT"), kRepeat}});
    }
    m_images.append(QJsonObject{{QStringLiteral("name"), QFileInfo(path).completeBaseName()},
                                {QStringLiteral("bufferView"), view},
                                {QStringLiteral("mimeType"), mimeType}});
    m_textures.append(QJsonObject{{QStringLiteral("sampler"), 0}, {QStringLiteral("source"), m_images.size() - 1}});
    m_textureOfPath.insert(path, m_textures.size() - 1);
    return m_textures.size() - 1;
}
