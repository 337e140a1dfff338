#include "modeltestmeshes.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include "vxapptest.h"
#include "vxfacetshape.h"
#include "vxmessageboxanswerer.h"

#include <QSignalSpy>

using HierarchyTest = VxAppTest;

TEST_F(HierarchyTest, ANewDocumentIsAnEmptySingleSkinFigure)
{
    VxFSHierarchy document;
    EXPECT_EQ(document.getName(), QStringLiteral("Figure"));
    EXPECT_EQ(document.getLabel(), QStringLiteral("Figure"));
    EXPECT_EQ(document.getFigureType(), SingleSkin);
    EXPECT_EQ(document.getContentType(), QStringLiteral("Figure"));
    EXPECT_FALSE(document.getApplySubD());
    EXPECT_TRUE(document.getSourceFigureName().isEmpty());
    EXPECT_EQ(document.getNumGeometries(), 0);
    EXPECT_EQ(document.getBaseGeometry(), nullptr);
    EXPECT_EQ(document.getFirstBone(), nullptr);
    EXPECT_EQ(document.getFirstRegion(), nullptr);
    EXPECT_EQ(document.getNumIKChains(), 0);

    VxFSHierarchy named(QStringLiteral("Andy"));
    EXPECT_EQ(named.getLabel(), QStringLiteral("Andy"));
}

TEST(HierarchyWithoutHost, HasNoContentType)
{
    VxFSHierarchy document;
    EXPECT_TRUE(document.getContentType().isEmpty());
}

TEST_F(HierarchyTest, SignalsOfTheDocumentSetters)
{
    VxFSHierarchy document;
    QSignalSpy name(&document, &VxFSHierarchy::nameChanged);
    QSignalSpy type(&document, &VxFSHierarchy::figureTypeChanged);
    document.setName(QStringLiteral("Figure"));  // always announced
    EXPECT_EQ(name.count(), 1);
    document.setLabel(QStringLiteral("x"));
    EXPECT_EQ(name.count(), 1);
    EXPECT_TRUE(document.setFigureType(SingleSkin));
    ASSERT_EQ(type.count(), 1);
    EXPECT_EQ(type.at(0).at(0).value<VxFigureSetupFigureType>(), SingleSkin);
    document.setFigureType(Poser);
    EXPECT_EQ(type.at(1).at(0).value<VxFigureSetupFigureType>(), Poser);
    EXPECT_EQ(vxFigureTypeName(Poser), QStringLiteral("Poser"));
    EXPECT_EQ(vxFigureTypeFromName(QStringLiteral("poser")), SingleSkin);
}

TEST_F(HierarchyTest, BaseGeometryChangesAreAnnouncedAndCounted)
{
    VxFSHierarchy document;
    document.setFigureType(Poser);
    auto* body = makeGeomItem(QStringLiteral("body"), {"hip"});
    ASSERT_TRUE(document.addGeometryItem(body));
    std::unique_ptr<VxFSGeomItem> other(makeGeomItem(QStringLiteral("other"), {"hip"}));
    auto* onBody = new VxFSHierarchyItem(&document, QStringLiteral("a"));
    auto* onOther = new VxFSHierarchyItem(&document, QStringLiteral("b"));
    onBody->setGeomGroup(body->getGroup(0));
    onOther->setGeomGroup(other->getGroup(0));

    QSignalSpy changed(&document, &VxFSHierarchy::geometryChanged);
    document.setBaseGeometry(body);
    EXPECT_EQ(changed.count(), 1);
    // Validation does not look at the figure type.
    EXPECT_EQ(onOther->getGeomGroup(), nullptr);
    EXPECT_EQ(onBody->getGeomGroup(), body->getGroup(0));
    document.setBaseGeometry(body);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(body->getUseCount(), 2);

    document.setBaseGeometry(nullptr);
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(body->getUseCount(), 0);
    EXPECT_EQ(onBody->getGeomGroup(), nullptr);
    // The old base geometry no longer reaches the document.
    document.setBaseGeometry(other.get());
    EXPECT_TRUE(document.removeGeometry(body));
    EXPECT_EQ(changed.count(), 3);
    EXPECT_EQ(document.getBaseGeometry(), other.get());
    other.reset();
    EXPECT_EQ(changed.count(), 4);
    EXPECT_EQ(document.getBaseGeometry(), nullptr);
}

