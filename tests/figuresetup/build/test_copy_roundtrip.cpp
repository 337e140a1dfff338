#include "copyapplytest.h"
#include "documentsnapshot.h"
#include "randomdocument.h"

namespace {
// The seeds run per figure type; each failure names its seed, so that the failing document
// can be rebuilt with RandomDocument(seed).
constexpr unsigned kFirstSeed = 20240601;
constexpr int kDocuments = 150;

using CopyRoundTripTest = CopyApplyTest;
} // namespace

TEST_F(CopyRoundTripTest, AFigureCopiesBackToItsDocumentAndAnUnchangedCopyAppliesAsNoChange)
{
    for (VxFigureSetupFigureType type : {Poser, SingleSkin}) {
        for (unsigned seed = kFirstSeed; seed < kFirstSeed + kDocuments; ++seed) {
            std::unique_ptr<VxFSHierarchy> original = newDocument();
            RandomDocument(seed).fill(*original, type, base(), alternates());
            const QString expected =
                documentSnapshot(*original, type == Poser ? SnapshotAs::ParametricCopy : SnapshotAs::SkinCopy);
            VxSkeleton* figure = build(*original);
            ASSERT_NE(figure, nullptr) << "seed " << seed;
            std::unique_ptr<VxFSHierarchy> copy = copyOf(figure, *original);
            ASSERT_EQ(documentSnapshot(*copy).toStdString(), expected.toStdString()) << "type " << type << ", seed " << seed;

            // Applying the unchanged copy changes nothing but what the copy adds to the
            // chains: their goals as last links, and the figure's IK system made from them.
            // The copy is renamed, so that no question about equal names comes up. (Every
            // third document: comparing whole scenes is what makes the sanitizer run slow.)
            if (type == Poser && (seed - kFirstSeed) % 3 == 0) {
                figure->select(true);
                QByteArray before = m_scene->toJson();
                const QByteArray oldName = '"' + figure->getName().toUtf8() + '"';
                copy->setName(figure->getName() + QStringLiteral("_applied"));
                before.replace(oldName, '"' + copy->getName().toUtf8() + '"');
                EXPECT_TRUE(apply(*copy, figure).isEmpty()) << "seed " << seed;
                const QString difference = jsonDifference(expectedAfterUnchangedApply(before), m_scene->toJson());
                ASSERT_TRUE(difference.isEmpty()) << "seed " << seed << "\n" << qPrintable(difference);
            }
            m_scene->removeNode(figure);
            giveBack(*copy);
        }
    }
}

TEST_F(CopyRoundTripTest, AfterEditsAndAppliesTheFigureIsTheOneAFreshBuildMakes)
{
    // Applies after moves (one bone moved away and back among them), choice changes,
    // renames, additions and deletions must leave every joint paired with the right bones.
    constexpr int kEditedDocuments = 30;
    constexpr int kApplies = 4;
    for (unsigned seed = kFirstSeed; seed < kFirstSeed + kEditedDocuments; ++seed) {
        std::unique_ptr<VxFSHierarchy> original = newDocument();
        RandomDocument random(seed);
        random.fill(*original, Poser, base(), alternates());
        auto* figure = qobject_cast<VxLegacyFigure*>(build(*original));
        ASSERT_NE(figure, nullptr) << "seed " << seed;
        std::unique_ptr<VxFSHierarchy> copy = copyOf(figure, *original);
        QString history;
        for (int round = 0; round < kApplies; ++round) {
            history += QStringLiteral("\napply %1: ").arg(round + 1) + random.edit(*copy);
            apply(*copy, figure);
            auto* fresh = qobject_cast<VxLegacyFigure*>(build(*copy));
            ASSERT_NE(fresh, nullptr);
            QStringList expected = figureFacts(fresh);
            QStringList actual = figureFacts(figure);
            m_scene->removeNode(fresh);
            ASSERT_EQ(actual.join(QLatin1Char('\n')).toStdString(), expected.join(QLatin1Char('\n')).toStdString())
                << "seed " << seed << qPrintable(history);
        }
        m_scene->removeNode(figure);
        giveBack(*copy);
    }
}
