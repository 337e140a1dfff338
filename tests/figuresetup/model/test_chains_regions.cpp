#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyiklink.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include "vxapptest.h"
#include "vxmessageboxanswerer.h"

#include <QSignalSpy>

#include <cstring>

using ChainTest = VxAppTest;
using RegionTest = VxAppTest;

namespace {
QList<VxFSHierarchyItem*> makeBones(VxFSHierarchy& document, int count)
{
    QList<VxFSHierarchyItem*> bones;
    for (int i = 0; i < count; ++i)
        bones << new VxFSHierarchyItem(&document, QStringLiteral("b%1").arg(i));
    return bones;
}

uint32_t bits(float value)
{
    uint32_t result;
    std::memcpy(&result, &value, sizeof result);
    return result;
}
} // namespace

TEST_F(ChainTest, WeightsAreDistributedInSinglePrecision)
{
    VxFSHierarchy document;
    VxFSHierarchyIKChain* four = document.createIKChain(QStringLiteral("four"));
    four->distributeWeights();  // no links: nothing happens
    for (VxFSHierarchyItem* bone : makeBones(document, 4))
        four->addLink(bone, 0.5f);
    QSignalSpy secondWeight(four->getLink(1), &VxFSHierarchyIKLink::weightChanged);
    QSignalSpy firstWeight(four->getLink(0), &VxFSHierarchyIKLink::weightChanged);
    four->distributeWeights();
    EXPECT_EQ(four->getLink(0)->getWeight(), 0.25f);
    EXPECT_EQ(four->getLink(1)->getWeight(), 0.5f);
    EXPECT_EQ(four->getLink(2)->getWeight(), 0.75f);
    EXPECT_EQ(four->getLink(3)->getWeight(), 1.0f);
    EXPECT_EQ(secondWeight.count(), 0);  // already 0.5
    EXPECT_EQ(firstWeight.count(), 1);
    four->distributeWeights();
    EXPECT_EQ(firstWeight.count(), 1);

    VxFSHierarchyIKChain* ten = document.createIKChain(QStringLiteral("ten"));
    for (int i = 0; i < 10; ++i)
        ten->addLink(four->getLink(0)->getBone(), 1.0f);
    ten->distributeWeights();
    // Ten float steps of 0.1 overshoot: 1.0000001, not 1.0 and not the double sum.
    EXPECT_EQ(bits(ten->getLink(9)->getWeight()), bits(1.0000001f));
    EXPECT_NE(ten->getLink(9)->getWeight(), 1.0f);
}

TEST_F(ChainTest, LinksFollowTheirBonesRenameAndDeath)
{
    VxFSHierarchy document;
    QList<VxFSHierarchyItem*> bones = makeBones(document, 3);
    VxFSHierarchyIKChain* chain = document.createIKChain(QStringLiteral("arm"));
    VxFSHierarchyIKLink* link = chain->addLink(bones[1], 1.0f);
    EXPECT_EQ(chain->addLink(nullptr, 1.0f), nullptr);
    QSignalSpy renamed(link, &VxFSHierarchyIKLink::nameChanged);
    QSignalSpy links(chain, &VxFSHierarchyIKChain::linksChanged);
    bones[1]->setName(QStringLiteral("forearm"));
    EXPECT_EQ(renamed.count(), 1);
    EXPECT_EQ(link->getBone(), bones[1]);
    EXPECT_EQ(links.count(), 0);

    // A link deleted by an editor leaves its chain.
    chain->addLink(bones[2], 1.0f);
    delete chain->getLink(1);
    EXPECT_EQ(links.count(), 1);
    EXPECT_EQ(chain->getNumLinks(), 1);

    // A chain that goes leaves its links with their bones; they die with the bones.
    VxFSHierarchyIKLink* orphan = chain->getLink(0);
    QSignalSpy orphanGone(orphan, &QObject::destroyed);
    document.removeIKChain(chain);
    EXPECT_EQ(orphanGone.count(), 0);
    ASSERT_TRUE(document.removeBone(bones[1], false));
    delete bones[1];
    EXPECT_EQ(orphanGone.count(), 1);
}

