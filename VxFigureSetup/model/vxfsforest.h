#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

// Operations on the intrusive forests of the document (bones and regions): each node holds
// m_firstChild (owning) and m_nextSibling, plus m_listHead, the address of the head pointer
// of the list it is linked in (null while unlinked) so that a node deleted while still
// linked can take itself out first. Node classes declare this class a friend.
class VxFSForest
{
public:
    // Pre-order search: each node, then its subtree, siblings in list order.
    template<class T, class Pred>
    static T* find(T* first, Pred pred)
    {
        for (T* node = first; node; node = node->m_nextSibling) {
            if (pred(node))
                return node;
            if (T* found = find(node->m_firstChild, pred))
                return found;
        }
        return nullptr;
    }

    // Whether `node` is `root` or lies below it: linking a node under its own subtree would
    // make the forest cyclic.
    template<class T>
    static bool holds(const T* root, const T* node)
    {
        return root == node || find(root->m_firstChild, [node](const T* candidate) { return candidate == node; });
    }

    // Whether `node` is linked in the forest whose top-level list starts at `head`, found
    // by walking up through its QObject parents: each list on the way must be that parent's
    // child list. False as well when a node's QObject parent is not its forest parent.
    template<class T>
    static bool linkedUnder(const T* node, T* const* head)
    {
        while (node) {
            if (node->m_listHead == head)
                return true;
            const T* parent = qobject_cast<const T*>(node->parent());
            if (!parent || node->m_listHead != &parent->m_firstChild)
                return false;
            node = parent;
        }
        return false;
    }

    template<class T>
    static int count(const T* first, bool recursive)
    {
        int n = 0;
        for (const T* node = first; node; node = node->m_nextSibling) {
            ++n;
            if (recursive)
                n += count(node->m_firstChild, true);
        }
        return n;
    }

    // The names of every node of the forest (for trying many candidate names in one pass).
    template<class T>
    static void collectNames(const T* first, QSet<QString>& out)
    {
        for (const T* node = first; node; node = node->m_nextSibling) {
            out.insert(node->getName());
            collectNames(node->m_firstChild, out);
        }
    }

    // Appends every node of the forest to `out` in pre-order.
    template<class T>
    static void collect(T* first, QList<T*>& out)
    {
        for (T* node = first; node; node = node->m_nextSibling) {
            out.append(node);
            collect(node->m_firstChild, out);
        }
    }

    // Appends `node` at the tail of the list starting at `head`. The last node of every list
    // appended to is remembered while it stays the last: readers building long lists append
    // in constant time instead of walking each list again.
    template<class T>
    static void append(T*& head, T* node)
    {
        node->m_nextSibling = nullptr;
        node->m_listHead = &head;
        QHash<T**, T*>& tails = knownTails<T>();
        T* tail = tails.value(&head, nullptr);
        T** slot = tail && tail->m_listHead == &head ? &tail->m_nextSibling : &head;
        while (*slot)
            slot = &(*slot)->m_nextSibling;
        *slot = node;
        tails.insert(&head, node);
    }

    // Unlinks `node` from the list at `head`; with `recursive`, from whichever list below
    // it holds the node (each node's subtree is searched before its next sibling is
    // compared). Only the link goes: the node is neither deleted nor re-parented.
    template<class T>
    static bool unlink(T*& head, T* node, bool recursive)
    {
        if (!node || !head)
            return false;
        if (head == node) {
            head = node->m_nextSibling;
            detach(node);
            return true;
        }
        for (T* current = head; current; current = current->m_nextSibling) {
            if (recursive && unlink(current->m_firstChild, node, true))
                return true;
            if (current->m_nextSibling == node) {
                current->m_nextSibling = node->m_nextSibling;
                detach(node);
                return true;
            }
        }
        return false;
    }

    // Deletes every node of the list in list order, each taken out before it dies, so that
    // listeners running during a deletion never reach a dead node through the list.
    template<class T>
    static void deleteAll(T*& head)
    {
        while (head) {
            T* node = head;
            head = node->m_nextSibling;
            detach(node);
            delete node;
        }
    }

    // Called by a node's destructor: unlinks it when an owner deletes it without unlinking.
    template<class T>
    static void unlinkSelf(T* node)
    {
        if (node->m_listHead)
            unlink(*node->m_listHead, node, false);
    }

private:
    template<class T>
    static void detach(T* node)
    {
        // Every unlink passes here, so a remembered tail is never a dead node.
        if (node->m_listHead) {
            QHash<T**, T*>& tails = knownTails<T>();
            const auto known = tails.find(node->m_listHead);
            if (known != tails.end() && known.value() == node)
                tails.erase(known);
        }
        node->m_nextSibling = nullptr;
        node->m_listHead = nullptr;
    }

    // The remembered last nodes, by the address of their list's head. Never destroyed, so
    // that documents destroyed at exit can still unlink; all forests live on the
    // user-interface thread.
    template<class T>
    static QHash<T**, T*>& knownTails()
    {
        static auto* tails = new QHash<T**, T*>();
        return *tails;
    }
};
