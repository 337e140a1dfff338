#pragma once

#include "vxfiguresetupfiguretype.h"

#include <QList>
#include <QString>

#include <random>

class VxFSGeomItem;
class VxFSHierarchy;
class VxFSHierarchyItem;

// Fills hierarchy documents with random content for round-trip properties: a random bone
// forest (unique names, labels, rotation orders, channel labels, choices), face groups of
// the base geometry (each group owned by at most one bone), and for parametric documents
// alternate geometries (each item used by one bone), one weld target on some bones and IK
// chains; for single-skin documents region trees. The same seed gives the same document.
class RandomDocument
{
public:
    explicit RandomDocument(unsigned seed) : m_random(seed) {}

    // `alternates` may be empty; they are ignored for single-skin documents. The document
    // must already hold `base` and the alternates.
    void fill(VxFSHierarchy& document, VxFigureSetupFigureType type, VxFSGeomItem* base,
              const QList<VxFSGeomItem*>& alternates, int maxBones = 12);

    // Edits a document as a user of the pane might between two applies: moves a bone to
    // another parent (or to the top), changes choices and rotation orders, renames, adds and
    // deletes bones (whose children move up). Returns what was done, for failure messages.
    QString edit(VxFSHierarchy& document);

    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_random); }

private:
    void fillBone(VxFSHierarchyItem* bone);
    void addChains(VxFSHierarchy& document, const QList<VxFSHierarchyItem*>& bones);
    void addRegions(VxFSHierarchy& document);

    std::mt19937 m_random;
};
