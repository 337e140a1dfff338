#pragma once

#include "vxsdkglobal.h"

#include <QString>
#include <QStringList>

#include <memory>

// The folders the host searches for content.
//
// A Poser directory is a content folder that holds a "Runtime" folder; paths inside content
// files are written relative to it ("Runtime/Geometries/Figure/figure.obj"). Content
// directories hold the host's own content. Both lists are stored in the settings group
// "Content" and can be extended for one session (vxhost --runtime DIR).
class VXSDK_EXPORT VxContentMgr
{
public:
    // Folder kinds that findFile searches, as bit flags.
    enum DirectoryType {
        PoserDirectories = 0x01,      // <poser dir>/<path>
        ContentDirectories = 0x02,    // <content dir>/<path>
        DataDirectory = 0x04,         // the application's data folder
        PoserGeometryFolders = 0x08,  // <poser dir>/Runtime/Geometries/<path>
        PoserTextureFolders = 0x10,   // <poser dir>/Runtime/Textures/<path>
        ByFileName = 0x20,            // a file of the same name anywhere below Runtime/Geometries
        DocumentsDirectory = 0x40,    // the user's documents folder
    };

    VxContentMgr();
    ~VxContentMgr();

    int getNumPoserDirectories() const { return m_poserDirs.size(); }
    QString getPoserDirectoryPath(int index) const { return m_poserDirs.value(index); }
    // Adds a folder for this session. A path to a "Runtime" folder itself is taken as its
    // parent. Returns false when the folder does not exist.
    bool addPoserDirectory(const QString& path);
    // Adds the folder and stores the list in the settings.
    bool addPoserDirectoryPermanently(const QString& path);

    int getNumContentDirectories() const { return m_contentDirs.size(); }
    QString getContentDirectoryPath(int index) const { return m_contentDirs.value(index); }
    bool addContentDirectory(const QString& path);

    // Resolves a path against the folder kinds in `flags`, in the bit order above, matching
    // folder and file names without regard to case when the exact name is missing (Poser
    // content is written on case-insensitive systems). An existing absolute path is returned
    // as it is. Returns an empty string when nothing matches.
    QString findFile(const QString& path, int flags) const;

    // Resolves `relative` below `dir`, component by component, without regard to case.
    static QString resolveCaseInsensitive(const QString& dir, const QString& relative);

    // While a search session is open, findFile remembers what it learns of the folders:
    // the entries of each folder it had to list and the files below Runtime/Geometries by
    // name. A reader resolving thousands of paths that exist nowhere then walks the content
    // folders once instead of once a path. Sessions nest (see VxContentSearchSession); the
    // memory goes with the last one, so files added between two loads are found.
    void beginSearchSession() const;
    void endSearchSession() const;

private:
    class Index;
    QStringList candidateRoots(int flags) const;
    QString resolveBelow(const QString& dir, const QString& relative) const;
    QString findByFileName(const QString& fileName) const;

    QStringList m_poserDirs;
    QStringList m_contentDirs;
    mutable int m_sessions = 0;
    mutable std::unique_ptr<Index> m_index;
};

// Keeps a search session of the content manager open for its lifetime (one file load).
class VXSDK_EXPORT VxContentSearchSession
{
public:
    explicit VxContentSearchSession(const VxContentMgr* content);
    ~VxContentSearchSession();
    VxContentSearchSession(const VxContentSearchSession&) = delete;
    VxContentSearchSession& operator=(const VxContentSearchSession&) = delete;

private:
    const VxContentMgr* m_content;
};
