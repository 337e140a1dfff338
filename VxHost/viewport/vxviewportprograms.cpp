#include "vxviewportprograms.h"

namespace {
const char* const kMeshVertex = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec4 normal;
uniform mat4 modelViewProjection;
uniform mat4 modelView;
uniform mat3 normalMatrix;
out vec3 vNormal;
out vec3 vViewPosition;
void main()
{
    vec4 p = vec4(position, 1.0);
    gl_Position = modelViewProjection * p;
    vNormal = normalMatrix * normal.xyz;
    vViewPosition = (modelView * p).xyz;
}
)";

// A key light from the upper right, a cooler fill from the left, a sky/ground ambient and a
// faint highlight: enough for forms to read in a neutral grey scene. Surfaces are lit on
// both sides, since meshes from files are not always closed or consistently wound. The
// selection mixes in the highlight colour and adds a rim of it along the silhouette.
const char* const kMeshFragment = R"(#version 330 core
in vec3 vNormal;
in vec3 vViewPosition;
uniform vec3 baseColor;
uniform vec4 tint;
out vec4 fragColor;
void main()
{
    vec3 n = normalize(vNormal);
    if (!gl_FrontFacing)
        n = -n;
    vec3 v = normalize(-vViewPosition);
    const vec3 key = vec3(0.36, 0.77, 0.53);
    const vec3 fill = vec3(-0.8, 0.0, 0.6);
    float diffuse = max(dot(n, key), 0.0) * 0.72 + max(dot(n, fill), 0.0) * 0.25;
    float ambient = 0.24 + 0.1 * n.y;
    float specular = pow(max(dot(n, normalize(key + v)), 0.0), 40.0) * 0.12;
    vec3 color = baseColor * (ambient + diffuse) + vec3(specular);
    float rim = pow(1.0 - max(dot(n, v), 0.0), 2.0);
    color = mix(color, tint.rgb, tint.a * (0.45 + 0.55 * rim));
    fragColor = vec4(color, 1.0);
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
// bone and the per-bone data is seven floats.
const char* const kBoneVertex = R"(#version 330 core
layout(location = 0) in vec3 corner;
layout(location = 1) in vec3 boneOrigin;
layout(location = 2) in vec3 boneEnd;
layout(location = 3) in float boneSelected;
uniform mat4 viewProjection;
uniform mat4 view;
out vec3 vViewPosition;
flat out float vSelected;
flat out int vInstance;
void main()
{
    vec3 axis = boneEnd - boneOrigin;
    float len = length(axis);
    vec3 d = axis / len;
    vec3 helper = abs(d.y) < 0.9 ? vec3(0.0, 1.0, 0.0) : vec3(1.0, 0.0, 0.0);
    vec3 u = normalize(cross(d, helper));
    vec3 w = cross(d, u);
    vec3 p = boneOrigin + axis * corner.x + (u * corner.y + w * corner.z) * (0.09 * len);
    gl_Position = viewProjection * vec4(p, 1.0);
    vViewPosition = (view * vec4(p, 1.0)).xyz;
    vSelected = boneSelected;
    vInstance = gl_InstanceID;
}
)";

const char* const kBoneFragment = R"(#version 330 core
in vec3 vViewPosition;
flat in float vSelected;
uniform vec4 boneColor;
uniform vec4 selectedColor;
out vec4 fragColor;
void main()
{
    vec3 n = normalize(cross(dFdx(vViewPosition), dFdy(vViewPosition)));
    float light = 0.5 + 0.5 * abs(n.z);
    vec4 color = vSelected > 0.5 ? selectedColor : boneColor;
    fragColor = vec4(color.rgb * light, color.a);
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
out float vHeight;
void main()
{
    vec2 p = vec2(float((gl_VertexID & 1) * 4 - 1), float((gl_VertexID & 2) * 2 - 1));
    vHeight = p.y * 0.5 + 0.5;
    gl_Position = vec4(p, 1.0, 1.0);
}
)";

const char* const kBackgroundFragment = R"(#version 330 core
in float vHeight;
uniform vec3 topColor;
uniform vec3 bottomColor;
out vec4 fragColor;
void main()
{
    fragColor = vec4(mix(bottomColor, topColor, clamp(vHeight, 0.0, 1.0)), 1.0);
}
)";
} // namespace

bool VxViewportPrograms::create(QString* error)
{
    return build(mesh, kMeshVertex, kMeshFragment, "mesh", error)
        && build(meshPick, kMeshVertex, kPickFragment, "mesh picking", error)
        && build(bone, kBoneVertex, kBoneFragment, "bone", error)
        && build(bonePick, kBoneVertex, kBonePickFragment, "bone picking", error)
        && build(line, kLineVertex, kLineFragment, "line", error)
        && build(background, kBackgroundVertex, kBackgroundFragment, "background", error);
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
