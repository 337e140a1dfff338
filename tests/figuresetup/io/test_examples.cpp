// The example humanoid's hierarchy, as a Poser hierarchy file and as a template, read from
// examples/ with that folder as the runtime folder (as `vxhost --runtime examples` does).
// What the host and the pane make of each file is their tests' subject; here the two files
// must describe the same bones on the same mesh and survive a save.
#include "iotestfiles.h"
#include "vxfuzzreaders.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfsphifile.h"
#include "vxfstemplatefile.h"

#include "vxcontentmgr.h"

using ExampleTest = VxAppTest;

TEST_F(ExampleTest, ThePoserHierarchyFileAndTheTemplateBuildTheSameHumanoid)
{
    ASSERT_TRUE(m_app->getContentMgr()->addPoserDirectory(vxSourcePath(QStringLiteral("examples"))));
    VxFSHierarchy phi;
    VxFSPhiFile::loadPHI(phi, vxSourcePath(QStringLiteral("examples/figure.phi")));
    VxFSHierarchy preset;
    VxFSTemplateFile::loadPreset(preset, vxSourcePath(QStringLiteral("examples/figure.vxt")));
    EXPECT_EQ(preset.getFigureType(), SingleSkin);
    EXPECT_EQ(preset.getNumGeometries(), 1);

    QDir().mkpath(tempPath(QStringLiteral("work")));
    VxFuzzReaders readers(tempPath(QStringLiteral("work")));
    for (const VxFSHierarchy* document : {&phi, &preset}) {
        // Every bone owns the face group of its name in the base geometry.
        ASSERT_NE(document->getBaseGeometry(), nullptr);
        EXPECT_EQ(document->getBaseGeometry()->getPath(),
                  vxSourcePath(QStringLiteral("examples/Runtime/Geometries/Figure/figure.obj")));
        const QStringList lines = details(*document);
        ASSERT_EQ(lines.size(), 23);
        for (const QString& line : lines.mid(0, 19)) {
            const QString name = line.trimmed().section(QLatin1Char(' '), 0, 0);
            EXPECT_TRUE(line.endsWith(QStringLiteral(" figure.obj:") + name)) << qPrintable(line);
        }
        QString mismatch;
        EXPECT_TRUE(readers.roundTrips(*document, &mismatch)) << qPrintable(mismatch);
    }
    // The same bones, orders and chains; curves are for parametric figures only.
    EXPECT_EQ(details(preset), details(phi).replaceInStrings(QStringLiteral(" curve"), QString()));
}
