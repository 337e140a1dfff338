#pragma once

#include <QString>

class VxFSHierarchy;

enum class SnapshotAs { Document, ParametricCopy, SkinCopy };

// Everything of a hierarchy document that copying a figure reads or writes, one value a
// line, so that a copy can be compared with what it should be and a failure shows what
// differs. With ParametricCopy or SkinCopy it is what copying back a figure built from the
// document gives.
QString documentSnapshot(const VxFSHierarchy& document, SnapshotAs as = SnapshotAs::Document);
