#include "vxfsfiguremodifier.h"

#include "vxfsbuildguard.h"
#include "vxfsfigureparts.h"
#include "vxfsjointparamupdater.h"
#include "vxfsparametricfigurebuilder.h"
#include "vxfswarningchoice.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"

#include "vxapp.h"
#include "vxbone.h"
#include "vxdefaultmaterial.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxlegacybinding.h"
#include "vxlegacyfigure.h"
#include "vxlegacyikchains.h"
#include "vxlegacyjoint.h"
#include "vxmainwindow.h"
#include "vxobject.h"
#include "vxprogress.h"
#include "vxrefcounted.h"
#include "vxscene.h"
#include "vxselectionmap.h"
#include "vxundostacklock.h"
#include "vxviewportmgr.h"

#include <QMessageBox>
#include <QPointer>

namespace {
// Holds the viewport manager's redraw lock from lock() until unlock() or destruction.
class RedrawLock
{
public:
    explicit RedrawLock(VxViewportMgr* viewports) : m_viewports(viewports) {}
    ~RedrawLock() { unlock(); }
    RedrawLock(const RedrawLock&) = delete;
    RedrawLock& operator=(const RedrawLock&) = delete;

    void lock()
    {
        if (m_viewports && !m_locked) {
            m_viewports->lockRedraws();
            m_locked = true;
        }
    }
    void unlock()
    {
        if (!m_locked)
            return;
        m_locked = false;
        if (m_viewports)
            m_viewports->unlockRedraws();
    }

private:
    QPointer<VxViewportMgr> m_viewports;
    bool m_locked = false;
};

// The main window's viewport manager; without a window (batch runs) the scene's own, which
// is the same object when there is one.
VxViewportMgr* viewportManager()
{
    if (VxMainWindow* window = vxApp ? vxApp->getInterface() : nullptr)
        return window->getViewportMgr();
    return vxScene ? vxScene->getViewportMgr() : nullptr;
}

// Apply runs again and again on the same figure: materials the skin has already stay as
// the user left them, and only the base shape's materials it lacks are added.
void addMissingMaterials(const VxShape* source, VxShape* target)
{
    for (int i = 0; i < source->getNumMaterials(); ++i) {
        const VxMaterial* original = source->getMaterial(i);
        if (target->findMaterialIndex(original->getName()) >= 0)
            continue;
        VxRefGuard<VxDefaultMaterial> material(new VxDefaultMaterial());
        material->setName(original->getName());
        material->setLabel(original->getLabel());
        target->addMaterial(material.get());
    }
}
} // namespace

VxFSFigureModifier::VxFSFigureModifier(VxFSHierarchy* document) : m_document(document) {}

void VxFSFigureModifier::modifySelectedFigure()
{
    if (!m_document)
        return;
    VxNode* selected = vxScene ? vxScene->getPrimarySelection() : nullptr;
    auto* figure = qobject_cast<VxLegacyFigure*>(selected ? selected->getSkeleton() : nullptr);
    if (!figure || figure->getName() != m_document->getSourceFigureName()) {
        VxFSWarningChoice::ask(VxFSWarningChoice::tr("Selection Error"),
                               VxFSWarningChoice::tr("The figure selected is not the figure that was copied."),
                               VxFSWarningChoice::tr("&OK"), QString(), QString(), 0, -1);
        return;
    }
    modifyParametricFigure(figure);
    vxScene->selectAllNodes(false);
    figure->select(true);
}

void VxFSFigureModifier::modifyParametricFigure(VxLegacyFigure* figure)
{
    if (!m_document || !figure || !figure->getObject())
        return;
    VxLegacyBinding* binding = figure->findBinding();
    if (!binding)
        return;

    VxFSBuildGuard build(VxFSFigureParts::countBones(m_document));
    VxUndoStackLock undoLock;
    RedrawLock redraws(viewportManager());
    VxFSBuildGuard::runGuarded(
        [&] {
            if (figure->getName() == m_document->getName() && !askToReuseName())
                return;
            redraws.lock();
            applyChanges(figure, binding, build.progress());
        },
        [&] {
            undoLock.unlock();
            redraws.unlock();
            build.progress()->finish();
        });
    undoLock.unlock();
    redraws.unlock();
    build.close();
}

