#include "vxupdategeometryrequest.h"

VxUpdateGeometryRequest VxUpdateGeometryRequest::fromTriggerSettings(const QVariantMap& settings)
{
    VxUpdateGeometryRequest request;
    request.fileName = settings.value(QStringLiteral("Filename")).toString();
    request.runSilent = settings.value(QStringLiteral("RunSilent"), false).toBool();
    request.importerSettings = settings.value(QStringLiteral("Importer")).toMap();
    const bool vertexPositions = settings.value(QStringLiteral("UpdateVertexPositions"), true).toBool();
    const bool fullGeometry = settings.value(QStringLiteral("UpdateFullGeometry"), false).toBool();
    if (request.fileName.isEmpty())
        request.operation = VertexPositionsFromCurrentShape;
    else if (fullGeometry)
        request.operation = FullGeometryFromFile;
    else if (vertexPositions)
        request.operation = VertexPositionsFromFile;
    else
        request.operation = VertexPositionsFromCurrentShape;
    return request;
}
