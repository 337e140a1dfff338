# Blender's automatic weights ("With Automatic Weights", bone heat) for a skin and a rig,
# for bench_facegroup_weights to compare its own weights with.
#
#   blender -b --factory-startup --python-exit-code 1 --python blender_auto_weights.py -- SKIN.obj RIG.json OUT.json
#
# RIG.json: {"bones": [{"name", "parent" (empty for a root), "head": [x, y, z],
# "tail": [x, y, z]}, ...]}, parents before children, in the skin's own axes.
# OUT.json: {"positions": [[x, y, z], ...], "weights": [[[bone, weight], ...], ...]}, one
# entry per vertex of the imported skin, in Blender's vertex order.
import json
import sys

import bpy


def main():
    skin_path, rig_path, out_path = sys.argv[sys.argv.index("--") + 1:]
    bpy.ops.wm.read_factory_settings(use_empty=True)
    # Keep the file's axes (no Y-up to Z-up turn) so that the rig's coordinates fit.
    bpy.ops.wm.obj_import(filepath=skin_path, forward_axis='Y', up_axis='Z')
    skins = [o for o in bpy.context.scene.objects if o.type == 'MESH']
    if len(skins) != 1:
        raise SystemExit("expected one mesh object, got %d" % len(skins))
    skin = skins[0]

    with open(rig_path) as f:
        rig = json.load(f)
    armature = bpy.data.armatures.new("Rig")
    rig_object = bpy.data.objects.new("Rig", armature)
    bpy.context.scene.collection.objects.link(rig_object)
    bpy.context.view_layer.objects.active = rig_object
    bpy.ops.object.mode_set(mode='EDIT')
    for bone in rig["bones"]:
        edit = armature.edit_bones.new(bone["name"])
        edit.head = bone["head"]
        edit.tail = bone["tail"]
    for bone in rig["bones"]:
        if bone["parent"]:
            armature.edit_bones[bone["name"]].parent = armature.edit_bones[bone["parent"]]
    bpy.ops.object.mode_set(mode='OBJECT')

    bpy.ops.object.select_all(action='DESELECT')
    skin.select_set(True)
    rig_object.select_set(True)
    bpy.context.view_layer.objects.active = rig_object
    bpy.ops.object.parent_set(type='ARMATURE_AUTO')

    names = {group.index: group.name for group in skin.vertex_groups}
    vertices = skin.data.vertices
    out = {
        "positions": [list(v.co) for v in vertices],
        "weights": [[[names[g.group], g.weight] for g in v.groups] for v in vertices],
    }
    with open(out_path, "w") as f:
        json.dump(out, f)


main()
