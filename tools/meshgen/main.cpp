// vxmeshgen: writes the generator's meshes as OBJ files (OUT.obz: gzip-compressed) with
// their material library.
//   vxmeshgen humanoid OUT.obj
//   vxmeshgen grid --triangles N --groups G --materials M [--no-uvs] OUT.obj
#include "vxmeshgen.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: vxmeshgen humanoid OUT.obj\n"
                 "       vxmeshgen grid --triangles N --groups G --materials M [--no-uvs] OUT.obj\n");
    return 2;
}

bool takeInt(QStringList& args, const QString& option, int* value)
{
    const int at = args.indexOf(option);
    if (at < 0)
        return true;
    bool ok = false;
    *value = at + 1 < args.size() ? args[at + 1].toInt(&ok) : 0;
    if (!ok || *value <= 0) {
        std::fprintf(stderr, "vxmeshgen: %s needs a positive number\n", qPrintable(option));
        return false;
    }
    args.removeAt(at + 1);
    args.removeAt(at);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return usage();
    const QString kind = args.takeFirst();
    VxFacetMeshData mesh;
    QStringList materials;
    if (kind == QLatin1String("humanoid")) {
        mesh = VxMeshGen::humanoid(&materials);
    } else if (kind == QLatin1String("grid")) {
        int triangles = 1000000, groups = 60, materialCount = 5;
        if (!takeInt(args, QStringLiteral("--triangles"), &triangles) || !takeInt(args, QStringLiteral("--groups"), &groups)
            || !takeInt(args, QStringLiteral("--materials"), &materialCount))
            return 2;
        const bool withUVs = !args.removeOne(QStringLiteral("--no-uvs"));
        mesh = VxMeshGen::grid(triangles, groups, materialCount, &materials, withUVs);
    } else {
        return usage();
    }
    if (args.size() != 1 || args[0].startsWith(QLatin1Char('-')))
        return usage();
    QString error;
    if (!VxMeshGen::writeObjFile(mesh, materials, args[0], &error)) {
        std::fprintf(stderr, "vxmeshgen: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s: %d vertices, %d UVs, %d facets, %d face groups, %d materials\n", qPrintable(args[0]),
                mesh.numVertices(), mesh.numUVs(), mesh.numFacets(), int(mesh.groupNames.size()), int(materials.size()));
    return 0;
}
