#pragma once

#include <QByteArray>
#include <QString>

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

private:
    QString writeInput(const QString& fileName, const QByteArray& bytes) const;

    QString m_folder;
};
