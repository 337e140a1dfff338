#include "modeltestmeshes.h"

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
        bones << new VxFSHierarchyItem(&document, QString(QChar(u'a' + i)));
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
    four->distributeWeights(); // no links: nothing happens
    for (VxFSHierarchyItem* bone : makeBones(document, 4))
        four->addLink(bone, 0.5f);
    QSignalSpy firstWeight(four->getLink(0), &VxFSHierarchyIKLink::weightChanged);
    QSignalSpy secondWeight(four->getLink(1), &VxFSHierarchyIKLink::weightChanged);
    four->distributeWeights();
    four->distributeWeights();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(four->getLink(i)->getWeight(), 0.25f * float(i + 1));
    EXPECT_EQ(firstWeight.count(), 1);
    EXPECT_EQ(secondWeight.count(), 0); // already 0.5

    VxFSHierarchyIKChain* ten = document.createIKChain(QStringLiteral("ten"));
    for (int i = 0; i < 10; ++i)
        ten->addLink(four->getLink(0)->getBone(), 1.0f);
    ten->distributeWeights();
    // Ten float steps of 0.1 overshoot: 1.0000001, not 1.0 and not the double sum.
    EXPECT_EQ(bits(ten->getLink(9)->getWeight()), bits(1.0000001f));
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

    // A link deleted by an editor leaves its chain.
    delete chain->addLink(bones[2], 1.0f);
    EXPECT_EQ(links.count(), 1);
    EXPECT_EQ(chain->getNumLinks(), 1);

    // A chain that goes leaves its links with their bones; they die with the bones.
    QSignalSpy linkGone(link, &QObject::destroyed);
    document.removeIKChain(chain);
    EXPECT_EQ(linkGone.count(), 0);
    ASSERT_TRUE(document.removeBone(bones[1], false));
    delete bones[1];
    EXPECT_EQ(linkGone.count(), 1);
}

// The view tests drop chains and links where a user may; here the anchors a drop cannot
// give: one of another chain or document, none, or the moved item itself.
TEST_F(ChainTest, ChainsAndLinksMovedAfterAnAnchorNotInTheirListGoFirst)
{
    VxFSHierarchy document;
    QList<VxFSHierarchyItem*> bones = makeBones(document, 4);
    VxFSHierarchyIKChain* chain = document.createIKChain(QStringLiteral("a"));
    VxFSHierarchyIKChain* b = document.createIKChain(QStringLiteral("b"));
    VxFSHierarchyIKChain* c = document.createIKChain(QStringLiteral("c"));
    VxFSHierarchyIKChain stranger(QStringLiteral("x"));
    const auto chains = [&] {
        QString names;
        for (int i = 0; i < document.getNumIKChains(); ++i)
            names += document.getIKChain(i)->getName();
        return names;
    };
    document.moveIKChainAfter(c, &stranger);
    EXPECT_EQ(chains(), QStringLiteral("cab"));
    document.moveIKChainAfter(b, b);
    document.moveIKChainToEnd(&stranger);
    EXPECT_EQ(chains(), QStringLiteral("bca"));
    document.moveIKChainAfter(chain, nullptr);
    EXPECT_EQ(chains(), QStringLiteral("abc"));
    delete c; // behind the document's back: it leaves the list too
    EXPECT_EQ(chains(), QStringLiteral("ab"));

    VxFSHierarchyIKLink* la = chain->addLink(bones[0], 1.0f);
    VxFSHierarchyIKLink* lb = chain->addLink(bones[1], 1.0f);
    VxFSHierarchyIKLink* lc = chain->addLink(bones[2], 1.0f);
    const auto links = [&] {
        QString names;
        for (int i = 0; i < chain->getNumLinks(); ++i)
            names += chain->getLink(i)->getBone()->getName();
        return names;
    };
    VxFSHierarchyIKLink* foreign = stranger.addLink(bones[3], 1.0f);
    chain->moveLinkAfter(lc, foreign);
    EXPECT_EQ(links(), QStringLiteral("cab"));
    chain->moveLinkAfter(foreign, la); // a link of another chain stays where it is
    chain->moveLinkAfter(lb, lb);
    EXPECT_EQ(links(), QStringLiteral("bca"));
    EXPECT_EQ(stranger.getNumLinks(), 1);
}

// Regions follow the bones' name rule (the view tests rename both as a user does); what is
// their own is the name space and the tree.
TEST_F(RegionTest, NamesAreUniqueAcrossTheRegionTreeApartFromTheBones)
{
    VxFSHierarchy document;
    VxMessageBoxAnswerer answerer;
    new VxFSHierarchyItem(&document, QStringLiteral("Head"));
    auto* head = new VxFSRegionItem(&document, QStringLiteral("Head"));
    EXPECT_EQ(answerer.count(), 0);
    auto* face = new VxFSRegionItem(head, QStringLiteral("Head"));
    EXPECT_EQ(face->getName(), QStringLiteral("Head_1"));
    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Invalid Region Name"));
    face->setName(QStringLiteral("Head")); // its own current name counts as taken
    EXPECT_EQ(face->getName(), QStringLiteral("Head_2"));

    EXPECT_EQ(document.findRegion(QStringLiteral("Head_2")), face);
    EXPECT_EQ(head->findChild(QStringLiteral("Head_2")), face);
    EXPECT_FALSE(document.removeRegion(face, false));
    EXPECT_TRUE(document.removeRegion(face, true));
    EXPECT_EQ(head->getFirstChild(), nullptr);
    head->addChild(face);
    auto* body = new VxFSRegionItem(&document, QStringLiteral("Body"));
    delete head; // still linked: it leaves the document's list and takes its child along
    EXPECT_EQ(document.getFirstRegion(), body);
    EXPECT_EQ(document.findRegion(QStringLiteral("Head_2")), nullptr);
}
