#pragma once

#include "vxsdkglobal.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class VxScene;
class VxSkeleton;

// Exports a figure as binary glTF 2.0 (.glb): its skin as one mesh with normals, UVs and
// materials, one primitive per face group and material (the face group's name in the
// primitive's extras), one joint per bone with its rest placement and inverse bind
// matrix, the current pose as the joints' rotations and translations, and four joints
// and weights per vertex (VxGltfWeightReader says how the figure's weights become glTF's).
// The figure's name and label are kept in the extras of its node and mesh.
//
// Refused, with a message and nothing written: no figure, a figure without a skin mesh or
// without bones, a skin with positions that are not numbers, a figure no bone of which
// weights the skin, a file larger than a binary glTF file held in memory can be, and a path
// that cannot be written. What the export had to work around is in warnings().
class VXSDK_EXPORT VxGltfExporter
{
public:
    // The figure to export from `scene`: the figure of the primary selection (the figure
    // itself or one of its bones), else the scene's only figure. Null, with the reason in
    // *error, when there is none or several and none is selected.
    static VxSkeleton* findFigure(const VxScene* scene, QString* error);

    // Builds the file's bytes; false with error().
    bool build(const VxSkeleton& figure, QByteArray* glb);
    // Builds the file and writes it to `path`, whole or not at all; false with error().
    bool exportFigure(const VxSkeleton& figure, const QString& path);

    const QString& error() const { return m_error; }
    const QStringList& warnings() const { return m_warnings; }

private:
    bool fail(const QString& message);

    QString m_error;
    QStringList m_warnings;
};
