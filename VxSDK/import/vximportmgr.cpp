#include "vximportmgr.h"

#include "vxapp.h"

// Placeholder until the OBJ reader lands: every read is refused, and says so.
VxImportMgr::VxImportMgr() = default;
VxImportMgr::~VxImportMgr() = default;

int VxImportMgr::readGeometry(const QString& path, VxShape** shape, int)
{
    if (shape)
        *shape = nullptr;
    m_lastError = QStringLiteral("%1: no mesh reader is built into this host yet").arg(path);
    if (vxApp)
        vxApp->log(m_lastError);
    return UnknownFormat;
}

VxFileFilter VxImportMgr::makeGeometryFileFilter()
{
    VxFileFilter filter;
    filter.newFilter(QStringLiteral("Wavefront OBJ"));
    filter.addExtension(QStringLiteral("obj"));
    filter.newFilter(QStringLiteral("Compressed Wavefront OBJ"));
    filter.addExtension(QStringLiteral("obz"));
    return filter;
}
