#include "vxfstemplatefile.h"

#include "vxfsreaderguard.h"
#include "vxfstemplatereader.h"
#include "vxfstemplatewriter.h"
#include "vxfstemplatexml.h"

#include "vxfshierarchy.h"
#include "vxfswarningbox.h"

#include "vxapp.h"
#include "vxcontentmgr.h"
#include "vxfileio.h"

#include <QDomDocument>
#include <QFile>
#include <QSaveFile>

namespace {

const QString kSaveLogPrefix = QStringLiteral("Error saving Hierarchy Preset: ");
const QString kReadLogPrefix = QStringLiteral("Error reading Hierarchy preset: ");

QWidget* dialogParent()
{
    return vxApp ? vxApp->getDialogParent() : nullptr;
}

// One box, and one log line with the same text.
void report(const QString& title, const QString& text, const QString& logPrefix)
{
    VxFSWarningBox::show(title, text, dialogParent());
    if (vxApp)
        vxApp->log(logPrefix + text);
}

// Writes `bytes` over the file's own contents: for a file whose other hard links a new file
// in its place would cut off.
bool writeInPlace(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    if (!VxFileIO::openRegularFile(file, QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size() && file.flush();
}

// Writes a new file beside the old one and renames it into place once complete. Where no
// file can be made beside it (a folder the user may not write to), QSaveFile writes the
// file in place instead.
bool writeReplacing(const QString& fileName, const QByteArray& bytes)
{
    QSaveFile file(fileName);
    file.setDirectWriteFallback(true);
    // A failed write is not committed: the new file beside the old one goes with `file`.
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

void VxFSTemplateFile::savePreset(const VxFSHierarchy& hierarchy, const QString& fileName)
{
    if (!hierarchy.getFirstBone()) {
        VxFSWarningBox::show(QStringLiteral("Can not save preset"), QStringLiteral("An empty preset can not be saved!"),
                             dialogParent());
        return;
    }
    // The reader refuses files nested deeper than this, so they are not written: nothing is.
    if (VxFSTemplateWriter::savedDepth(hierarchy) > VxFSTemplateXml::MaxElementDepth) {
        report(QStringLiteral("Can not save preset"),
               QStringLiteral("The figure nests its bones or regions too deeply to be saved as a template (more "
                              "than %1 levels of elements).")
                   .arg(VxFSTemplateXml::MaxElementDepth),
               kSaveLogPrefix);
        return;
    }
    QByteArray bytes;
    const QString failure = VxFSReaderGuard::run(
        [&] { bytes = VxFSTemplateXml::serialize(VxFSTemplateWriter::write(hierarchy)); });
    const bool written = failure.isEmpty()
                         && (VxFileIO::linkCount(fileName) > 1 ? writeInPlace(fileName, bytes)
                                                               : writeReplacing(fileName, bytes));
    if (!written)
        report(QStringLiteral("Error opening file"),
               QStringLiteral("Unable to open file \"%1\" for writing.").arg(fileName), kSaveLogPrefix);
}

void VxFSTemplateFile::loadPreset(VxFSHierarchy& hierarchy, const QString& fileName)
{
    QFile file(fileName);
    if (!VxFileIO::openRegularFile(file, QIODevice::ReadOnly)) {
        report(QStringLiteral("Error opening file"),
               QStringLiteral("Unable to open file \"%1\" for reading.").arg(fileName), kReadLogPrefix);
        return;
    }
    // Every geometry path of the file is resolved against one listing of the content folders.
    const VxContentSearchSession session(vxApp ? vxApp->getContentMgr() : nullptr);
    bool tooDeep = false;
    bool cleared = false;
    const QString failure = VxFSReaderGuard::run([&] {
        const QByteArray bytes = file.readAll();
        file.close();
        // Only a well-formed file too deep to read safely is refused; then the document is
        // left as it was. Anything else that is not XML reads as an empty document.
        QDomDocument document;
        if (VxFSTemplateXml::parse(bytes, document) == VxFSTemplateXml::Result::TooDeep) {
            tooDeep = true;
            return;
        }
        hierarchy.clear(true);
        cleared = true;
        VxFSTemplateReader::read(hierarchy, document);
    });
    if (tooDeep) {
        report(QStringLiteral("Can not load preset"),
               QStringLiteral("The template \"%1\" nests its elements more than %2 levels deep and can not be loaded.")
                   .arg(fileName)
                   .arg(VxFSTemplateXml::MaxElementDepth),
               kReadLogPrefix);
    } else if (!failure.isEmpty()) {
        const QString outcome = cleared ? QStringLiteral("The figure holds what was read before that.")
                                        : QStringLiteral("The figure was left as it was.");
        report(QStringLiteral("Can not load preset"),
               QStringLiteral("The template \"%1\" could not be read: %2. %3").arg(fileName, failure, outcome),
               kReadLogPrefix);
    }
}
