#pragma once

#include "vxrotationorder.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class VxBone;
class VxLegacyBinding;
class VxLegacyFigure;
class VxLegacyJoint;
class VxNode;

// Text of an OBJ file with one triangle per face group, in order, using material "skin".
QByteArray copyTestObj(const QStringList& groups);

// A legacy figure assembled from host classes, as a scene file or another tool would leave
// it: an object with a legacy binding, and bones added with a joint each.
struct CopyTestFigure
{
    // Adds the figure (named `name`, labelled `label`) to the scene.
    CopyTestFigure(const QString& name, const QString& label);

    // A bone below `parent` (the figure when null), in the scene, with a joint whose group
    // name is `group` unless `withJoint` is false.
    VxBone* addBone(VxNode* parent, const QString& name, VxRotationOrder order = VxRotationOrder(),
                    const QString& group = QString(), bool withJoint = true);
    VxLegacyJoint* joint(const VxBone* bone) const;

    VxLegacyFigure* figure;
    VxLegacyBinding* binding;
};
