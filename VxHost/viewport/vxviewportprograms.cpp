#include "vxviewportprograms.h"

namespace {
// Lit per vertex: a key light from the upper right, a cooler fill from the left, a
// sky/ground ambient and a faint highlight, enough for forms to read in a neutral grey
// scene. Lights are directional and the view direction is taken as the camera's axis, so
// a flat facet (the sides of a box-built figure) gets exactly the colour per-pixel
// lighting would give it, and dense meshes cannot tell the difference; per vertex, a
// mesh of a million triangles costs little more than a bare draw. Surfaces are lit on
// the side facing the camera, since meshes from files are not always consistently wound.
// The selection mixes in a little of the highlight colour, so the material still shows,
// adds a glow of it towards the silhouette, and gets an outline (below).
const char* const kMeshVertex = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec4 normal;
uniform mat4 modelViewProjection;
uniform mat3 normalMatrix;
uniform vec3 baseColor;
uniform vec4 tint;
out vec3 vColor;
void main()
{
    gl_Position = modelViewProjection * vec4(position, 1.0);
    vec3 n = normalize(normalMatrix * normal.xyz);
    if (n.z < 0.0)
        n = -n;
    const vec3 key = vec3(0.3, 0.6, 0.74);
    const vec3 fill = vec3(-0.8, 0.0, 0.6);
    const vec3 halfway = vec3(0.16, 0.32, 0.93);
    float diffuse = max(dot(n, key), 0.0) * 0.72 + max(dot(n, fill), 0.0) * 0.25;
    float ambient = 0.24 + 0.1 * n.y;
    // A highlight of exponent 32 by squaring: cheaper than pow() on every vertex.
    float h = max(dot(n, halfway), 0.0);
    h *= h;
    h *= h;
    h *= h;
    h *= h;
    float specular = h * h * 0.12;
    vec3 color = baseColor * (ambient + diffuse) + vec3(specular);
    float rim = 1.0 - n.z;
    vColor = mix(color, tint.rgb, tint.a * 0.05) + tint.rgb * (tint.a * 0.5 * rim * rim);
}
)";

// Writes the colour the vertex stage worked out (the mesh's lit colour, the background's
// gradient).
const char* const kColorFragment = R"(#version 330 core
in vec3 vColor;
out vec4 fragColor;
void main()
{
    fragColor = vec4(vColor, 1.0);
}
)";

const char* const kPickFragment = R"(#version 330 core
uniform vec4 pickColor;
out vec4 fragColor;
void main()
{
    fragColor = pickColor;
}
)";

// The octahedron's frame comes from the bone itself, so one vertex buffer serves every
// bone and the per-bone data is seven floats. Each corner carries its face's normal in the
// unit octahedron; stretched to the bone it is scaled by the inverse of the stretch. Lit
// flat, per face, in the vertex shader: bones can cover much of the view. The outline
// pass draws the octahedron's edges in the darker colours.
const char* const kBoneVertex = R"(#version 330 core
layout(location = 0) in vec3 corner;
layout(location = 4) in vec3 faceNormal;
layout(location = 1) in vec3 boneOrigin;
layout(location = 2) in vec3 boneEnd;
layout(location = 3) in float boneSelected;
uniform mat4 viewProjection;
uniform mat4 view;
uniform vec4 boneColor;
uniform vec4 selectedColor;
uniform bool outline;
uniform bool selectedOnly;
flat out vec4 vColor;
flat out int vInstance;
void main()
{
    if (selectedOnly && boneSelected < 0.5) {
        gl_Position = vec4(2.0, 2.0, 2.0, 1.0);
        return;
    }
    vec3 axis = boneEnd - boneOrigin;
    float len = length(axis);
    vec3 d = axis / len;
    vec3 helper = abs(d.y) < 0.9 ? vec3(0.0, 1.0, 0.0) : vec3(1.0, 0.0, 0.0);
    vec3 u = normalize(cross(d, helper));
    vec3 w = cross(d, u);
    float width = 0.05 * len;
    vec3 p = boneOrigin + axis * corner.x + (u * corner.y + w * corner.z) * width;
    gl_Position = viewProjection * vec4(p, 1.0);
    vec4 color = boneSelected > 0.5 ? selectedColor : boneColor;
    if (outline) {
        vColor = color;
    } else {
        vec3 n = normalize(mat3(view) * (d * (faceNormal.x / len) + (u * faceNormal.y + w * faceNormal.z) / width));
        vColor = vec4(color.rgb * (0.7 + 0.3 * abs(n.z)), color.a);
    }
    vInstance = gl_InstanceID;
}
)";

