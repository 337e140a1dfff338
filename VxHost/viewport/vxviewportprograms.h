#pragma once

#include <QOpenGLShaderProgram>
#include <QString>

// The viewport's shader programs (GLSL 3.30 core), compiled and linked together.
class VxViewportPrograms
{
public:
    // Attribute locations of the bone programs: the octahedron's corner and face normal per
    // vertex, the bone's ends and selection per instance.
    enum BoneAttribute { BoneCorner = 0, BoneOrigin = 1, BoneEnd = 2, BoneSelected = 3, BoneFaceNormal = 4 };
    // Attribute locations of the line program.
    enum LineAttribute { LinePosition = 0, LineColor = 1 };

    // Builds every program; false with the compiler's log in *error when one fails.
    bool create(QString* error);

    QOpenGLShaderProgram mesh;       // lit surfaces in a material colour, tinted when selected
    QOpenGLShaderProgram meshPick;   // surfaces in a flat identifier colour
    QOpenGLShaderProgram bone;       // instanced octahedra
    QOpenGLShaderProgram bonePick;   // octahedra in identifier colours, one per instance
    QOpenGLShaderProgram line;       // ground grid and axis triad
    QOpenGLShaderProgram background; // a vertical gradient behind everything
    QOpenGLShaderProgram outline;    // a line around the selection's silhouette

private:
    static bool build(QOpenGLShaderProgram& program, const char* vertex, const char* fragment,
                      const char* name, QString* error);
};
