#include "randomdocument.h"

#include "buildtestsupport.h"

#include <algorithm>

void RandomDocument::fill(VxFSHierarchy& document, VxFigureSetupFigureType type, VxFSGeomItem* base,
                          const QList<VxFSGeomItem*>& alternates, int maxBones)
{
    document.setFigureType(type);
    document.setName(QStringLiteral("Gen%1").arg(uniform(0, 99999)));
    document.setLabel(document.getName() + QStringLiteral(" Label"));
    document.setBaseGeometry(base);

    const int count = uniform(1, maxBones);
    QList<VxFSHierarchyItem*> bones;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("bone%1").arg(i);
        // About one bone in four starts a new root; the others hang below an earlier bone.
        VxFSHierarchyItem* parent = bones.isEmpty() || chance(0.25) ? nullptr : bones[uniform(0, bones.size() - 1)];
        auto* bone = parent ? new VxFSHierarchyItem(parent, name) : new VxFSHierarchyItem(&document, name);
        fillBone(bone);
        bones.append(bone);
    }

    // Face groups: a random share of the base geometry's groups, each to one bone.
    QList<VxFSGeomGroup*> groups;
    for (int g = 0; base && g < base->getNumGroups(); ++g)
        groups.append(base->getGroup(g));
    std::shuffle(groups.begin(), groups.end(), m_random);
    for (VxFSHierarchyItem* bone : bones) {
        if (!groups.isEmpty() && chance(0.8))
            bone->setGeomGroup(groups.takeFirst());
    }

    if (type == Poser) {
        QList<VxFSGeomItem*> unused = alternates;
        std::shuffle(unused.begin(), unused.end(), m_random);
        for (VxFSHierarchyItem* bone : bones) {
            while (!unused.isEmpty() && chance(0.2))
                bone->addAltGeometry(unused.takeFirst());
            if (bones.size() > 1 && chance(0.3)) {
                VxFSHierarchyItem* target = bones[uniform(0, bones.size() - 1)];
                if (target != bone)
                    bone->setWeldTarget(target);
            }
        }
        addChains(document, bones);
    } else {
        addRegions(document);
    }
}

void RandomDocument::fillBone(VxFSHierarchyItem* bone)
{
    if (chance(0.5))
        bone->setLabel(bone->getName() + QStringLiteral(" %1").arg(uniform(0, 9)));
    bone->setRotationOrder(VxRotationOrder(uniform(0, 5)));
    if (chance(0.3)) {
        bone->setAxis1Label(QStringLiteral("Twist%1").arg(uniform(0, 9)));
        bone->setAxis2Label(QStringLiteral("Side%1").arg(uniform(0, 9)));
        bone->setAxis3Label(QStringLiteral("Bend%1").arg(uniform(0, 9)));
    }
    bone->setCurve(chance(0.3));
    bone->setTwist(chance(0.7));
    bone->setSideSide(chance(0.7));
    bone->setBend(chance(0.7));
    bone->setScale(chance(0.7));
    bone->setTwistBulge(chance(0.4));
    bone->setSideBulge(chance(0.4));
    bone->setBendBulge(chance(0.4));
}

void RandomDocument::addChains(VxFSHierarchy& document, const QList<VxFSHierarchyItem*>& bones)
{
    const int chains = uniform(0, 3);
    for (int c = 0; c < chains; ++c) {
        VxFSHierarchyIKChain* chain = document.createIKChain(QStringLiteral("chain%1").arg(c));
        chain->setActive(chance(0.7));
        const int links = uniform(1, 4);
        for (int l = 0; l < links; ++l)
            chain->addLink(bones[uniform(0, bones.size() - 1)], float(uniform(1, 100)) / 100.0f);
    }
}

void RandomDocument::addRegions(VxFSHierarchy& document)
{
    if (chance(0.2))
        return;
    auto* top = new VxFSRegionItem(&document, QStringLiteral("Figure"));
    QList<VxFSRegionItem*> regions{top};
    const int count = uniform(0, 6);
    for (int i = 0; i < count; ++i)
        regions.append(new VxFSRegionItem(regions[uniform(0, regions.size() - 1)], QStringLiteral("region%1").arg(i)));
    // A second top-level tree, which a single-skin figure does not take.
    if (chance(0.3))
        new VxFSRegionItem(new VxFSRegionItem(&document, QStringLiteral("Props")), QStringLiteral("Hat"));
}

namespace {
// Moves `bone` below `parent` (to the top when null), as the relationships view does.
void moveBone(VxFSHierarchy& document, VxFSHierarchyItem* bone, VxFSHierarchyItem* parent)
{
    document.removeBone(bone, true);
    if (parent) {
        bone->setParent(parent);
        parent->addChild(bone);
    } else {
        bone->setParent(&document);
        document.addBone(bone);
    }
}
} // namespace

QString RandomDocument::edit(VxFSHierarchy& document)
{
    QStringList done;
    QList<VxFSHierarchyItem*> bones = document.getAllBones();
    const auto any = [&] { return bones[uniform(0, bones.size() - 1)]; };
    const int moves = uniform(0, 2);
    for (int i = 0; i < moves && bones.size() > 1; ++i) {
        VxFSHierarchyItem* bone = any();
        VxFSHierarchyItem* parent = chance(0.2) ? nullptr : any();
        if (parent && (parent == bone || bone->getAllDescendants().contains(parent)))
            continue;
        moveBone(document, bone, parent);
        done << QStringLiteral("move %1 below %2").arg(bone->getName(), parent ? parent->getName() : QStringLiteral("(top)"));
    }
    for (int i = uniform(0, 2); i > 0; --i) {
        VxFSHierarchyItem* bone = any();
        fillBone(bone);
        done << QStringLiteral("set %1 to %2 order %3").arg(bone->getName(), choicesOf(bone)).arg(bone->getRotationOrder().getOrder());
    }
    if (chance(0.2)) {
        VxFSHierarchyItem* bone = any();
        done << QStringLiteral("rename %1").arg(bone->getName());
        bone->setName(bone->getName() + QStringLiteral("r"));
    }
    if (chance(0.2)) {
        VxFSHierarchyItem* parent = any();
        auto* bone = new VxFSHierarchyItem(parent, QStringLiteral("new%1").arg(uniform(0, 9999)));
        fillBone(bone);
        done << QStringLiteral("add %1 below %2").arg(bone->getName(), parent->getName());
    }
    if (chance(0.15) && bones.size() > 1) {
        VxFSHierarchyItem* bone = any();
        auto* parent = qobject_cast<VxFSHierarchyItem*>(bone->parent());
        while (VxFSHierarchyItem* child = bone->getFirstChild())
            moveBone(document, child, parent);
        document.removeBone(bone, true);
        done << QStringLiteral("delete %1").arg(bone->getName());
        delete bone;
    }
    return done.join(QStringLiteral("; "));
}
