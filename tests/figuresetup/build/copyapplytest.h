#pragma once

#include "buildtestsupport.h"

#include <QJsonObject>
#include <QList>
#include <QString>

class VxFSGeomItem;
class VxFSHierarchy;
class VxLegacyFigure;
class VxSkeleton;

// Fixture for building figures from documents, copying them back and applying copies: the
// example humanoid as base geometry and four small alternate meshes, loaded once into a
// pool from which every document borrows them, as the pane hands its loaded geometry from
// one document to the next.
class CopyApplyTest : public BuildTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A new document holding the pool's geometry (or `from`'s, which gives it up).
    std::unique_ptr<VxFSHierarchy> newDocument(VxFSHierarchy* from = nullptr);
    // Gives the document's geometry back to the pool.
    void giveBack(VxFSHierarchy& document);
    static void moveGeometry(VxFSHierarchy& from, VxFSHierarchy& to);

    // Builds the document's figure (no modify) and returns it.
    VxSkeleton* build(VxFSHierarchy& document);
    // A new document with `from`'s geometry, filled from the figure.
    std::unique_ptr<VxFSHierarchy> copyOf(VxSkeleton* figure, VxFSHierarchy& from);
    // Selects `selected` and applies the document to the selection ("Apply"), answering
    // the name question, when it comes, with `answer`. Returns the boxes seen.
    QList<VxMessageBoxAnswerer::Seen> apply(VxFSHierarchy& document, VxNode* selected, const QString& answer = QStringLiteral("OK"));

    VxFSGeomItem* base() const { return m_base; }
    const QList<VxFSGeomItem*>& alternates() const { return m_alternates; }

    // The scene JSON an apply of an unchanged copy should leave: the one given, where each
    // "PoserIKChains" chain has its goal as an extra last link of weight 0 and the figure's
    // IK system holds the active chains that have a goal.
    static QJsonObject expectedAfterUnchangedApply(const QByteArray& sceneJson);
    // Empty when the scene JSON is the expected one, else the first differing line (both
    // re-indented the same way) with some context.
    static QString jsonDifference(const QJsonObject& expected, const QByteArray& actual);
    // What a parametric figure is, one fact a line, in an order that does not depend on how
    // it came about: each bone by name with its label, node parent, rotation order and
    // joint, each joint parameter by class, name, axis, driver and flip (not its numbers,
    // which come from where the bones stood when they were made), and the welds.
    static QStringList figureFacts(const VxLegacyFigure* figure);

    std::unique_ptr<VxFSHierarchy> m_pool;
    VxFSGeomItem* m_base = nullptr;
    QList<VxFSGeomItem*> m_alternates;
};
