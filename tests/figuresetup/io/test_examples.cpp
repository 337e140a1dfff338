// The example humanoid's hierarchy, as a Poser hierarchy file and as a template, read from
// examples/ with that folder as the runtime folder (as `vxhost --runtime examples` does).
#include "iotestfiles.h"
#include "vxfuzzreaders.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyiklink.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include "vxcontentmgr.h"

namespace {

class ExampleTest : public VxAppTest
{
protected:
    void SetUp() override
    {
        VxAppTest::SetUp();
        ASSERT_TRUE(m_app->getContentMgr()->addPoserDirectory(vxSourcePath(QStringLiteral("examples"))));
    }

    // Every bone owns the face group of its name in the base geometry.
    static void expectHumanoid(const VxFSHierarchy& document)
    {
        EXPECT_EQ(outline(document),
                  QStringList({"hip", "  abdomen", "    chest", "      neck", "        head", "      lCollar",
                               "        lShldr", "          lForeArm", "            lHand", "      rCollar",
                               "        rShldr", "          rForeArm", "            rHand", "  lThigh", "    lShin",
                               "      lFoot", "  rThigh", "    rShin", "      rFoot"}));
        const VxFSGeomItem* mesh = document.getBaseGeometry();
        ASSERT_NE(mesh, nullptr);
        EXPECT_EQ(mesh->getPath(), vxSourcePath(QStringLiteral("examples/Runtime/Geometries/Figure/figure.obj")));
        for (const VxFSHierarchyItem* bone : document.getAllBones()) {
            ASSERT_NE(bone->getGeomGroup(), nullptr) << qPrintable(bone->getName());
            EXPECT_EQ(bone->getGeomGroup()->getName(), bone->getName());
            EXPECT_EQ(bone->getGeomGroup()->getGeomItem(), mesh);
        }
        EXPECT_EQ(document.findBone(QStringLiteral("hip"))->getRotationOrder().toString(), QStringLiteral("YZX"));
        EXPECT_EQ(document.findBone(QStringLiteral("lForeArm"))->getRotationOrder().toString(), QStringLiteral("XYZ"));
        EXPECT_EQ(document.findBone(QStringLiteral("rFoot"))->getRotationOrder().toString(), QStringLiteral("ZYX"));

        ASSERT_EQ(document.getNumIKChains(), 4);
        const QStringList chains = {"leftLeg lThigh lShin lFoot", "rightLeg rThigh rShin rFoot",
                                    "leftArm lShldr lForeArm lHand", "rightArm rShldr rForeArm rHand"};
        for (int i = 0; i < 4; ++i) {
            const VxFSHierarchyIKChain* chain = document.getIKChain(i);
            QStringList words = {chain->getName()};
            for (int j = 0; j < chain->getNumLinks(); ++j)
                words.append(chain->getLink(j)->getBone()->getName());
            EXPECT_EQ(words.join(QLatin1Char(' ')), chains[i]);
            EXPECT_TRUE(chain->isActive());
        }
    }
};

} // namespace

TEST_F(ExampleTest, ThePoserHierarchyFileBuildsTheHumanoid)
{
    VxFSHierarchy document;
    document.loadPHI(vxSourcePath(QStringLiteral("examples/figure.phi")));
    EXPECT_EQ(document.getName(), QStringLiteral("figure.obj"));
    EXPECT_EQ(document.getFigureType(), Poser);
    expectHumanoid(document);
    EXPECT_TRUE(document.findBone(QStringLiteral("abdomen"))->getCurve());

    // It saves as a template that reads back the same.
    QDir().mkpath(tempPath(QStringLiteral("work")));
    VxFuzzReaders readers(tempPath(QStringLiteral("work")));
    QString mismatch;
    EXPECT_TRUE(readers.roundTrips(document, &mismatch)) << qPrintable(mismatch);
}

TEST_F(ExampleTest, TheTemplateBuildsTheSameHumanoidWithRegions)
{
    VxFSHierarchy document;
    document.loadPreset(vxSourcePath(QStringLiteral("examples/figure.vxt")));
    EXPECT_EQ(document.getName(), QStringLiteral("Figure"));
    EXPECT_EQ(document.getLabel(), QStringLiteral("Example Figure"));
    EXPECT_EQ(document.getFigureType(), SingleSkin);
    expectHumanoid(document);
    EXPECT_EQ(document.getNumGeometries(), 1);
    EXPECT_TRUE(document.findBone(QStringLiteral("lShldr"))->getBendBulge());
    EXPECT_TRUE(document.findBone(QStringLiteral("rForeArm"))->getTwistBulge());
    const VxFSRegionItem* body = document.getFirstRegion();
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->getName(), QStringLiteral("Body"));
    EXPECT_EQ(body->getNumChildren(true), 8);

    QDir().mkpath(tempPath(QStringLiteral("work")));
    VxFuzzReaders readers(tempPath(QStringLiteral("work")));
    QString mismatch;
    EXPECT_TRUE(readers.roundTrips(document, &mismatch)) << qPrintable(mismatch);
}
