#pragma once

#include "vxelement.h"
#include "vxownedlist.h"

class VxBoneBinding;
class VxFigure;
class VxNode;

// Binds the skin of a single-skin figure to its bones: one bone binding per bone, in the
// order they were added (builders add parents before children). Owns its bone bindings.
class VXSDK_EXPORT VxSkinBinding : public VxElement
{
    Q_OBJECT
public:
    // Which maps normalize() looks at; combine with |. 31 means all of them.
    enum NormalizeChannel {
        NormalizeX = 1,      // local maps of the X axis, across bones
        NormalizeY = 2,      // local maps of the Y axis, across bones
        NormalizeZ = 4,      // local maps of the Z axis, across bones
        NormalizeScale = 8,  // scale maps, across bones
        NormalizeBulge = 16, // each bulge binding's right and left maps, per binding
        NormalizeAll = 31
    };
    // How normalize() shares the full weight among bones.
    enum NormalizePriority {
        ProportionalPriority = 0, // every bone's weight is scaled by the same factor
        BindingOrderPriority = 1  // earlier bindings keep theirs, later ones get the rest
    };

    explicit VxSkinBinding(QObject* parent = nullptr);
    ~VxSkinBinding() override;

    VxFigure* getFigure() const;

    int getNumBoneBindings() const { return m_bindings.size(); }
    VxBoneBinding* getBoneBinding(int index) const { return m_bindings.value(index); }
    // Takes ownership and appends.
    void addBoneBinding(VxBoneBinding* binding);
    // Removes and deletes the binding.
    bool removeBoneBinding(VxBoneBinding* binding);
    VxBoneBinding* findBoneBinding(const VxNode* bone) const;

    // Makes the weights of each vertex add up to the full weight (65535). For every channel
    // chosen in `normalizeType` and every vertex that has any weight on it, the weights of
    // that channel across all bone bindings are rescaled by `priorityType` so that they sum
    // to 65535; with `onlyOverweight` only sums above 65535 are brought down. Vertices with
    // no weight stay at zero: an unpainted figure stays unpainted, and all-zero pages are
    // never allocated. Bulge maps are not shared across bones: at each vertex a bulge
    // binding's right and left weights together are brought down to 65535 when above.
    // Returns the number of weights changed.
    int normalize(int priorityType, int normalizeType, bool onlyOverweight);

signals:
    void bindingsChanged();

private:
    VxOwnedList<VxBoneBinding> m_bindings;
};