const char* const kBoneFragment = R"(#version 330 core
flat in vec4 vColor;
out vec4 fragColor;
void main()
{
    fragColor = vColor;
}
)";

const char* const kBonePickFragment = R"(#version 330 core
flat in int vInstance;
uniform int pickBase;
out vec4 fragColor;
void main()
{
    int id = pickBase + vInstance;
    fragColor = vec4(float(id & 255), float((id >> 8) & 255), float((id >> 16) & 255), 255.0) / 255.0;
}
)";

// Lines fade out towards the grid's rim, so the ground has no hard edge.
const char* const kLineVertex = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec4 color;
uniform mat4 modelViewProjection;
out vec4 vColor;
out vec2 vGround;
void main()
{
    gl_Position = modelViewProjection * vec4(position, 1.0);
    vColor = color;
    vGround = position.xz;
}
)";

// Lines fade out towards the grid's rim, so the ground has no hard edge.
const char* const kLineFragment = R"(#version 330 core
in vec4 vColor;
in vec2 vGround;
uniform float fadeRadius;
out vec4 fragColor;
void main()
{
    float fade = fadeRadius > 0.0 ? 1.0 - smoothstep(0.5 * fadeRadius, fadeRadius, length(vGround)) : 1.0;
    fragColor = vec4(vColor.rgb, vColor.a * fade);
}
)";

// One triangle covering the view at the far plane: with the depth test at less-or-equal
// it only shades pixels that no surface covered.
const char* const kBackgroundVertex = R"(#version 330 core
uniform vec3 topColor;
uniform vec3 bottomColor;
out vec3 vColor;
void main()
{
    vec2 p = vec2(float((gl_VertexID & 1) * 4 - 1), float((gl_VertexID & 2) * 2 - 1));
    vColor = mix(bottomColor, topColor, p.y * 0.5 + 0.5);
    gl_Position = vec4(p, 1.0, 1.0);
}
)";

const char* const kCoverVertex = R"(#version 330 core
void main()
{
    gl_Position = vec4(float((gl_VertexID & 1) * 4 - 1), float((gl_VertexID & 2) * 2 - 1), 0.0, 1.0);
}
)";

// Pixels just outside the selection's silhouette (its mask, drawn beforehand) take the
// highlight colour: a crisp outline a few pixels wide, whatever colour the surface has.
const char* const kOutlineFragment = R"(#version 330 core
uniform sampler2D mask;
uniform vec4 color;
uniform int width;
out vec4 fragColor;
void main()
{
    ivec2 size = textureSize(mask, 0);
    ivec2 p = ivec2(gl_FragCoord.xy);
    if (texelFetch(mask, p, 0).r > 0.5)
        discard;
    ivec2 last = size - 1;
    float near = max(max(texelFetch(mask, clamp(p + ivec2(width, 0), ivec2(0), last), 0).r,
                         texelFetch(mask, clamp(p - ivec2(width, 0), ivec2(0), last), 0).r),
                     max(texelFetch(mask, clamp(p + ivec2(0, width), ivec2(0), last), 0).r,
                         texelFetch(mask, clamp(p - ivec2(0, width), ivec2(0), last), 0).r));
    if (near < 0.5)
        discard;
    fragColor = color;
}
)";
} // namespace

bool VxViewportPrograms::create(QString* error)
{
    return build(mesh, kMeshVertex, kColorFragment, "mesh", error)
        && build(meshPick, kMeshVertex, kPickFragment, "mesh picking", error)
        && build(bone, kBoneVertex, kBoneFragment, "bone", error)
        && build(bonePick, kBoneVertex, kBonePickFragment, "bone picking", error)
        && build(line, kLineVertex, kLineFragment, "line", error)
        && build(background, kBackgroundVertex, kColorFragment, "background", error)
        && build(outline, kCoverVertex, kOutlineFragment, "selection outline", error);
}

bool VxViewportPrograms::build(QOpenGLShaderProgram& program, const char* vertex, const char* fragment,
                               const char* name, QString* error)
{
    if (program.addShaderFromSourceCode(QOpenGLShader::Vertex, vertex)
        && program.addShaderFromSourceCode(QOpenGLShader::Fragment, fragment) && program.link())
        return true;
    if (error)
        *error = QStringLiteral("The viewport's %1 shader failed to build: %2").arg(QLatin1String(name), program.log());
    return false;
}
