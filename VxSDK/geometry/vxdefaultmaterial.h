#pragma once

#include "vxmaterial.h"

#include <QColor>
#include <QString>

// The host's standard material: a diffuse colour and an optional diffuse texture.
class VXSDK_EXPORT VxDefaultMaterial : public VxMaterial
{
    Q_OBJECT
    Q_PROPERTY(QColor diffuseColor READ getDiffuseColor WRITE setDiffuseColor)
    Q_PROPERTY(QString diffuseTexture READ getDiffuseTexture WRITE setDiffuseTexture)
public:
    Q_INVOKABLE explicit VxDefaultMaterial(QObject* parent = nullptr);
    ~VxDefaultMaterial() override;

    QColor getDiffuseColor() const { return m_diffuseColor; }
    void setDiffuseColor(const QColor& color) { m_diffuseColor = color; }
    QString getDiffuseTexture() const { return m_diffuseTexture; }
    void setDiffuseTexture(const QString& path) { m_diffuseTexture = path; }

    bool copyFrom(const VxElement* source) override;

private:
    QColor m_diffuseColor = QColor(204, 204, 204);
    QString m_diffuseTexture;
};
