#include "vxfsgeometrypath.h"

#include "vxfshierarchy.h"

#include <QDomDocument>
#include <QDomElement>

namespace {
const QString kRelative = QStringLiteral("GeomRelativePath");
const QString kAbsolute = QStringLiteral("GeomAbsolutePath");
} // namespace

void VxFSGeometryPath::write(QDomElement& element, const QString& path)
{
    const int runtime = path.indexOf(QLatin1String("runtime"), 0, Qt::CaseInsensitive);
    if (runtime >= 0)
        element.setAttribute(kRelative, path.mid(runtime));
    else
        element.setAttribute(kAbsolute, path);
}

QString VxFSGeometryPath::read(const QDomElement& element)
{
    const QString absolute = element.attribute(kAbsolute);
    if (!absolute.isEmpty())
        return absolute;
    const QString relative = element.attribute(kRelative);
    if (!relative.isEmpty())
        return VxFSHierarchy::resolveRuntimePath(relative);
    return QString();
}

QDomElement VxFSGeometryPath::appendElement(QDomDocument& document, QDomElement& parent, const QString& tag,
                                            const QString& path)
{
    QDomElement element = document.createElement(tag);
    write(element, path);
    parent.appendChild(element);
    return element;
}

VxFSGeomItem* VxFSGeometryPath::addGeometry(VxFSHierarchy& document, const QDomElement& element)
{
    const QString path = read(element);
    return path.isEmpty() ? nullptr : document.addGeometry(path);
}
