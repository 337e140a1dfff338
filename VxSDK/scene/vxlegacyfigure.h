#pragma once

#include "vxownedlist.h"
#include "vxskeleton.h"

#include <QList>
#include <QPointer>

class VxLegacyAlternateGeometry;
class VxLegacyBinding;
class VxWeld;

// A legacy parametric figure: bones deforming the skin through the legacy binding among
// its object's modifiers, welds between bones, alternate geometries per bone, and an IK
// system built from its "PoserIKChains" data item. Owns its welds and alternates.
class VXSDK_EXPORT VxLegacyFigure : public VxSkeleton
{
    Q_OBJECT
public:
    // A chain of the IK system: the bones of its links in order and its goal.
    struct IKChain
    {
        QString name;
        QList<QPointer<VxNode>> links;
        QPointer<VxNode> goal;
    };

    Q_INVOKABLE explicit VxLegacyFigure(QObject* parent = nullptr);
    ~VxLegacyFigure() override;

    // The last legacy binding among the object's modifiers, or null.
    VxLegacyBinding* findBinding() const;

    int getNumWelds() const { return m_welds.size(); }
    VxWeld* getWeld(int index) const { return m_welds.value(index); }
    // Takes ownership and appends.
    void addWeld(VxWeld* weld);
    // Removes and deletes the weld.
    bool removeWeld(VxWeld* weld);

    // The bone's alternate geometry; a new one (with an empty object when `createObject`)
    // when the bone has none. Null for a null bone.
    VxLegacyAlternateGeometry* addAlternateGeometry(VxNode* bone, bool createObject);
    VxLegacyAlternateGeometry* findAlternateGeometry(const VxNode* bone) const;
    int getNumAlternateGeometries() const { return m_alternates.size(); }
    VxLegacyAlternateGeometry* getAlternateGeometry(int index) const { return m_alternates.value(index); }
    bool removeAlternateGeometry(VxLegacyAlternateGeometry* alternate);

    // The IK system. createIKChains() rebuilds it from the "PoserIKChains" item: one chain
    // for every active chain that has a goal; returns how many it made.
    void clearIKChains();
    int createIKChains();
    int getNumIKChains() const { return m_ikChains.size(); }
    const IKChain& getIKChain(int index) const { return m_ikChains.at(index); }

    // Moves the figure's end point (current and default) to `endPoint`.
    void adjustEndPoint(const VxVec3& endPoint);

    void forgetBone(VxNode* bone) override;

signals:
    void weldsChanged();
    void ikChainsChanged();

private:
    VxOwnedList<VxWeld> m_welds;
    VxOwnedList<VxLegacyAlternateGeometry> m_alternates;
    QList<IKChain> m_ikChains;
};
