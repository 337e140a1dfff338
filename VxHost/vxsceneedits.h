#pragma once

#include <QString>

class VxNode;

// The scene edits the host offers from its menus and to scripts. Each is one undo step.
class VxSceneEdits
{
public:
    // Reads a mesh (.obj, .obz) through the host importer and adds it to the scene as a prop
    // node named after the file (made unique with "_1", "_2", ... when a node has that name).
    // Null, with the importer's reason in *error, when the file cannot be read.
    static VxNode* importMesh(const QString& path, QString* error);

    // Deletes the selected nodes, each with everything below it. A bone of a figure stays
    // unless its figure goes too: the figure's rigging depends on it. Returns the number of
    // nodes deleted; *note then says which bones were kept and why (empty when none).
    static int deleteSelection(QString* note);

    // `name`, or `name` with the first free "_N" when a scene node has it already.
    static QString uniqueNodeName(const QString& name);
};
