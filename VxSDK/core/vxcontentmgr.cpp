#include "vxcontentmgr.h"

#include "vxapp.h"
#include "vxappsettings.h"
#include "vxfileio.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace {
const char kSettingsGroup[] = "Content";
const char kPoserDirsKey[] = "PoserDirectories";
const char kContentDirsKey[] = "ContentDirectories";
// Bounds the by-name search so that a huge content library cannot stall a lookup.
const int kMaxFilesVisited = 200000;

QString normalizedRelative(QString path)
{
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    return path;
}

QStringList readList(const QString& key)
{
    VxAppSettings settings(QString::fromLatin1(kSettingsGroup));
    return settings.getStringValue(key).split(QLatin1Char(';'), Qt::SkipEmptyParts);
}
} // namespace

VxContentMgr::VxContentMgr()
{
    for (const QString& dir : readList(QString::fromLatin1(kPoserDirsKey)))
        addPoserDirectory(dir);
    for (const QString& dir : readList(QString::fromLatin1(kContentDirsKey)))
        addContentDirectory(dir);
}

bool VxContentMgr::addPoserDirectory(const QString& path)
{
    QFileInfo info(path);
    if (!info.isDir())
        return false;
    QString dir = info.absoluteFilePath();
    if (info.fileName().compare(QLatin1String("Runtime"), Qt::CaseInsensitive) == 0)
        dir = info.absolutePath();
    dir = QDir::cleanPath(dir);
    if (!m_poserDirs.contains(dir))
        m_poserDirs.append(dir);
    return true;
}

bool VxContentMgr::addPoserDirectoryPermanently(const QString& path)
{
    if (!addPoserDirectory(path))
        return false;
    VxAppSettings settings(QString::fromLatin1(kSettingsGroup));
    settings.setStringValue(QString::fromLatin1(kPoserDirsKey), m_poserDirs.join(QLatin1Char(';')));
    return true;
}

bool VxContentMgr::addContentDirectory(const QString& path)
{
    QFileInfo info(path);
    if (!info.isDir())
        return false;
    const QString dir = QDir::cleanPath(info.absoluteFilePath());
    if (!m_contentDirs.contains(dir))
        m_contentDirs.append(dir);
    return true;
}

QString VxContentMgr::resolveCaseInsensitive(const QString& dir, const QString& relative)
{
    const QString rel = normalizedRelative(relative);
    if (rel.isEmpty())
        return QString();
    const QString direct = dir + QLatin1Char('/') + rel;
    if (QFileInfo::exists(direct))
        return QDir::cleanPath(direct);

    QString current = dir;
    const QStringList parts = rel.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const QString exact = current + QLatin1Char('/') + part;
        if (QFileInfo::exists(exact)) {
            current = exact;
            continue;
        }
        QDir folder(current);
        if (!folder.exists())
            return QString();
        QString match;
        const QStringList entries = folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        for (const QString& entry : entries) {
            if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                match = entry;
                break;
            }
        }
        if (match.isEmpty())
            return QString();
        current += QLatin1Char('/') + match;
    }
    return QDir::cleanPath(current);
}

QStringList VxContentMgr::candidateRoots(int flags) const
{
    QStringList roots;
    if (flags & PoserDirectories)
        roots += m_poserDirs;
    if (flags & ContentDirectories)
        roots += m_contentDirs;
    if ((flags & DataDirectory) && vxApp)
        roots.append(vxApp->getDataPath());
    if (flags & PoserGeometryFolders) {
        for (const QString& dir : m_poserDirs)
            roots.append(dir + QStringLiteral("/Runtime/Geometries"));
    }
    if (flags & PoserTextureFolders) {
        for (const QString& dir : m_poserDirs)
            roots.append(dir + QStringLiteral("/Runtime/Textures"));
    }
    return roots;
}

QString VxContentMgr::findFile(const QString& path, int flags) const
{
    if (path.isEmpty())
        return QString();
    QFileInfo asGiven(path);
    if (asGiven.isAbsolute() && asGiven.exists())
        return asGiven.absoluteFilePath();

    for (const QString& root : candidateRoots(flags)) {
        const QString found = resolveCaseInsensitive(root, path);
        if (!found.isEmpty())
            return found;
    }
    if (flags & ByFileName) {
        const QString found = findByFileName(VxFileIO::getShortFileName(normalizedRelative(path)));
        if (!found.isEmpty())
            return found;
    }
    if ((flags & DocumentsDirectory) && vxApp) {
        const QString found = resolveCaseInsensitive(vxApp->getDocumentsPath(), path);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

QString VxContentMgr::findByFileName(const QString& fileName) const
{
    if (fileName.isEmpty())
        return QString();
    int visited = 0;
    for (const QString& dir : m_poserDirs) {
        const QString geometries = resolveCaseInsensitive(dir, QStringLiteral("Runtime/Geometries"));
        if (geometries.isEmpty())
            continue;
        QDirIterator it(geometries, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext() && visited < kMaxFilesVisited) {
            it.next();
            ++visited;
            if (it.fileName().compare(fileName, Qt::CaseInsensitive) == 0)
                return it.filePath();
        }
    }
    return QString();
}
