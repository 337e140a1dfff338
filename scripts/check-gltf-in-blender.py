# Imports a binary glTF file into Blender and checks that Blender sees the rig the file
# holds: exactly one armature whose bones are the file's joints, by name, and a skinned
# mesh whose every vertex has the vertex-group weights the file gives it (JOINTS_0 and
# WEIGHTS_0, zero weights left out). The file itself is read here as well, so the check
# compares Blender's reading with the bytes, not with another reader's.
#
#   blender -b --python-exit-code 1 --python scripts/check-gltf-in-blender.py -- FILE.glb
#
# Needs Blender's glTF add-on (Debian's blender, with python3-numpy). Prints one line per
# finding and "blender check: ok" at the end; exits 1 on any mismatch.
import json
import struct
import sys

import bpy
import numpy
from mathutils import Vector
from mathutils.kdtree import KDTree

# Debian 12's Blender 3.4 glTF importer still names numpy.bool, an alias that numpy 1.24
# (Debian 12's) removed; it meant the builtin bool.
if "bool" not in numpy.__dict__:
    numpy.bool = bool

TOLERANCE = 1e-4
COMPONENT_FORMATS = {5121: "B", 5123: "H", 5125: "I", 5126: "f"}
TYPE_SIZES = {"SCALAR": 1, "VEC2": 2, "VEC3": 3, "VEC4": 4, "MAT4": 16}


def read_glb(path):
    with open(path, "rb") as f:
        data = f.read()
    magic, version, length = struct.unpack_from("<III", data, 0)
    if magic != 0x46546C67 or version != 2 or length != len(data):
        raise ValueError(f"{path}: not a binary glTF 2.0 file")
    json_length, _ = struct.unpack_from("<II", data, 12)
    gltf = json.loads(data[20:20 + json_length])
    bin_start = 20 + json_length + 8
    return gltf, data[bin_start:]


def accessor(gltf, binary, index):
    acc = gltf["accessors"][index]
    view = gltf["bufferViews"][acc["bufferView"]]
    size = TYPE_SIZES[acc["type"]]
    fmt = "<" + COMPONENT_FORMATS[acc["componentType"]] * (acc["count"] * size)
    values = struct.unpack_from(fmt, binary, view.get("byteOffset", 0) + acc.get("byteOffset", 0))
    return [values[i:i + size] for i in range(0, len(values), size)]


def expected_vertices(gltf, binary):
    """(position, {joint name: weight}) for every vertex of the file's skinned mesh."""
    skin = gltf["skins"][0]
    joint_names = [gltf["nodes"][j]["name"] for j in skin["joints"]]
    attributes = gltf["meshes"][0]["primitives"][0]["attributes"]
    positions = accessor(gltf, binary, attributes["POSITION"])
    joints = accessor(gltf, binary, attributes["JOINTS_0"])
    weights = accessor(gltf, binary, attributes["WEIGHTS_0"])
    vertices = []
    for p, js, ws in zip(positions, joints, weights):
        influence = {}
        for j, w in zip(js, ws):
            if w > 0:
                influence[joint_names[j]] = influence.get(joint_names[j], 0.0) + w
        vertices.append((p, influence))
    return joint_names, vertices


def same_weights(actual, expected):
    names = set(actual) | set(expected)
    return all(abs(actual.get(n, 0.0) - expected.get(n, 0.0)) <= TOLERANCE for n in names)


def main():
    args = sys.argv[sys.argv.index("--") + 1:] if "--" in sys.argv else []
    if len(args) != 1:
        print("usage: blender -b --python check-gltf-in-blender.py -- FILE.glb")
        return 2
    path = args[0]
    gltf, binary = read_glb(path)
    joint_names, vertices = expected_vertices(gltf, binary)

    bpy.ops.wm.read_factory_settings(use_empty=True)
    bpy.ops.import_scene.gltf(filepath=path)
    problems = []
    armatures = [o for o in bpy.data.objects if o.type == "ARMATURE"]
    if len(armatures) != 1:
        problems.append(f"{len(armatures)} armatures, not one")
    else:
        bones = sorted(b.name for b in armatures[0].data.bones)
        if bones != sorted(joint_names):
            problems.append(f"armature bones {bones} are not the file's joints {sorted(joint_names)}")

    # The file's positions are glTF's Y-up; Blender's importer turns them Z-up.
    tree = KDTree(len(vertices))
    for i, (p, _) in enumerate(vertices):
        tree.insert(Vector((p[0], -p[2], p[1])), i)
    tree.balance()

    meshes = [o for o in bpy.data.objects if o.type == "MESH"]
    if not meshes:
        problems.append("no mesh was imported")
    checked = 0
    for obj in meshes:
        if not any(m.type == "ARMATURE" and m.object for m in obj.modifiers):
            problems.append(f"mesh {obj.name} is not deformed by an armature")
        group_names = {g.index: g.name for g in obj.vertex_groups}
        for v in obj.data.vertices:
            actual = {group_names[g.group]: g.weight for g in v.groups if g.weight > 0}
            # Seams may hold several file vertices at one place; any of them may match.
            candidates = tree.find_range(obj.matrix_world @ v.co, TOLERANCE)
            if not candidates:
                problems.append(f"vertex {v.index} of {obj.name} at {tuple(v.co)} is not in the file")
            elif not any(same_weights(actual, vertices[i][1]) for _, i, _ in candidates):
                problems.append(f"vertex {v.index} of {obj.name}: weights {actual}, file {vertices[candidates[0][1]][1]}")
            checked += 1
            if len(problems) > 20:
                break
    for problem in problems:
        print("blender check:", problem)
    if problems:
        return 1
    print(f"blender check: ok ({len(joint_names)} bones, {checked} vertices with their weights)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
