#pragma once

#include "vxelement.h"
#include "vxnode.h"

#include <QPointer>


// Welds the skin of one bone to that of a target bone, so the seam between them stays
// closed when either moves.
class VXSDK_EXPORT VxWeld : public VxElement
{
    Q_OBJECT
public:
    VxWeld(VxNode* weldBone, VxNode* targetBone, QObject* parent = nullptr);
    ~VxWeld() override;

    VxNode* getWeldBone() const { return m_weldBone; }
    VxNode* getTargetBone() const { return m_targetBone; }

private:
    QPointer<VxNode> m_weldBone;
    QPointer<VxNode> m_targetBone;
};