bool VxFSFigureModifier::askToReuseName() const
{
    QWidget* parent = vxApp ? vxApp->getInterface() : nullptr;
    const int answer = QMessageBox::warning(
        parent, VxFSWarningChoice::tr("Figure Name Warning"),
        VxFSWarningChoice::tr("The name of the new hierarchy and figure being pasted to are the same.\n"
                              " Do you wish to continue?"),
        QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
    return answer == QMessageBox::Ok;
}

void VxFSFigureModifier::applyChanges(VxLegacyFigure* figure, VxLegacyBinding* binding, VxProgress* progress)
{
    figure->setName(m_document->getName());
    figure->setLabel(m_document->getLabel());
    for (int i = figure->getNumWelds() - 1; i >= 0; --i)
        figure->removeWeld(figure->getWeld(i));
    figure->clearIKChains();
    VxFSFigureParts::setSourceFileData(figure, m_document);
    applySkin(figure);

    removeUnmappedBones(figure, binding);
    for (VxFSHierarchyItem* root = m_document->getFirstBone(); root; root = root->getNextSibling())
        applyBone(root, figure, figure, binding, progress);
    // New bones brought selection pairs, and the skin may be another mesh.
    figure->clearVertexMaps();
    for (VxFSHierarchyItem* root = m_document->getFirstBone(); root; root = root->getNextSibling())
        root->applyWelds(figure);
    rebuildIKChains(figure);
    VxFSFigureParts::setPresentation(m_document, figure);
}

void VxFSFigureModifier::applySkin(VxLegacyFigure* figure)
{
    const VxFSGeomItem* base = m_document->getBaseGeometry();
    VxFacetShape* source = base ? base->getShape() : nullptr;
    if (!source)
        return;
    VxObject* object = figure->getObject();
    auto* shape = qobject_cast<VxFacetShape*>(object->getCurrentShape());
    if (!shape) {
        shape = new VxFacetShape();
        object->addShape(shape, -1);
    }
    VxFacetMesh* mesh = source->getFacetMesh();
    if (mesh)
        mesh->enableSubDivision(m_document->getApplySubD());
    shape->setFacetMesh(mesh);
    shape->setName(source->getName());
    addMissingMaterials(source, shape);
    if (mesh)
        figure->adjustEndPoint(mesh->getBoundingBox().getCenter());
}

void VxFSFigureModifier::rebuildIKChains(VxLegacyFigure* figure)
{
    if (VxDataItem* old = figure->findDataItem(VxLegacyIKChains::itemName()))
        figure->removeDataItem(old);
    VxFSFigureParts::createIKChains(m_document, figure);
    figure->createIKChains();
}

void VxFSFigureModifier::removeUnmappedBones(VxLegacyFigure* figure, VxLegacyBinding* binding)
{
    if (!m_document || !figure || !binding)
        return;
    // Only the bone being removed is deleted (its children move out first), so the other
    // pointers of the list stay good.
    for (VxBone* bone : figure->getAllBones()) {
        if (isCopied(bone))
            continue;
        VxNode* parent = bone->getNodeParent();
        if (parent)
            parent->removeNodeChild(bone, false);
        for (VxNode* child : bone->getNodeChildren(false)) {
            bone->removeNodeChild(child, false);
            if (parent)
                parent->addNodeChild(child, false);
        }
        // A root bone's own parent node is this bone only while it lives: deleting it
        // below clears that reference too.
        for (VxFSHierarchyItem* root = m_document->getFirstBone(); root; root = root->getNextSibling())
            root->clearParentNodeReferences(bone);

        if (VxLegacyJoint* joint = binding->findJoint(bone))
            binding->removeJoint(joint);
        if (VxSelectionMap* map = figure->getSelectionMap()) {
            const int pair = map->findPair(bone);
            if (pair >= 0)
                map->removePair(pair);
        }
        // The bone has left the figure, so the scene no longer asks the figure to forget it:
        // the parameters it drove on other joints, further selection pairs, its alternate
        // geometry and chain links go now instead of staying behind without a bone.
        figure->forgetBone(bone);
        if (VxScene* scene = bone->getScene())
            scene->removeNode(bone);
        else
            delete bone;
    }
}

bool VxFSFigureModifier::isCopied(const VxNode* bone) const
{
    for (VxFSHierarchyItem* root = m_document->getFirstBone(); root; root = root->getNextSibling()) {
        if (root->findBySourceBoneName(bone->getName()))
            return true;
    }
    return false;
}

void VxFSFigureModifier::applyBone(VxFSHierarchyItem* item, VxNode* parent, VxLegacyFigure* figure,
                                   VxLegacyBinding* binding, VxProgress* progress)
{
    if (!item || !parent || !figure || !binding)
        return;
    VxBone* bone = item->getMappedBone();
    VxLegacyJoint* joint = nullptr;
    if (bone) {
        bone->setName(item->getName());
        bone->setLabel(item->getLabel());
        // The bone keeps its mapping, under its new name: a later apply must find it again
        // rather than take it for a bone the document dropped.
        item->setSourceBoneName(item->getName());
        if (item->getParentNode() != parent || bone->getNodeParent() != parent)
            parent->addNodeChild(bone, false);
        joint = VxFSJointParamUpdater::updateJointParams(item, bone, binding->findJoint(bone), parent);
        // The mapping follows the bone to its new parent, as it follows its name: a later
        // apply must pair it with the parent it has then, and take the parameters paired
        // with this one away when it moves on or back.
        item->setParentNode(parent);
    } else {
        bone = VxFSParametricFigureBuilder::createLegacyBone(item, parent, figure, binding, false, nullptr);
        joint = bone ? binding->findJoint(bone) : nullptr;
    }
    for (VxFSHierarchyItem* child = item->getFirstChild(); child; child = child->getNextSibling())
        applyBone(child, bone, figure, binding, progress);
    if (joint)
        joint->invalidateWeights();
    if (progress)
        progress->step();
}