TEST_F(HierarchyTest, ClearKeepsGeometryAndOptionallyRegions)
{
    for (bool includeRegions : {false, true}) {
        VxFSHierarchy document(QStringLiteral("Andy"));
        auto* body = makeGeomItem(QStringLiteral("body"), {"hip", "chest"});
        ASSERT_TRUE(document.addGeometryItem(body));
        document.fromGeometry(body);
        document.setSourceFigureName(QStringLiteral("Figure 1"));
        document.setApplySubD(true);
        document.setFigureType(Poser);
        document.createIKChain(QStringLiteral("spine"))->addLink(document.getFirstBone(), 1.0f);
        auto* head = new VxFSRegionItem(&document, QStringLiteral("Head"));
        new VxFSRegionItem(head, QStringLiteral("Face"));
        EXPECT_EQ(body->getUseCount(), 3);

        QSignalSpy name(&document, &VxFSHierarchy::nameChanged);
        QSignalSpy geometry(&document, &VxFSHierarchy::geometryChanged);
        document.clear(includeRegions);
        EXPECT_EQ(name.count(), 1);
        EXPECT_EQ(geometry.count(), 0);
        EXPECT_EQ(document.getName(), QStringLiteral("Figure"));
        EXPECT_EQ(document.getLabel(), QStringLiteral("Figure"));
        EXPECT_TRUE(document.getSourceFigureName().isEmpty());
        EXPECT_EQ(document.getFirstBone(), nullptr);
        EXPECT_EQ(document.getNumIKChains(), 0);
        EXPECT_EQ(document.getBaseGeometry(), nullptr);
        EXPECT_EQ(body->getUseCount(), 0);
        EXPECT_FALSE(body->getGroup(0)->isAssigned());
        EXPECT_EQ(document.getNumGeometries(), 1);
        EXPECT_EQ(document.getFigureType(), Poser);
        EXPECT_TRUE(document.getApplySubD());
        EXPECT_EQ(document.getFirstRegion() != nullptr, !includeRegions);
        if (!includeRegions) {
            EXPECT_NE(document.findRegion(QStringLiteral("Face")), nullptr);
        }
    }
}

TEST_F(HierarchyTest, FromGeometryMakesOneRootBonePerFaceGroup)
{
    VxFSHierarchy document;
    document.fromGeometry(nullptr);
    EXPECT_EQ(document.getName(), QStringLiteral("Figure"));

    auto* body = makeGeomItem(QStringLiteral("body"), {"hip", "chest", "hip"});
    ASSERT_TRUE(document.addGeometryItem(body));
    new VxFSHierarchyItem(&document, QStringLiteral("old"));
    QSignalSpy name(&document, &VxFSHierarchy::nameChanged);
    QSignalSpy geometry(&document, &VxFSHierarchy::geometryChanged);
    VxMessageBoxAnswerer answerer;
    document.fromGeometry(body);
    EXPECT_EQ(answerer.count(), 1);  // the group name used twice
    EXPECT_EQ(name.count(), 2);  // clear, then the shape's name
    EXPECT_EQ(geometry.count(), 1);
    EXPECT_EQ(document.getName(), QStringLiteral("body"));
    EXPECT_EQ(document.getLabel(), QStringLiteral("body"));
    EXPECT_EQ(document.getBaseGeometry(), body);
    const QList<VxFSHierarchyItem*> bones = document.getAllBones();
    ASSERT_EQ(bones.size(), 3);
    EXPECT_EQ(bones[0]->getName(), QStringLiteral("hip"));
    EXPECT_EQ(bones[1]->getName(), QStringLiteral("chest"));
    EXPECT_EQ(bones[2]->getName(), QStringLiteral("hip_1"));
    EXPECT_EQ(bones[0]->getGeomGroup(), body->getGroup(0));
    EXPECT_EQ(bones[2]->getGeomGroup(), body->getGroup(2));
    EXPECT_EQ(body->getUseCount(), 4);
}

