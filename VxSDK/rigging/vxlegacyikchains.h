#pragma once

#include "vxelement.h"
#include "vxownedlist.h"

class VxLegacyIKChain;

// The IK chains of a legacy figure, kept as the figure's data item "PoserIKChains". Owns
// its chains. The figure's IK system is built from it by VxLegacyFigure::createIKChains.
class VXSDK_EXPORT VxLegacyIKChains : public VxDataItem
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit VxLegacyIKChains(QObject* parent = nullptr);
    ~VxLegacyIKChains() override;

    static QString itemName() { return QStringLiteral("PoserIKChains"); }

    int getNumChains() const { return m_chains.size(); }
    VxLegacyIKChain* getChain(int index) const { return m_chains.value(index); }
    // Takes ownership and appends.
    void addChain(VxLegacyIKChain* chain);
    // Removes and deletes the chain.
    bool removeChain(VxLegacyIKChain* chain);

private:
    VxOwnedList<VxLegacyIKChain> m_chains;
};
