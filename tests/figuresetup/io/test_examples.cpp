// The example humanoid's hierarchy, as a Poser hierarchy file and as a template, read from
// examples/ with that folder as the runtime folder (as `vxhost --runtime examples` does).
#include "iotestfiles.h"
#include "vxfuzzreaders.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"
#include "vxfsphifile.h"
#include "vxfsregionitem.h"
#include "vxfstemplatefile.h"

#include "vxcontentmgr.h"

using ExampleTest = VxAppTest;

TEST_F(ExampleTest, ThePoserHierarchyFileAndTheTemplateBuildTheHumanoid)
{
    ASSERT_TRUE(m_app->getContentMgr()->addPoserDirectory(vxSourcePath(QStringLiteral("examples"))));
    VxFSHierarchy phi;
    VxFSPhiFile::loadPHI(phi, vxSourcePath(QStringLiteral("examples/figure.phi")));
    EXPECT_EQ(phi.getName(), QStringLiteral("figure.obj"));
    EXPECT_EQ(phi.getFigureType(), Poser);
    EXPECT_TRUE(phi.findBone(QStringLiteral("abdomen"))->getCurve());
    VxFSHierarchy preset;
    VxFSTemplateFile::loadPreset(preset, vxSourcePath(QStringLiteral("examples/figure.vxt")));
    EXPECT_EQ(preset.getName(), QStringLiteral("Figure"));
    EXPECT_EQ(preset.getLabel(), QStringLiteral("Example Figure"));
    EXPECT_EQ(preset.getFigureType(), SingleSkin);
    EXPECT_EQ(preset.getNumGeometries(), 1);
    EXPECT_TRUE(preset.findBone(QStringLiteral("lShldr"))->getBendBulge());
    ASSERT_NE(preset.getFirstRegion(), nullptr);
    EXPECT_EQ(preset.getFirstRegion()->getName(), QStringLiteral("Body"));
    EXPECT_EQ(preset.getFirstRegion()->getNumChildren(true), 8);

    QDir().mkpath(tempPath(QStringLiteral("work")));
    VxFuzzReaders readers(tempPath(QStringLiteral("work")));
    for (const VxFSHierarchy* document : {&phi, &preset}) {
        ASSERT_EQ(outline(*document),
                  QStringList({"hip", "  abdomen", "    chest", "      neck", "        head", "      lCollar",
                               "        lShldr", "          lForeArm", "            lHand", "      rCollar",
                               "        rShldr", "          rForeArm", "            rHand", "  lThigh", "    lShin",
                               "      lFoot", "  rThigh", "    rShin", "      rFoot"}));
        // Every bone owns the face group of its name in the base geometry.
        ASSERT_NE(document->getBaseGeometry(), nullptr);
        EXPECT_EQ(document->getBaseGeometry()->getPath(),
                  vxSourcePath(QStringLiteral("examples/Runtime/Geometries/Figure/figure.obj")));
        const QStringList lines = details(*document);
        for (const QString& line : lines.mid(0, 19)) {
            const QString name = line.trimmed().section(QLatin1Char(' '), 0, 0);
            EXPECT_TRUE(line.endsWith(QStringLiteral(" figure.obj:") + name)) << qPrintable(line);
        }
        EXPECT_TRUE(lines[0].startsWith(QStringLiteral("hip YZX "))) << qPrintable(lines[0]);
        EXPECT_TRUE(lines[18].startsWith(QStringLiteral("      rFoot ZYX "))) << qPrintable(lines[18]);
        EXPECT_EQ(lines.mid(19), QStringList({"ikChain leftLeg lThigh*1 lShin*1 lFoot*1", "ikChain rightLeg rThigh*1 rShin*1 rFoot*1",
                                              "ikChain leftArm lShldr*1 lForeArm*1 lHand*1",
                                              "ikChain rightArm rShldr*1 rForeArm*1 rHand*1"}));
        // It saves as a template that reads back the same.
        QString mismatch;
        EXPECT_TRUE(readers.roundTrips(*document, &mismatch)) << qPrintable(mismatch);
    }
}
