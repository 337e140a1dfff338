#include "vxbenchsupport.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"

#include "vxapp.h"
#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxcontentmgr.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxgraftingfigureshape.h"
#include "vxobject.h"
#include "vxscene.h"
#include "vxselectionmap.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

double vxBenchMedian(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

double vxBenchMedianMs(int runs, const std::function<void()>& step)
{
    std::vector<double> times;
    QElapsedTimer timer;
    for (int run = 0; run < runs; ++run) {
        timer.start();
        step();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return vxBenchMedian(times);
}

long vxBenchStatusKb(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

bool vxBenchResetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

// fork and exec rather than QProcess: wait4 gives the child's max RSS.
VxBenchChild vxBenchRunSelf(const QStringList& arguments)
{
    VxBenchChild child;
    const QByteArray self = QCoreApplication::applicationFilePath().toLocal8Bit();
    std::vector<QByteArray> storage{self};
    for (const QString& argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0)
        return child;
    const pid_t pid = fork();
    if (pid < 0) {
        close(out[0]);
        close(out[1]);
        return child;
    }
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    char buffer[4096];
    for (ssize_t got; (got = read(out[0], buffer, sizeof(buffer))) > 0;)
        child.output.append(buffer, int(got));
    close(out[0]);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return child;
    child.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    child.peakMiB = double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
    return child;
}

VxBenchApp::VxBenchApp()
{
    VxAppPaths paths;
    paths.dataPath = m_folder.filePath(QStringLiteral("data"));
    paths.documentsPath = m_folder.path();
    paths.documentationPath = m_folder.path();
    m_app = std::make_unique<VxApp>(paths);
}

VxBenchApp::~VxBenchApp() = default;

void VxBenchApp::addRuntimeFolder(const QString& relative)
{
    QDir().mkpath(path(relative));
    m_app->getContentMgr()->addPoserDirectory(path(relative));
}

void vxBenchFillDocument(VxFSHierarchy& document, VxFSGeomItem* skin, int bones)
{
    document.setBaseGeometry(skin);
    std::vector<VxFSHierarchyItem*> made;
    for (int b = 0; b < bones; ++b) {
        const QString name = skin->getGroup(b)->getName();
        VxFSHierarchyItem* bone = b == 0 ? new VxFSHierarchyItem(&document, name)
                                         : new VxFSHierarchyItem(made[size_t((b - 1) / 2)], name);
        bone->setRotationOrder(b % 6);
        bone->setGeomGroup(skin->getGroup(b));
        made.push_back(bone);
    }
}

bool vxBenchWriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray vxBenchGroupMesh(const QStringList& groups)
{
    QByteArray obj;
    for (int g = 0; g < groups.size(); ++g) {
        obj += "v " + QByteArray::number(g) + " 0 0\nv " + QByteArray::number(g + 1) + " 0 0\nv "
               + QByteArray::number(g) + " 1 0\ng " + groups[g].toUtf8() + "\nf -3 -2 -1\n";
    }
    return obj;
}

const VxBenchHumanoidBone vxBenchHumanoid[19] = {
    {"1", "hip", "yzx"},    {"2", "abdomen", "yzx"}, {"3", "chest", "yzx"},  {"4", "neck", "yzx"},
    {"5", "head", "yzx"},   {"4", "lCollar", "xyz"}, {"5", "lShldr", "xyz"}, {"6", "lForeArm", "xyz"},
    {"7", "lHand", "xyz"},  {"4", "rCollar", "xyz"}, {"5", "rShldr", "xyz"}, {"6", "rForeArm", "xyz"},
    {"7", "rHand", "xyz"},  {"2", "lThigh", "yzx"},  {"3", "lShin", "yzx"},  {"4", "lFoot", "zyx"},
    {"2", "rThigh", "yzx"}, {"3", "rShin", "yzx"},   {"4", "rFoot", "zyx"}};

VxFacetMesh* vxBenchSheet(int columns, int rows, const QStringList& groups, float shiftX)
{
    VxFacetMeshData data;
    data.positions.reserve(size_t(columns) * size_t(rows) * 3);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            data.positions.insert(data.positions.end(),
                                  {c * 0.01f + shiftX, r * 0.01f, 0.001f * float((c * 7 + r * 13) % 17)});
    data.groupNames = groups;
    const int bands = int(groups.size());
    for (int r = 0; r + 1 < rows; ++r)
        for (int c = 0; c + 1 < columns; ++c) {
            const int v = r * columns + c;
            for (int corner : {v, v + 1, v + 1 + columns, v + columns})
                data.cornerVertex.push_back(corner);
            data.facetStart.push_back(uint32_t(data.cornerVertex.size()));
            data.facetGroup.push_back(r * bands / (rows - 1));
            data.facetMaterial.push_back(-1);
        }
    auto* mesh = new VxFacetMesh();
    mesh->setData(std::move(data));
    return mesh;
}

QStringList vxBenchBoneNames(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(QStringLiteral("bone%1").arg(i));
    return names;
}

VxFigure* vxBenchSkinFigure(VxFacetMesh* mesh, const QString& name)
{
    auto* figure = new VxFigure();
    figure->setName(name);
    vxScene->addNode(figure);
    figure->setObject(new VxObject());
    auto* shape = new VxGraftingFigureShape();
    shape->setFacetMesh(mesh);
    figure->getObject()->addShape(shape);
    figure->setSelectionMap(new VxSelectionMap());
    return figure;
}

VxBoneBinding* vxBenchAddBoundBone(VxFigure* figure, VxNode* parent, const QString& name, bool scaleMap)
{
    auto* bone = new VxBone();
    bone->setName(name);
    parent->addNodeChild(bone, false);
    vxScene->addNode(bone);
    auto* binding = new VxBoneBinding();
    binding->setBone(bone);
    figure->getSkinBinding()->addBoneBinding(binding);
    const int vertices = figure->getObject()->getCurrentShape()->getGeometry()->getNumVertices();
    for (int m = 0; m < (scaleMap ? 4 : 3); ++m) {
        VxRefGuard<VxWeightMap> map(new VxWeightMap());
        map->setNumWeights(vertices, false);
        if (m < 3)
            binding->setLocalWeights(m, map.get());
        else
            binding->setScaleWeights(map.get());
    }
    return binding;
}
