#pragma once

#include <QStringList>

class VxFSHierarchy;
class VxGeometryListView;
class VxIKListView;

// The same description of a document, once read from the model and once from a view, so
// that a test can check that the view still shows exactly what the document holds (the
// relationships view has its own check, treeMirrorsDocument).
namespace ViewMirror {

// "name[on]: hip=0.5, abdomen=<Goal>" per chain, in order.
QStringList chainsOf(const VxFSHierarchy& document);
QStringList chainsOf(const VxIKListView& view);
// "body.obj|0|group_000,group_001" per geometry, by name.
QStringList geometriesOf(const VxFSHierarchy& document);
QStringList geometriesOf(const VxGeometryListView& view);

} // namespace ViewMirror
