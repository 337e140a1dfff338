#pragma once

#include <QString>
#include <QStringList>

class VxFacetShape;
class VxFSGeomItem;

// In-memory meshes for the model tests: one triangle per face group.

// A new facet shape (no reference held yet) named `name`, with a VxDefaultMaterial per
// entry of `materials`.
VxFacetShape* makeFacetShape(const QString& name, const QStringList& groups,
                             const QStringList& materials = QStringList());

// A geometry item built from such a shape, as copying a figure does (empty path).
VxFSGeomItem* makeGeomItem(const QString& shortName, const QStringList& groups);

// The names of a sibling list of bones or regions, from `first` on.
template<class T>
QStringList namesOf(const T* first)
{
    QStringList names;
    for (const T* node = first; node; node = node->getNextSibling())
        names.append(node->getName());
    return names;
}
