#pragma once

#include <QString>
#include <QVariantMap>

// What one run of Update Base Geometry is asked to do, as its trigger settings say:
//   "Filename" (string), "UpdateVertexPositions" (bool, default true), "UpdateFullGeometry"
//   (bool, default false), "RunSilent" (bool, default false), "Importer" (map).
// Without a file name the only operation possible is baking the current shape.
class VxUpdateGeometryRequest
{
public:
    enum Operation {
        VertexPositionsFromCurrentShape = 0,
        VertexPositionsFromFile = 1,
        FullGeometryFromFile = 2,
    };

    static VxUpdateGeometryRequest fromTriggerSettings(const QVariantMap& settings);

    static bool readsFile(int operation)
    {
        return operation == VertexPositionsFromFile || operation == FullGeometryFromFile;
    }

    int operation = VertexPositionsFromCurrentShape;
    QString fileName;
    bool runSilent = false;
    QVariantMap importerSettings;
};
