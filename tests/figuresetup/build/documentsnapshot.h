#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class VxFSHierarchy;

// Everything of a hierarchy document that copying a figure reads or writes, as plain
// values, so that a copy can be compared with what it should be and printed when not.
struct DocumentSnapshot
{
    struct Bone
    {
        QString name, label, sourceBoneName, parent;
        int rotationOrder = 0;
        QString axisLabels[3];
        QString group;
        bool curve = false, twist = false, sideSide = false, bend = false, scale = false;
        bool twistBulge = false, sideBulge = false, bendBulge = false;
        QStringList alternates; // geometry paths
        QStringList weldTargets;
    };
    struct Chain
    {
        QString name;
        bool active = true;
        QList<QPair<QString, float>> links;
    };

    QString name, label, sourceFigureName, base;
    int figureType = 0;
    QList<Bone> bones; // pre-order
    QList<Chain> chains;
    QStringList regions; // pre-order, indented by depth

    static DocumentSnapshot of(const VxFSHierarchy& document);
    // One line per value: equal snapshots give equal text, and a failing comparison shows
    // exactly what differs.
    QString toText() const;

    // What copying back a figure built from the document gives.
    DocumentSnapshot expectedParametricCopy() const;
    DocumentSnapshot expectedSkinCopy() const;
};
