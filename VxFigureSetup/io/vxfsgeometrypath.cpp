#include "vxfsgeometrypath.h"

#include "vxfshierarchy.h"

#include "vxapp.h"
#include "vxcontentmgr.h"

#include <QDomDocument>
#include <QDomElement>
#include <QFileInfo>

namespace {
const QString kRelative = QStringLiteral("GeomRelativePath");
const QString kAbsolute = QStringLiteral("GeomAbsolutePath");

// Where the content search looks for a runtime-relative path that no runtime folder holds
// as written: below the runtime folders and their geometry folders, for a file of that name
// anywhere below their geometry folders, and below the documents folder.
constexpr int kRuntimeSearchFlags = VxContentMgr::PoserDirectories | VxContentMgr::PoserGeometryFolders
                                    | VxContentMgr::ByFileName | VxContentMgr::DocumentsDirectory;
static_assert(kRuntimeSearchFlags == 0x69, "templates written by other hosts rely on this search");
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
        return resolveRuntimePath(relative);
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

QString VxFSGeometryPath::resolveRuntimePath(const QString& path)
{
    QString relative = path;
    if (relative.startsWith(QLatin1Char('/')))
        relative.remove(0, 1);
    const VxContentMgr* content = vxApp ? vxApp->getContentMgr() : nullptr;
    if (!content)
        return QString();
    // Templates written on Windows separate folders with back-slashes.
    const QString normalized = QString(relative).replace(QLatin1Char('\\'), QLatin1Char('/'));
    for (int i = 0; i < content->getNumPoserDirectories(); ++i) {
        const QString candidate = content->getPoserDirectoryPath(i) + QLatin1Char('/') + normalized;
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return content->findFile(relative, kRuntimeSearchFlags);
}

QString VxFSGeometryPath::resolvePoserPath(const QString& poserPath)
{
    QString path = poserPath;
    path.replace(QLatin1Char(':'), QLatin1Char('/'));
    if (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    // A path that names nothing (a bare ":") would find the runtime folder itself, which is
    // no mesh.
    return path.isEmpty() ? QString() : resolveRuntimePath(path);
}
