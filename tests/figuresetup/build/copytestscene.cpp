#include "copytestscene.h"

#include "vxbone.h"
#include "vxlegacybinding.h"
#include "vxlegacyfigure.h"
#include "vxlegacyjoint.h"
#include "vxobject.h"
#include "vxscene.h"

QByteArray copyTestObj(const QStringList& groups)
{
    QByteArray text = "usemtl skin\n";
    for (int g = 0; g < groups.size(); ++g) {
        text += QStringLiteral("v %1 0 0\nv %2 0 0\nv %1 1 0\n").arg(g).arg(g + 1).toUtf8();
        text += "g " + groups[g].toUtf8() + "\n";
        text += QStringLiteral("f %1 %2 %3\n").arg(3 * g + 1).arg(3 * g + 2).arg(3 * g + 3).toUtf8();
    }
    return text;
}

CopyTestFigure::CopyTestFigure(const QString& name, const QString& label)
    : figure(new VxLegacyFigure()), binding(new VxLegacyBinding())
{
    figure->setName(name);
    figure->setLabel(label);
    vxScene->addNode(figure);
    figure->setObject(new VxObject());
    figure->getObject()->addModifier(binding);
}

VxBone* CopyTestFigure::addBone(VxNode* parent, const QString& name, VxRotationOrder order, const QString& group,
                                bool withJoint)
{
    auto* bone = new VxBone();
    bone->setName(name);
    bone->setLabel(name + QStringLiteral(" label"));
    bone->setRotationOrder(order);
    (parent ? parent : figure)->addNodeChild(bone, false);
    vxScene->addNode(bone);
    if (withJoint) {
        auto* joint = new VxLegacyJoint();
        joint->setBone(bone, true);
        joint->setName(name);
        joint->setGroupName(group);
        binding->addJoint(joint);
    }
    return bone;
}

VxLegacyJoint* CopyTestFigure::joint(const VxBone* bone) const
{
    return binding->findJoint(bone);
}