TEST_F(HierarchyTest, BoneForestLookups)
{
    VxFSHierarchy document;
    auto* hip = new VxFSHierarchyItem(&document, QStringLiteral("hip"));
    auto* abdomen = new VxFSHierarchyItem(hip, QStringLiteral("abdomen"));
    auto* chest = new VxFSHierarchyItem(abdomen, QStringLiteral("chest"));
    auto* second = new VxFSHierarchyItem(&document, QStringLiteral("prop"));
    EXPECT_EQ(document.findBone(QStringLiteral("chest")), chest);
    EXPECT_EQ(document.findBone(QStringLiteral("Chest")), nullptr);
    EXPECT_EQ(document.getNumBones(false), 2);
    EXPECT_EQ(document.getNumBones(true), 4);
    EXPECT_EQ(document.getAllBones(), (QList<VxFSHierarchyItem*>{hip, abdomen, chest, second}));

    // Names can only clash through bones made outside the document and linked in; the
    // first in pre-order wins.
    auto* twin = new VxFSHierarchyItem(static_cast<VxFSHierarchyItem*>(nullptr), QStringLiteral("chest"));
    second->addChild(twin);
    twin->setParent(second);
    EXPECT_EQ(document.findBone(QStringLiteral("chest")), chest);

    EXPECT_FALSE(document.removeBone(chest, false));
    EXPECT_TRUE(document.removeBone(chest, true));
    EXPECT_EQ(abdomen->getFirstChild(), nullptr);
    EXPECT_EQ(document.findBone(QStringLiteral("chest")), twin);
    EXPECT_TRUE(document.removeBone(hip, false));
    EXPECT_EQ(document.getFirstBone(), second);
    EXPECT_FALSE(document.removeBone(hip, true));
    document.addBone(hip);
    EXPECT_EQ(second->getNextSibling(), hip);
    delete chest;  // unlinked: its owner is whoever unlinked it
}

TEST_F(HierarchyTest, IKChainsKeepTheirOrder)
{
    VxFSHierarchy document;
    VxFSHierarchyIKChain* a = document.createIKChain(QStringLiteral("a"));
    VxFSHierarchyIKChain* b = document.createIKChain(QStringLiteral("b"));
    VxFSHierarchyIKChain* c = document.createIKChain(QStringLiteral("c"));
    EXPECT_TRUE(a->isActive());
    auto order = [&] {
        QString names;
        for (int i = 0; i < document.getNumIKChains(); ++i)
            names += document.getIKChain(i)->getName();
        return names;
    };
    document.moveIKChainToEnd(a);
    EXPECT_EQ(order(), QStringLiteral("bca"));
    document.moveIKChainAfter(b, c);
    EXPECT_EQ(order(), QStringLiteral("cba"));
    VxFSHierarchyIKChain stranger(QStringLiteral("x"));
    document.moveIKChainAfter(a, &stranger);
    EXPECT_EQ(order(), QStringLiteral("acb"));
    document.moveIKChainAfter(b, nullptr);
    EXPECT_EQ(order(), QStringLiteral("bac"));
    document.moveIKChainToEnd(&stranger);
    EXPECT_EQ(order(), QStringLiteral("bac"));
    document.removeIKChain(a);
    EXPECT_EQ(order(), QStringLiteral("bc"));
    document.removeIKChain(nullptr);
    // A chain deleted behind the document's back leaves the list too.
    delete c;
    EXPECT_EQ(order(), QStringLiteral("b"));
}

TEST_F(HierarchyTest, GeometryItemsAreUniqueByPathAndMoveBetweenDocuments)
{
    VxFSHierarchy first;
    auto* body = makeGeomItem(QStringLiteral("body"), {"hip"});
    ASSERT_TRUE(first.addGeometryItem(body));
    EXPECT_FALSE(first.addGeometryItem(body));
    // Items built from scene shapes have no path: a second one is refused.
    std::unique_ptr<VxFSGeomItem> hat(makeGeomItem(QStringLiteral("hat"), {}));
    EXPECT_FALSE(first.addGeometryItem(hat.get()));
    EXPECT_EQ(first.findGeometryByName(QStringLiteral("body")), body);
    EXPECT_EQ(first.findGeometry(QString()), body);
    EXPECT_EQ(first.findGeometryByName(QStringLiteral("hat")), nullptr);
    auto* bone = new VxFSHierarchyItem(&first, QStringLiteral("hip"));
    bone->setGeomGroup(body->getGroup(0));

    {
        VxFSHierarchy second;
        ASSERT_TRUE(second.addGeometryItem(body));
        EXPECT_EQ(first.getNumGeometries(), 0);
        EXPECT_EQ(body->getDocument(), &second);
        EXPECT_EQ(second.getGeometry(0), body);
        EXPECT_TRUE(second.removeGeometry(body));
        EXPECT_FALSE(second.removeGeometry(body));
    }
    EXPECT_EQ(bone->getGeomGroup(), nullptr);
    EXPECT_EQ(first.getBaseGeometry(), nullptr);
}

