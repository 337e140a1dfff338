#include "vxscene.h"

#include "vxbone.h"
#include "vxnode.h"
#include "vxskeleton.h"
#include "vxundostack.h"
#include "vxundostacknodecommand.h"
#include "vxviewportmgr.h"

#include <QSaveFile>

#include <algorithm>

namespace {
VxScene* g_scene = nullptr;
VxScene::JsonWriter g_jsonWriter = nullptr;
}

VxScene::VxScene(QObject* parent)
    : QObject(parent),
      m_undoStack(std::make_unique<VxUndoStack>()),
      m_viewportMgr(std::make_unique<VxViewportMgr>())
{
    Q_ASSERT_X(!g_scene, "VxScene", "only one scene may exist");
    g_scene = this;
    // Signals carry nodes; spies, scripts and queued connections need the type known.
    qRegisterMetaType<VxNode*>("VxNode*");
}

VxScene::~VxScene()
{
    // Nodes held by undo steps go first, while every node they may refer to still exists.
    m_undoStack->clear();
    m_destroying = true;
    m_selected.clear();
    const QList<VxNode*> topLevel = getTopLevelNodes();
    for (int i = topLevel.size() - 1; i >= 0; --i)
        delete topLevel[i];
    // Nodes whose parent is outside the scene are not ours to delete.
    for (VxNode* node : m_nodes)
        node->m_scene = nullptr;
    m_nodes.clear();
    if (g_scene == this)
        g_scene = nullptr;
}

VxScene* VxScene::instance()
{
    return g_scene;
}

bool VxScene::addNode(VxNode* node)
{
    if (!node || node->m_scene)
        return false;
    node->m_scene = this;
    m_nodes.append(node);
    emit nodeAdded(node);
    notifyChanged();
    if (m_undoStack->isRecording())
        recordAddition(node);
    return true;
}

void VxScene::recordAddition(VxNode* node)
{
    if (m_undoStack->coversAddition(node))
        return;
    if (isBoneOfOtherSkeleton(node)) {
        m_undoStack->dropHistory(tr("Adding the bone %1 to a figure").arg(node->getName()));
        return;
    }
    m_undoStack->record(new VxUndoStackNodeCommand(VxUndoStackNodeCommand::Addition, this, node, placementOf(node)),
                        node);
}

bool VxScene::isBoneOfOtherSkeleton(const VxNode* node)
{
    const VxSkeleton* skeleton = node->getSkeleton();
    return skeleton && skeleton != node;
}

bool VxScene::removeNode(VxNode* node)
{
    if (!node || node->m_scene != this)
        return false;
    if (m_undoStack->isRecording()) {
        if (!isBoneOfOtherSkeleton(node)) {
            const Placement placement = takeOut(node);
            m_undoStack->record(new VxUndoStackNodeCommand(VxUndoStackNodeCommand::Removal, this, node, placement));
            return true;
        }
        m_undoStack->dropHistory(tr("Deleting the bone %1 of a figure").arg(node->getName()));
    }
    QList<VxNode*> leaving = node->getNodeChildren(true);
    leaving.prepend(node);
    for (VxNode* n : leaving) {
        if (!qobject_cast<VxSkeleton*>(n)) {
            if (VxSkeleton* skeleton = n->getSkeleton())
                skeleton->forgetBone(n);
        }
    }
    QList<VxNode*> selected = m_selected;
    for (VxNode* n : leaving)
        selected.removeAll(n);
    changeSelection(selected);
    for (int i = leaving.size() - 1; i >= 0; --i)
        emit nodeAboutToBeRemoved(leaving[i]);
    if (VxNode* parent = node->getNodeParent())
        parent->removeNodeChild(node, false);
    delete node; // its subtree and its entries here go with it (forgetNode)
    notifyChanged();
    return true;
}

bool VxScene::containsNode(const VxNode* node) const
{
    return node && node->m_scene == this;
}

QList<VxNode*> VxScene::getTopLevelNodes() const
{
    QList<VxNode*> result;
    for (VxNode* node : m_nodes) {
        if (!node->getNodeParent())
            result.append(node);
    }
    return result;
}

VxNode* VxScene::findNode(const QString& name) const
{
    for (VxNode* node : m_nodes) {
        if (node->getName() == name)
            return node;
    }
    return nullptr;
}

void VxScene::selectNode(VxNode* node, bool onOff)
{
    if (!containsNode(node))
        return;
    QList<VxNode*> selected = m_selected;
    selected.removeAll(node);
    if (onOff)
        selected.append(node);
    changeSelection(selected);
}

void VxScene::selectAllNodes(bool onOff)
{
    if (!onOff) {
        changeSelection({});
        return;
    }
    // The primary selection stays primary when there is one.
    QList<VxNode*> selected = m_nodes;
    if (VxNode* primary = getPrimarySelection()) {
        selected.removeAll(primary);
        selected.append(primary);
    }
    changeSelection(selected);
}

void VxScene::setSelection(const QList<VxNode*>& nodes)
{
    QList<VxNode*> selected;
    for (VxNode* node : nodes) {
        if (containsNode(node) && !selected.contains(node))
            selected.append(node);
    }
    changeSelection(selected);
}