TEST_F(ChainTest, LinksMoveWithinTheirChain)
{
    VxFSHierarchy document;
    QList<VxFSHierarchyItem*> bones = makeBones(document, 4);
    VxFSHierarchyIKChain* chain = document.createIKChain(QStringLiteral("leg"));
    QSignalSpy name(chain, &VxFSHierarchyIKChain::nameChanged);
    chain->setName(QStringLiteral("leg"));
    chain->setName(QStringLiteral("lLeg"));
    EXPECT_EQ(name.count(), 1);
    VxFSHierarchyIKLink* a = chain->addLink(bones[0], 1.0f);
    VxFSHierarchyIKLink* b = chain->addLink(bones[1], 1.0f);
    VxFSHierarchyIKLink* c = chain->insertLink(bones[2], 1.0f, 0);
    auto order = [&] {
        QList<VxFSHierarchyIKLink*> links;
        for (int i = 0; i < chain->getNumLinks(); ++i)
            links << chain->getLink(i);
        return links;
    };
    EXPECT_EQ(order(), (QList<VxFSHierarchyIKLink*>{c, a, b}));
    chain->moveLinkAfter(c, b);
    EXPECT_EQ(order(), (QList<VxFSHierarchyIKLink*>{a, b, c}));
    VxFSHierarchyIKChain other(QStringLiteral("other"));
    VxFSHierarchyIKLink* foreign = other.addLink(bones[3], 1.0f);
    chain->moveLinkAfter(b, foreign);  // anchor not in the chain: first
    EXPECT_EQ(order(), (QList<VxFSHierarchyIKLink*>{b, a, c}));
    chain->moveLinkAfter(foreign, a);  // a link of another chain stays where it is
    EXPECT_EQ(order(), (QList<VxFSHierarchyIKLink*>{b, a, c}));
    chain->moveLinkToFront(c);
    EXPECT_EQ(order(), (QList<VxFSHierarchyIKLink*>{c, b, a}));
    chain->moveLinkAfter(a, nullptr);
    EXPECT_EQ(order(), (QList<VxFSHierarchyIKLink*>{a, c, b}));
}

TEST_F(RegionTest, NamesAreUniqueAcrossTheRegionTree)
{
    VxFSHierarchy document;
    VxMessageBoxAnswerer answerer;
    auto* head = new VxFSRegionItem(&document, QStringLiteral("Head"));
    auto* face = new VxFSRegionItem(head, QStringLiteral("Head"));
    EXPECT_EQ(face->getName(), QStringLiteral("Head_1"));
    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Invalid Region Name"));
    EXPECT_EQ(answerer.seen()[0].text,
              QStringLiteral("Region names must be unique, appending a value to make the name unique."));
    // Bones and regions have separate name spaces.
    new VxFSHierarchyItem(&document, QStringLiteral("Body"));
    auto* body = new VxFSRegionItem(&document, QStringLiteral("Body"));
    EXPECT_EQ(body->getName(), QStringLiteral("Body"));
    EXPECT_EQ(answerer.count(), 1);

    QSignalSpy renamed(face, &VxFSRegionItem::nameChanged);
    face->setName(QStringLiteral("Head_1"));
    EXPECT_EQ(renamed.count(), 0);
    face->setName(QStringLiteral("Head"));
    EXPECT_EQ(face->getName(), QStringLiteral("Head_2"));
    EXPECT_EQ(renamed.count(), 1);

    EXPECT_EQ(document.findRegion(QStringLiteral("Head_2")), face);
    EXPECT_EQ(head->findChild(QStringLiteral("Head_2")), face);
    EXPECT_EQ(head->getNextSibling(), body);
    EXPECT_FALSE(document.removeRegion(face, false));
    EXPECT_TRUE(document.removeRegion(face, true));
    EXPECT_EQ(head->getFirstChild(), nullptr);
    head->addChild(face);
    EXPECT_EQ(head->getNumChildren(true), 1);
    delete head;  // still linked: it leaves the document's list and takes its child along
    EXPECT_EQ(document.getFirstRegion(), body);
    EXPECT_EQ(document.findRegion(QStringLiteral("Head_2")), nullptr);
}
