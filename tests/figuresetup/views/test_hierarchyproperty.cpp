// A long seeded run of the edits a user makes in the relationships view, after each of which
// the tree must still show the document exactly.
#include "hierarchyviewtest.h"

#include "vxhierarchyboneitem.h"
#include "vxhierarchyeditorview.h"
#include "vxhierarchyregionitem.h"

#include "vxfsforest.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include "vxmessageboxanswerer.h"

#include <QTreeWidgetItemIterator>

#include <random>

namespace {
template<class T>
QList<T*> itemsOf(QTreeWidget& view)
{
    QList<T*> items;
    for (QTreeWidgetItemIterator it(&view); *it; ++it) {
        if (auto* item = vxHierarchyItemCast<T>(*it))
            items.append(item);
    }
    return items;
}

} // namespace

TEST_F(HierarchyViewTest, TheTreeFollowsALongSeededRunOfEdits)
{
    VxMessageBoxAnswerer answerer;
    for (const VxFigureSetupFigureType type : {SingleSkin, Poser}) {
        m_view->clear();
        m_document = std::make_unique<VxFSHierarchy>();
        addBones({"hip", "hip/abdomen", "hip/abdomen/chest", "hip/lThigh", "hip/rThigh", "hip/rThigh/rShin"});
        new VxFSRegionItem(new VxFSRegionItem(m_document.get(), "Body"), "Head");
        m_document->setFigureType(type);
        attach();
        std::mt19937 random(type == Poser ? 20251 : 7);
        auto pick = [&random](const auto& list) { return list.at(int(random() % unsigned(list.size()))); };
        const QStringList names = {"hip", "chest", "neck", "lHand", "newBone"};

        for (int step = 0; step < 250; ++step) {
            const QList<VxHierarchyBoneItem*> bones = itemsOf<VxHierarchyBoneItem>(*m_view);
            const QList<VxHierarchyRegionItem*> regions = itemsOf<VxHierarchyRegionItem>(*m_view);
            QTreeWidgetItem* container = m_view->topLevelItem(0)->child(1);
            VxHierarchyBoneItem* one = bones.isEmpty() ? nullptr : pick(bones);
            VxHierarchyBoneItem* other = bones.isEmpty() ? nullptr : pick(bones);
            // Bones are added about twice as often as removed, so the forest keeps growing.
            const int op = int(random() % 12);
            if (!one && op != 3 && op < 10)
                continue;
            switch (op) {
            case 0: // typed into the name or label cell, as the item editor does
                one->setText(int(random() % 2), pick(names));
                break;
            case 1: {
                // A bone goes anywhere but into its own subtree.
                const bool toBone = random() % 4;
                const bool allowed = !toBone || !VxFSForest::holds(one->getBone(), other->getBone());
                ASSERT_EQ(drop(toBone ? other : container, *dragData(one)), allowed) << "step " << step;
                break;
            }
            case 2:
                select({one, other});
                ASSERT_TRUE(choose(one, 2, 30 + int(random() % 6)));
                break;
            case 3:
            case 10:
            case 11:
                select({one ? static_cast<QTreeWidgetItem*>(one) : container});
                ASSERT_TRUE(choose(m_view->selectedItems().first(), 0, 3));
                break;
            case 4:
                select({one, other});
                ASSERT_TRUE(choose(one, 0, bones.size() > 8 && random() % 3 == 0 ? 6 : 5));
                break;
            case 5:
                if (!regions.isEmpty()) {
                    select({pick(regions)});
                    ASSERT_TRUE(choose(m_view->selectedItems().first(), 0, 20 + int(random() % 2)));
                }
                break;
            case 6:
                if (regions.size() > 1) {
                    VxHierarchyRegionItem* dragged = pick(regions);
                    VxHierarchyRegionItem* target = pick(regions);
                    const bool allowed = !VxFSForest::holds(dragged->getRegion(), target->getRegion());
                    ASSERT_EQ(drop(target, *dragData(dragged)), allowed) << "step " << step;
                }
                break;
            case 7:
                if (type == Poser) {
                    select({one, other});
                    ASSERT_TRUE(choose(one, 3, 7 + int(random() % 2)));
                }
                break;
            case 8:
                one->getBone()->setCurve(random() % 2);
                break;
            default:
                one->getBone()->addWeldTarget(other->getBone());
                break;
            }
            ASSERT_TRUE(treeMirrorsDocument(*m_view)) << "step " << step << ", edit " << op;
        }
        EXPECT_GT(m_document->getNumBones(true), 0);
    }
}
