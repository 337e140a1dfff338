#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <vector>

class VxApp;
class VxBone;
class VxBoneBinding;
class VxFacetMesh;
class VxFigure;
class VxFSGeomItem;
class VxFSHierarchy;
class VxNode;

// What the benchmark programs share: medians, the process's memory figures, peak memory
// measured in a child process, a throw-away application object and the usual document.

// The median (the mean of the two middle values for an even count).
double vxBenchMedian(std::vector<double> values);
// Runs `step` `runs` times and returns the median time in milliseconds.
double vxBenchMedianMs(int runs, const std::function<void()>& step);

// A field of /proc/self/status in kB ("VmRSS:", "VmHWM:"), or -1.
long vxBenchStatusKb(const char* key);
// Starts the peak-resident mark (VmHWM) again from the current size.
bool vxBenchResetPeak();

// This program run again with `arguments` in a child process: whether it exited with 0,
// what it printed, and its peak resident memory (max RSS). Call it while this process is
// still small: the child starts as a copy of it.
struct VxBenchChild
{
    bool ok = false;
    double peakMiB = -1.0;
    QByteArray output;
};
VxBenchChild vxBenchRunSelf(const QStringList& arguments);

// An application object whose data and documents live in a temporary folder.
class VxBenchApp
{
public:
    VxBenchApp();
    ~VxBenchApp();
    QString path(const QString& relative) const { return m_folder.filePath(relative); }
    // Makes `relative` a folder of the temporary tree and a Poser runtime folder.
    void addRuntimeFolder(const QString& relative);

private:
    QTemporaryDir m_folder;
    std::unique_ptr<VxApp> m_app;
};

// The document the figure benchmarks build from: `bones` bones below one root in a binary
// tree, bone i owning face group i of `skin` (its base geometry), default choices, rotation
// orders cycling through all six.
void vxBenchFillDocument(VxFSHierarchy& document, VxFSGeomItem* skin, int bones);

// The skins of the rigging benchmarks: a `columns` x `rows` sheet of vertices 1 cm apart in
// the XY plane (moved `shiftX` along X), with a little relief in Z, quads between them. The
// rows fall into one band per name in `groups`, in order, each band a face group.
VxFacetMesh* vxBenchSheet(int columns, int rows, const QStringList& groups, float shiftX = 0.0f);
// "bone0", "bone1", ...: the face groups and bones of the banded benchmarks.
QStringList vxBenchBoneNames(int count);
// A single-skin figure named `name`, added to the scene, on a grafting shape of `mesh`, with
// a selection map and no bones yet.
VxFigure* vxBenchSkinFigure(VxFacetMesh* mesh, const QString& name);
// Adds a bone `name` below `parent` (the figure or one of its bones), bound to the figure's
// skin by three local weight maps and, with `scaleMap`, a scale map, all of the skin's size
// and zero. Returns the binding; its bone is `getBone()`.
VxBoneBinding* vxBenchAddBoundBone(VxFigure* figure, VxNode* parent, const QString& name, bool scaleMap);

// Files for the hierarchy readers' benchmarks.
bool vxBenchWriteFile(const QString& path, const QByteArray& bytes);
// An OBJ mesh of one triangle per face group, the groups in the given order.
QByteArray vxBenchGroupMesh(const QStringList& groups);
// The bones of a humanoid as a PHI file gives them: depth, name, rotation order.
struct VxBenchHumanoidBone
{
    const char* depth;
    const char* name;
    const char* rotationOrder;
};
extern const VxBenchHumanoidBone vxBenchHumanoid[19];
