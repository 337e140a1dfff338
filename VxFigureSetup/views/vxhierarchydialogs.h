#pragma once

#include <functional>

class QTreeWidgetItem;
class VxFSHierarchy;
class VxHierarchyEditorView;

// The bone dialogs the relationships view opens from its context menus. The view reaches
// them only through this table so that the dialogs, which are built with the view as parent
// and read its selection, stay in their own files. Each entry creates its dialog, runs it
// modally and disposes of it; an empty entry is a dialog this build does not have, and the
// view then reports that instead of opening anything.
class VxHierarchyDialogs
{
public:
    // "Add Bone Sequence...": new bones below `item` (a bone item or the "Bones" container).
    std::function<void(VxHierarchyEditorView* view, QTreeWidgetItem* item, VxFSHierarchy* document)> boneSequence;
    // "Select Bone(s)..." of the weld menu: weld the selected bones to chosen bones.
    std::function<void(VxHierarchyEditorView* view, VxFSHierarchy* document)> weldToBone;
    // "Select Joint Parameters..." (parametric figures) for the selected bones.
    std::function<void(VxHierarchyEditorView* view)> jointParameters;
    // "Select Weight Maps..." (every other figure type) for the selected bones.
    std::function<void(VxHierarchyEditorView* view)> weightMaps;

    // The dialogs of this build, which every new view starts with.
    static VxHierarchyDialogs standard();
};