bool VxScene::isNodeSelected(const VxNode* node) const
{
    return node && m_selected.contains(const_cast<VxNode*>(node));
}

void VxScene::changeSelection(const QList<VxNode*>& selected)
{
    if (selected == m_selected)
        return;
    VxNode* oldPrimary = getPrimarySelection();
    m_selected = selected;
    if (m_destroying)
        return;
    emit nodeSelectionListChanged();
    if (getPrimarySelection() != oldPrimary)
        emit primarySelectionChanged(getPrimarySelection());
    notifyChanged();
}

void VxScene::registerNodePostCreateScript(const QString& name, PostCreateScript script)
{
    if (name.isEmpty() || !script)
        return;
    m_postCreateScripts.insert(name, std::move(script));
}

void VxScene::unregisterNodePostCreateScript(const QString& name)
{
    m_postCreateScripts.remove(name);
}

bool VxScene::hasNodePostCreateScript(const QString& name) const
{
    return m_postCreateScripts.contains(name);
}

bool VxScene::executeNodePostCreateScript(VxNode* node, const QString& name, const QVariantList& args)
{
    if (!node)
        return false;
    const auto it = m_postCreateScripts.constFind(name);
    if (it == m_postCreateScripts.constEnd())
        return false;
    // Copy: the hook may (un)register hooks while it runs.
    const PostCreateScript script = it.value();
    const bool ok = script(node, args);
    emit nodePostCreateScriptExecuted(node, name, ok);
    return ok;
}

VxScene::Placement VxScene::placementOf(VxNode* root) const
{
    Placement placement;
    placement.parent = root->getNodeParent();
    placement.hadParent = placement.parent != nullptr;
    placement.childIndex = placement.hadParent ? placement.parent->m_children.indexOf(root) : -1;
    QList<VxNode*> subtree = root->getNodeChildren(true);
    subtree.prepend(root);
    for (VxNode* n : qAsConst(subtree)) {
        if (n->m_scene == this)
            placement.nodes.append(qMakePair(n, m_nodes.indexOf(n)));
    }
    return placement;
}

VxScene::Placement VxScene::takeOut(VxNode* root)
{
    const Placement placement = placementOf(root);
    QList<VxNode*> selected = m_selected;
    for (const auto& entry : placement.nodes)
        selected.removeAll(entry.first);
    changeSelection(selected);
    for (int i = placement.nodes.size() - 1; i >= 0; --i)
        emit nodeAboutToBeRemoved(placement.nodes[i].first);
    for (const auto& entry : placement.nodes) {
        m_nodes.removeOne(entry.first);
        entry.first->m_scene = nullptr;
    }
    root->detachFromParent();
    emit root->nodeParentChanged(root);
    notifyChanged();
    return placement;
}

bool VxScene::putBack(VxNode* root, const Placement& placement)
{
    if (root->m_scene || root->m_parent)
        return false;
    VxNode* parent = placement.parent;
    if (placement.hadParent && (!parent || parent->m_scene != this || root->isAncestorOf(parent)))
        return false;
    if (parent) {
        const int index = qBound(0, placement.childIndex, parent->m_children.size());
        parent->m_children.insert(index, root);
        root->m_parent = parent;
        emit parent->childrenChanged();
        emit root->nodeParentChanged(root);
    }
    // Back at their old indices: inserting in ascending order restores the scene's order
    // as long as the steps are undone in order, which the stack guarantees.
    QList<QPair<VxNode*, int>> byIndex;
    for (const auto& entry : placement.nodes) {
        if (entry.first == root || root->isAncestorOf(entry.first))
            byIndex.append(entry);
    }
    std::sort(byIndex.begin(), byIndex.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    for (const auto& entry : qAsConst(byIndex)) {
        m_nodes.insert(qBound(0, entry.second, m_nodes.size()), entry.first);
        entry.first->m_scene = this;
    }
    for (const auto& entry : placement.nodes) {
        if (entry.first->m_scene == this)
            emit nodeAdded(entry.first);
    }
    notifyChanged();
    return true;
}

void VxScene::forgetNode(VxNode* node)
{
    m_nodes.removeOne(node);
    node->m_scene = nullptr;
    if (m_selected.contains(node)) {
        QList<VxNode*> selected = m_selected;
        selected.removeAll(node);
        changeSelection(selected);
    }
}

void VxScene::nodeReparented(VxNode* node)
{
    Q_UNUSED(node);
    notifyChanged();
}

void VxScene::notifyChanged()
{
    if (m_destroying)
        return;
    emit sceneChanged();
    m_viewportMgr->requestRedraw();
}

bool VxScene::setJsonWriter(JsonWriter writer)
{
    g_jsonWriter = writer;
    return writer != nullptr;
}

QByteArray VxScene::toJson() const
{
    return g_jsonWriter ? g_jsonWriter(*this) : QByteArray();
}

bool VxScene::saveJson(const QString& path, QString* error) const
{
    const QByteArray json = toJson();
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(json) == json.size() && file.commit())
        return true;
    if (error)
        *error = QStringLiteral("Cannot write the scene to %1: %2").arg(path, file.errorString());
    return false;
}
