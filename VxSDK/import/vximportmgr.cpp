#include "vximportmgr.h"

#include "vxapp.h"
#include "vxdefaultmaterial.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxfileiosettings.h"
#include "vximportoptions.h"
#include "vxmtlreader.h"
#include "vxobjinput.h"
#include "vxobjlinereader.h"
#include "vxobjparser.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <new>

namespace {

QString located(const QString& path, qint64 line, const QString& reason)
{
    return QStringLiteral("%1:%2: %3").arg(path).arg(line).arg(reason);
}

} // namespace

namespace {
// Every application object reads meshes with an importer of its own.
const bool g_givenToEveryApplication =
    VxApp::registerExtension([](VxApp& app) { app.setImportMgr(std::make_shared<VxImportMgr>()); });
} // namespace

VxImportMgr::VxImportMgr() = default;
VxImportMgr::~VxImportMgr() = default;

int VxImportMgr::readGeometry(const QString& path, VxShape** shape, int)
{
    m_lastError.clear();
    m_lastWarnings.clear();
    return read(path, shape, VxImportOptions());
}

int VxImportMgr::readGeometry(const QString& path, VxShape** shape, const VxFileIOSettings& settings)
{
    m_lastError.clear();
    m_lastWarnings.clear();
    if (shape)
        *shape = nullptr;
    VxImportOptions options;
    QString error;
    QStringList ignored;
    if (!VxImportOptions::fromSettings(settings, &options, &error, &ignored))
        return refuse(BadSettings, QStringLiteral("%1: %2").arg(path, error));
    for (const QString& key : qAsConst(ignored))
        m_lastWarnings.append(QStringLiteral("%1: importer setting \"%2\" is not known; it is ignored").arg(path, key));
    return read(path, shape, options);
}

int VxImportMgr::read(const QString& path, VxShape** shape, const VxImportOptions& options)
{
    if (shape)
        *shape = nullptr;
    if (!shape)
        return refuse(CannotOpen, QStringLiteral("%1: no place to return the shape").arg(path));

    VxObjInput input;
    if (!input.open(path))
        return refuse(CannotOpen, QStringLiteral("%1: cannot open the file (%2)").arg(path, input.errorString()));

    VxFacetMeshData data;
    VxObjParser parser(data);
    // Running out of memory on a huge file is a refusal like any other, not a crash.
    try {
        parser.reserveFor(input.sizeHint());
        VxObjLineReader reader(input, &VxObjParser::contentLimit);
        VxObjLine line;
        while (reader.next(line)) {
            if (!parser.parseLine(line.begin, line.end, line.number))
                return refuse(BadData, located(path, line.number, parser.errorReason()));
        }
        if (reader.hasFailed())
            return refuse(reader.isNotText() ? UnknownFormat : BadData, located(path, reader.errorLine(), reader.errorReason()));
        if (data.positions.empty())
            return refuse(BadData, located(path, std::max<qint64>(1, reader.lineCount()),
                                           QStringLiteral("no vertices: this is not an OBJ mesh")));
    } catch (const std::bad_alloc&) {
        return refuse(BadData, QStringLiteral("%1: not enough memory to read the mesh").arg(path));
    }

    if (!options.apply(data.positions))
        return refuse(BadData, QStringLiteral("%1: a position scaled by %2 is too large for a float")
                                   .arg(path).arg(options.getScale()));
    data.groupNames = parser.groups().names();
    auto* mesh = new VxFacetMesh;
    mesh->setData(std::move(data));
    mesh->setAssetUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    auto* facetShape = new VxFacetShape;
    const QString baseName = QFileInfo(path).completeBaseName();
    facetShape->setName(baseName);
    facetShape->setLabel(baseName);
    facetShape->setFacetMesh(mesh);
    addMaterials(path, parser, *facetShape);
    for (const QString& warning : qAsConst(m_lastWarnings)) {
        if (vxApp)
            vxApp->log(warning);
    }
    *shape = facetShape;
    return Success;
}

// Materials in order of first use, with what the libraries say of them. A library that
// cannot be read, or a material none of the read libraries defines, is a warning only.
void VxImportMgr::addMaterials(const QString& path, const VxObjParser& parser, VxShape& shape)
{
    const QDir folder = QFileInfo(path).dir();
    VxMtlReader libraries;
    QStringList seen;
    bool anyLibraryRead = false;
    for (const VxObjLibraryRef& library : parser.libraries()) {
        QString fileName = library.fileName;
        fileName.replace(QLatin1Char('\\'), QLatin1Char('/'));
        const QString libraryPath = QDir::cleanPath(folder.filePath(fileName));
        if (seen.contains(libraryPath))
            continue;
        seen.append(libraryPath);
        if (!QFileInfo::exists(libraryPath)) {
            m_lastWarnings.append(located(path, library.line,
                                          QStringLiteral("material library '%1' not found").arg(library.fileName)));
        } else if (!libraries.read(libraryPath)) {
            m_lastWarnings.append(located(path, library.line, QStringLiteral("material library '%1' cannot be read: %2")
                                                                  .arg(library.fileName, libraries.errorString())));
        } else {
            anyLibraryRead = true;
        }
    }
    m_lastWarnings.append(libraries.warnings());

    const QStringList& names = parser.materials().names();
    for (int i = 0; i < names.size(); ++i) {
        auto* material = new VxDefaultMaterial;
        material->setName(names[i]);
        material->setLabel(names[i]);
        if (libraries.contains(names[i])) {
            const VxMtlMaterial definition = libraries.material(names[i]);
            if (definition.diffuseColor.isValid())
                material->setDiffuseColor(definition.diffuseColor);
            material->setDiffuseTexture(definition.diffuseTexture);
        } else if (anyLibraryRead) {
            m_lastWarnings.append(located(path, parser.materials().firstLines()[size_t(i)],
                                          QStringLiteral("material '%1' is not defined in the material libraries").arg(names[i])));
        }
        shape.addMaterial(material);
    }
}

int VxImportMgr::refuse(int result, const QString& message)
{
    m_lastError = message;
    if (vxApp)
        vxApp->log(message);
    return result;
}

VxFileFilter VxImportMgr::makeGeometryFileFilter()
{
    VxFileFilter filter;
    makeGeometryFileFilter(filter, QString(), false);
    return filter;
}

void VxImportMgr::makeGeometryFileFilter(VxFileFilter& filter, const QString& text, bool allFormats)
{
    filter.newFilter(QStringLiteral("Wavefront OBJ"));
    filter.addExtension(QStringLiteral("obj"));
    filter.newFilter(QStringLiteral("Compressed Wavefront OBJ"));
    filter.addExtension(QStringLiteral("obz"));
    if (!allFormats)
        return;
    filter.newFilter(text.isEmpty() ? QStringLiteral("All Geometry Files") : text);
    filter.addExtension(QStringLiteral("obj"));
    filter.addExtension(QStringLiteral("obz"));
}
