#pragma once

#include "vxapptest.h"

#include <QDrag>
#include <QMimeData>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <ostream>

class QTreeWidgetItem;
class VxFSGeomItem;
class VxFSHierarchy;
class VxFSHierarchyItem;
class VxHierarchyBoneItem;
class VxHierarchyEditorView;
class VxHierarchyRegionItem;

// A relationships view shown offscreen with a document, driven as a user drives it: right
// clicks answered through the menu runner, renames typed into the item editor, drops of the
// payloads the drags write.
class HierarchyViewTest : public VxAppTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads an OBJ of one triangle per group from the temporary folder; the document owns it.
    VxFSGeomItem* loadGeometry(const QString& fileName, const QStringList& groups);
    // Adds bones by path: "hip", "hip/abdomen", ... (each parent named before its children).
    void addBones(const QStringList& paths);
    VxFSHierarchyItem* bone(const QString& name) const;
    void attach() const;

    VxHierarchyBoneItem* boneItem(const QString& name) const;
    VxHierarchyRegionItem* regionItem(const QString& name) const;
    QTreeWidgetItem* itemOfType(int type) const;

    void select(const QList<QTreeWidgetItem*>& items) const;
    // Right-clicks `item` in `column` and dismisses the menu; what the menu offered.
    QStringList menuAt(QTreeWidgetItem* item, int column) const;
    // Right-clicks `item` in `column` and chooses the entry with `id`; false when the menu
    // has no such entry.
    bool choose(QTreeWidgetItem* item, int column, int id) const;
    // Types `text` into the in-place editor of `item`'s `column` and presses Return.
    bool rename(QTreeWidgetItem* item, int column, const QString& text) const;
    // Whether the view takes `data` while dragging over `item` / when it is dropped there.
    bool dragMoveAccepted(QTreeWidgetItem* item, const QMimeData& data) const;
    bool drop(QTreeWidgetItem* item, const QMimeData& data) const;
    // The payload a drag of `item` from the view carries.
    std::unique_ptr<QMimeData> dragData(QTreeWidgetItem* item) const;

    std::unique_ptr<QWidget> m_pane;
    std::unique_ptr<VxHierarchyEditorView> m_view;
    std::unique_ptr<VxFSHierarchy> m_document;
};

// The names of a list of sibling bones or regions, from `first` on.
template<class T>
QStringList names(const T* first)
{
    QStringList result;
    for (; first; first = first->getNextSibling())
        result.append(first->getName());
    return result;
}

// A copy of what `drag` carries, which outlives the drag.
std::unique_ptr<QMimeData> payload(const QDrag& drag);

// Whether the whole tree shows the document: one item per bone and region, each under the
// item of its parent (the children of an item in any order), every text as the model gives
// it, the geometry item leading each bone, the root's children base geometry, "Bones" and
// (single skin only) "Regions", and the "Weld" column shown for parametric figures only.
::testing::AssertionResult treeMirrorsDocument(const VxHierarchyEditorView& view);

// Readable strings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
