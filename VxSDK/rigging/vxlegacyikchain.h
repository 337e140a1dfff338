#pragma once

#include "vxelement.h"
#include "vxnode.h"

#include <QList>
#include <QPointer>


// One inverse-kinematics chain of a legacy figure: weighted links from the chain's root
// towards its end, a goal bone the chain reaches for, and an active flag.
class VXSDK_EXPORT VxLegacyIKChain : public VxElement
{
    Q_OBJECT
public:
    explicit VxLegacyIKChain(const QString& name = QString(), QObject* parent = nullptr);
    ~VxLegacyIKChain() override;

    bool getActive() const { return m_active; }
    void setActive(bool active);

    int getNumLinks() const { return m_links.size(); }
    // The link's bone; null for a link whose bone was not found or is gone.
    VxNode* getLink(int index) const;
    float getLinkWeight(int index) const;
    // Inserts at `index`; -1 (or past the end) appends. A null node is kept as a link
    // without a bone.
    void addLink(VxNode* node, float weight, int index = -1);
    bool removeLink(int index);
    // Removes the links of `node`; returns how many went.
    int removeLinksOf(const VxNode* node);

    VxNode* getGoal() const { return m_goal; }
    void setGoal(VxNode* goal);

signals:
    void chainChanged();

private:
    struct Link
    {
        QPointer<VxNode> node;
        float weight;
    };
    bool m_active = true;
    QList<Link> m_links;
    QPointer<VxNode> m_goal;
};
