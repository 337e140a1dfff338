#include "vxlegacyfigure.h"

#include "vxlegacyalternategeometry.h"
#include "vxlegacybinding.h"
#include "vxlegacyikchain.h"
#include "vxlegacyikchains.h"
#include "vxlegacyjoint.h"
#include "vxobject.h"
#include "vxweld.h"

VxLegacyFigure::VxLegacyFigure(QObject* parent) : VxSkeleton(parent) {}

VxLegacyFigure::~VxLegacyFigure() = default;

VxLegacyBinding* VxLegacyFigure::findBinding() const
{
    VxObject* object = getObject();
    if (!object)
        return nullptr;
    QListIterator<VxModifier*> it = object->modifierIterator();
    it.toBack();
    while (it.hasPrevious()) {
        if (VxLegacyBinding* binding = qobject_cast<VxLegacyBinding*>(it.previous()))
            return binding;
    }
    return nullptr;
}

void VxLegacyFigure::addWeld(VxWeld* weld)
{
    if (m_welds.add(weld, this))
        emit weldsChanged();
}

bool VxLegacyFigure::removeWeld(VxWeld* weld)
{
    if (!m_welds.remove(weld))
        return false;
    emit weldsChanged();
    return true;
}

VxLegacyAlternateGeometry* VxLegacyFigure::addAlternateGeometry(VxNode* bone, bool createObject)
{
    if (!bone)
        return nullptr;
    VxLegacyAlternateGeometry* alternate = findAlternateGeometry(bone);
    if (!alternate) {
        alternate = new VxLegacyAlternateGeometry(bone);
        m_alternates.add(alternate, this);
    }
    if (createObject && !alternate->getObject())
        alternate->setObject(new VxObject());
    return alternate;
}

VxLegacyAlternateGeometry* VxLegacyFigure::findAlternateGeometry(const VxNode* bone) const
{
    if (!bone)
        return nullptr;
    for (VxLegacyAlternateGeometry* alternate : m_alternates) {
        if (alternate->getBone() == bone)
            return alternate;
    }
    return nullptr;
}

bool VxLegacyFigure::removeAlternateGeometry(VxLegacyAlternateGeometry* alternate)
{
    return m_alternates.remove(alternate);
}

void VxLegacyFigure::clearIKChains()
{
    if (m_ikChains.isEmpty())
        return;
    m_ikChains.clear();
    emit ikChainsChanged();
}

int VxLegacyFigure::createIKChains()
{
    m_ikChains.clear();
    if (auto* chains = qobject_cast<VxLegacyIKChains*>(findDataItem(VxLegacyIKChains::itemName()))) {
        for (int i = 0; i < chains->getNumChains(); ++i) {
            VxLegacyIKChain* chain = chains->getChain(i);
            if (!chain->getActive() || !chain->getGoal())
                continue;
            IKChain built;
            built.name = chain->getName();
            built.goal = chain->getGoal();
            for (int l = 0; l < chain->getNumLinks(); ++l) {
                if (VxNode* link = chain->getLink(l))
                    built.links.append(link);
            }
            m_ikChains.append(built);
        }
    }
    emit ikChainsChanged();
    return m_ikChains.size();
}

void VxLegacyFigure::adjustEndPoint(const VxVec3& endPoint)
{
    setEndPoint(endPoint, true);
}

void VxLegacyFigure::forgetBone(VxNode* bone)
{
    VxSkeleton::forgetBone(bone);
    if (VxLegacyBinding* binding = findBinding()) {
        while (VxLegacyJoint* joint = binding->findJoint(bone))
            binding->removeJoint(joint);
        for (int i = 0; i < binding->getNumJoints(); ++i)
            binding->getJoint(i)->removeJointParamsDrivenBy(bone);
    }
    const auto touchesBone = [bone](const VxWeld* weld) {
        return weld->getWeldBone() == bone || weld->getTargetBone() == bone;
    };
    if (m_welds.removeIf(touchesBone) > 0)
        emit weldsChanged();
    while (VxLegacyAlternateGeometry* alternate = findAlternateGeometry(bone))
        removeAlternateGeometry(alternate);
    if (auto* chains = qobject_cast<VxLegacyIKChains*>(findDataItem(VxLegacyIKChains::itemName()))) {
        for (int i = 0; i < chains->getNumChains(); ++i) {
            chains->getChain(i)->removeLinksOf(bone);
            if (chains->getChain(i)->getGoal() == bone)
                chains->getChain(i)->setGoal(nullptr);
        }
    }
    bool inIKSystem = false;
    for (const IKChain& chain : m_ikChains)
        inIKSystem = inIKSystem || chain.goal == bone || chain.links.contains(bone);
    if (inIKSystem)
        createIKChains();
}
