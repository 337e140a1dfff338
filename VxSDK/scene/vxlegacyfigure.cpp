#include "vxlegacyfigure.h"

#include "vxlegacyalternategeometry.h"
#include "vxlegacybinding.h"
#include "vxlegacyikchain.h"
#include "vxlegacyikchains.h"
#include "vxlegacyjoint.h"
#include "vxobject.h"
#include "vxweld.h"

VxLegacyFigure::VxLegacyFigure(QObject* parent) : VxSkeleton(parent) {}

VxLegacyFigure::~VxLegacyFigure()
{
    qDeleteAll(m_welds);
    qDeleteAll(m_alternates);
}

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
    if (!weld || m_welds.contains(weld))
        return;
    weld->setElementParent(this);
    m_welds.append(weld);
    emit weldsChanged();
}

bool VxLegacyFigure::removeWeld(VxWeld* weld)
{
    if (!weld || !m_welds.removeOne(weld))
        return false;
    delete weld;
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
        alternate->setElementParent(this);
        m_alternates.append(alternate);
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
    if (!alternate || !m_alternates.removeOne(alternate))
        return false;
    delete alternate;
    return true;
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
    for (int i = m_welds.size() - 1; i >= 0; --i) {
        if (m_welds[i]->getWeldBone() == bone || m_welds[i]->getTargetBone() == bone)
            removeWeld(m_welds[i]);
    }
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
