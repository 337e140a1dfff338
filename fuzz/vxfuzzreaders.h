#pragma once

#include <QByteArray>
#include <QString>

class VxFSHierarchy;

// Feeds arbitrary bytes through the real readers the way a user's file reaches them: written
// to a file in a work folder and opened by name. Needs the application object (vxApp) and a
// QApplication; message boxes must be answered by someone (VxMessageBoxDismisser).
class VxFuzzReaders
{
public:
    // `workFolder` must exist and be writable; the inputs are written there.
    explicit VxFuzzReaders(const QString& workFolder);

    // Reads the bytes as a mesh file (OBJ, or gzip-compressed OBJ); true when the importer
    // made a shape of them.
    bool readMesh(const QByteArray& bytes);

    // Reads the bytes as a figure template into a new document, then checks that what was
    // read survives saving and reading again: false, with the difference in `mismatch`,
    // when the second reading differs from the first.
    bool readTemplate(const QByteArray& bytes, QString* mismatch = nullptr);

    // Reads the bytes as a Poser hierarchy file into a new document, then checks that the
    // document survives saving as a template and reading again (see readTemplate).
    bool readPHI(const QByteArray& bytes, QString* mismatch = nullptr);

    // Saves `document` as a template, reads the file into a new document and saves that
    // too: true when both files hold the same elements. Documents with no bones (which are
    // not saved) and ones with over a thousand bones or regions (where the name rule may
    // run out of numbers and give two items one name) pass unchecked.
    bool roundTrips(const VxFSHierarchy& document, QString* mismatch = nullptr);

    // The element tree of a template as a reader sees it: one line per element indented by
    // its depth, attributes sorted by name, GeomItem elements sorted (the geometry list may
    // change its order on a reload), and without the WeldTarget elements that name no bone
    // before them (the reader cannot find those). "not XML" when the bytes are not.
    static QStringList elementTree(const QByteArray& xml);

private:
    QString writeInput(const QString& fileName, const QByteArray& bytes) const;
    QString path(const QString& fileName) const;

    QString m_folder;
};
