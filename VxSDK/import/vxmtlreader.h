#pragma once

#include <QColor>
#include <QHash>
#include <QString>
#include <QStringList>

// What the host uses of a material definition.
struct VxMtlMaterial
{
    QColor diffuseColor;      // invalid when the definition has no usable Kd
    QString diffuseTexture;   // map_Kd, resolved against the library's folder
};

// Reads OBJ material libraries: `newmtl`, the diffuse colour `Kd` and the diffuse texture
// `map_Kd`; everything else is skipped. A material defined in several libraries keeps its
// first definition.
class VxMtlReader
{
public:
    // False, with errorString(), when the library cannot be read at all (missing, not
    // text). Problems inside a readable library become warnings.
    bool read(const QString& path);

    bool contains(const QString& name) const { return m_materials.contains(name); }
    VxMtlMaterial material(const QString& name) const { return m_materials.value(name); }
    // "path:line: reason" for statements that could not be used.
    const QStringList& warnings() const { return m_warnings; }
    QString errorString() const { return m_error; }

private:
    void readColor(const char* p, const char* end, VxMtlMaterial& material, const QString& where);

    QHash<QString, VxMtlMaterial> m_materials;
    QStringList m_warnings;
    QString m_error;
};
