#pragma once

#include "vxskeleton.h"

#include <memory>

class VxSkinBinding;

// A weight-mapped single-skin figure: bones bound to one skin shape through the figure's
// skin binding, which the figure creates and owns.
class VXSDK_EXPORT VxFigure : public VxSkeleton
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit VxFigure(QObject* parent = nullptr);
    ~VxFigure() override;

    VxSkinBinding* getSkinBinding() const { return m_skinBinding.get(); }

    void forgetBone(VxNode* bone) override;

private:
    std::unique_ptr<VxSkinBinding> m_skinBinding;
};