TEST_F(HierarchyTest, AFileThatCannotBeReadAddsNothing)
{
    VxFSHierarchy document;
    bool alreadyLoaded = true;
    EXPECT_EQ(document.addGeometry(tempPath(QStringLiteral("missing.obj")), &alreadyLoaded), nullptr);
    EXPECT_FALSE(alreadyLoaded);
    EXPECT_EQ(document.getNumGeometries(), 0);
    EXPECT_EQ(m_app->getBusyCursorDepth(), 0);

    VxFSGeomItem failed(tempPath(QStringLiteral("dir/missing.obj")), 3, nullptr);
    EXPECT_FALSE(failed.isLoaded());
    EXPECT_TRUE(failed.getPath().isEmpty());
    EXPECT_TRUE(failed.getShortName().isEmpty());
    EXPECT_EQ(failed.getShape(), nullptr);
    EXPECT_EQ(failed.getNumGroups(), 0);
    EXPECT_EQ(failed.getIndex(), 3);
}

TEST_F(HierarchyTest, AFormerBaseGeometryDyingLeavesTheCurrentOne)
{
    VxFSHierarchy document;
    std::unique_ptr<VxFSGeomItem> former(makeGeomItem(QStringLiteral("former"), {}));
    std::unique_ptr<VxFSGeomItem> current(makeGeomItem(QStringLiteral("current"), {}));
    document.setBaseGeometry(former.get());
    document.clear(false);
    document.setBaseGeometry(current.get());
    QSignalSpy changed(&document, &VxFSHierarchy::geometryChanged);
    former.reset();
    EXPECT_EQ(document.getBaseGeometry(), current.get());
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(current->getUseCount(), 1);
}

TEST_F(HierarchyTest, BonesLinkedInFromOutsideAreFoundAndCyclesAreRefused)
{
    VxFSHierarchy document;
    auto* hip = new VxFSHierarchyItem(&document, QStringLiteral("hip"));
    auto* chest = new VxFSHierarchyItem(hip, QStringLiteral("chest"));
    auto* loose = new VxFSHierarchyItem(static_cast<VxFSHierarchyItem*>(nullptr), QStringLiteral("loose"));
    auto* looseChild = new VxFSHierarchyItem(loose, QStringLiteral("looseChild"));
    auto* prop = new VxFSHierarchyItem(static_cast<VxFSHierarchyItem*>(nullptr), QStringLiteral("prop"));
    document.addBone(loose);
    chest->addChild(prop);
    EXPECT_EQ(document.findBone(QStringLiteral("looseChild")), looseChild);
    EXPECT_EQ(document.findBone(QStringLiteral("prop")), prop);
    // Their QObject parents lead to no document, so they cannot report a rename.
    prop->setName(QStringLiteral("stick"));
    EXPECT_EQ(document.findBone(QStringLiteral("stick")), prop);

    chest->addChild(hip);
    hip->addChild(hip);
    EXPECT_EQ(document.getFirstBone(), hip);
    EXPECT_EQ(hip->getFirstChild(), chest);
    EXPECT_EQ(chest->getFirstChild(), prop);
    EXPECT_EQ(document.getNumBones(true), 5);

    auto* head = new VxFSRegionItem(&document, QStringLiteral("Head"));
    auto* face = new VxFSRegionItem(head, QStringLiteral("Face"));
    face->addChild(head);
    EXPECT_EQ(document.getFirstRegion(), head);
    EXPECT_EQ(face->getFirstChild(), nullptr);
}
