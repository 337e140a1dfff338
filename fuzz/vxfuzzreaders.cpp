#include "vxfuzzreaders.h"

#include "vxapp.h"
#include "vximportmgr.h"
#include "vxrefcounted.h"
#include "vxshape.h"

#include <QFile>

VxFuzzReaders::VxFuzzReaders(const QString& workFolder) : m_folder(workFolder) {}

QString VxFuzzReaders::writeInput(const QString& fileName, const QByteArray& bytes) const
{
    const QString path = m_folder + QLatin1Char('/') + fileName;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("Cannot write the input file %s", qPrintable(path));
    return path;
}

bool VxFuzzReaders::readMesh(const QByteArray& bytes)
{
    const QString path = writeInput(QStringLiteral("input.obj"), bytes);
    VxShape* shape = nullptr;
    const int result = vxApp->getImportMgr()->readGeometry(path, &shape, -1);
    VxRefGuard<VxShape> owner(shape);
    return result == VxImportMgr::Success && shape;
}
