#include "vxcontentmgr.h"

#include "vxapp.h"
#include "vxappsettings.h"
#include "vxfileio.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>

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

// The entries of a folder by their case-folded names, each the first in QDir's listing
// order (the one an uncached search takes).
QHash<QString, QString> listFolder(const QString& path)
{
    QHash<QString, QString> entries;
    const QStringList names = QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& name : names) {
        const QString key = name.toCaseFolded();
        if (!entries.contains(key))
            entries.insert(key, name);
    }
    return entries;
}

// The first of `entries` named `part` without regard to case; empty when there is none.
QString matchIn(const QStringList& entries, const QString& part)
{
    for (const QString& entry : entries) {
        if (entry.compare(part, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return QString();
}

// Walks `dir` component by component; `entryNamed` gives the entry of a folder named like
// a component without regard to case (empty when there is none).
template <class EntryNamed>
QString resolveComponents(const QString& dir, const QString& relative, EntryNamed entryNamed)
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
        const QString match = entryNamed(current, part);
        if (match.isEmpty())
            return QString();
        current += QLatin1Char('/') + match;
    }
    return QDir::cleanPath(current);
}
} // namespace

// What a search session has learnt of the content folders.
class VxContentMgr::Index
{
public:
    QHash<QString, QHash<QString, QString>> folders; // folder path -> its entries
    bool filesListed = false;
    QHash<QString, QString> filesByName;              // case-folded file name -> first path
};

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

VxContentMgr::~VxContentMgr() = default;

QString VxContentMgr::resolveCaseInsensitive(const QString& dir, const QString& relative)
{
    return resolveComponents(dir, relative, [](const QString& folder, const QString& part) {
        return matchIn(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), part);
    });
}

QString VxContentMgr::resolveBelow(const QString& dir, const QString& relative) const
{
    if (!m_index)
        return resolveCaseInsensitive(dir, relative);
    return resolveComponents(dir, relative, [this](const QString& folder, const QString& part) {
        auto known = m_index->folders.find(folder);
        if (known == m_index->folders.end())
            known = m_index->folders.insert(folder, listFolder(folder));
        return known->value(part.toCaseFolded());
    });
}

void VxContentMgr::beginSearchSession() const
{
    if (m_sessions++ == 0)
        m_index = std::make_unique<Index>();
}

void VxContentMgr::endSearchSession() const
{
    if (m_sessions > 0 && --m_sessions == 0)
        m_index.reset();
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
        const QString found = resolveBelow(root, path);
        if (!found.isEmpty())
            return found;
    }
    if (flags & ByFileName) {
        const QString found = findByFileName(VxFileIO::getShortFileName(normalizedRelative(path)));
        if (!found.isEmpty())
            return found;
    }
    if ((flags & DocumentsDirectory) && vxApp) {
        const QString found = resolveBelow(vxApp->getDocumentsPath(), path);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

QString VxContentMgr::findByFileName(const QString& fileName) const
{
    if (fileName.isEmpty())
        return QString();
    // One walk over every runtime geometry folder, in the order a search without a session
    // takes, stopping at the first match; a session lists all the files at the first search
    // and answers every later one from that list.
    const QString wanted = fileName.toCaseFolded();
    QHash<QString, QString>* byName = m_index ? &m_index->filesByName : nullptr;
    if (byName && m_index->filesListed)
        return byName->value(wanted);
    int visited = 0;
    for (const QString& dir : m_poserDirs) {
        const QString geometries = resolveBelow(dir, QStringLiteral("Runtime/Geometries"));
        if (geometries.isEmpty())
            continue;
        QDirIterator it(geometries, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext() && visited < kMaxFilesVisited) {
            it.next();
            ++visited;
            const QString name = it.fileName().toCaseFolded();
            if (!byName) {
                if (name == wanted)
                    return it.filePath();
                continue;
            }
            if (!byName->contains(name))
                byName->insert(name, it.filePath());
        }
    }
    if (!byName)
        return QString();
    m_index->filesListed = true;
    return byName->value(wanted);
}

VxContentSearchSession::VxContentSearchSession(const VxContentMgr* content) : m_content(content)
{
    if (m_content)
        m_content->beginSearchSession();
}

VxContentSearchSession::~VxContentSearchSession()
{
    if (m_content)
        m_content->endSearchSession();
}
