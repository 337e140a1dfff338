// Times a frame of the 3D viewport on the 501,264-vertex grid of `vxmeshgen grid` (1M
// triangles, 150 face groups, 5 materials) as the skin of a 150-bone single-skin figure,
// against the floor: a bare draw of the same vertex and index buffers with one trivial
// shader, into the same framebuffer with the same camera. Both are finished with glFinish,
// so the GPU's work counts, and run in pairs; medians are printed with the ratio, the median
// of the pairs' ratios (a pair shares the machine's load of the moment). With Mesa's
// software renderer the "GPU" is the process's own threads, so the ratio is judged on the
// process's CPU time: on a shared machine the wall clock also counts the time other
// processes hold the cores, which varies from round to round.
// It also times posing: a bone turned, then the next frame (the skin evaluated, its moved
// vertices remade and uploaded in place, the frame drawn), and counts the uploads that
// took; a pose change that uploads the mesh whole fails the run.
// Needs a display with OpenGL 3.3: run it under
//   xvfb-run -a -s "-screen 0 1600x1000x24" build/bin/bench_viewport
#include "vxbenchsupport.h"

#include "vxviewport.h"
#include "vxviewportmeshbuffer.h"
#include "vxviewportmeshbuilder.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfsskinfigurebuilder.h"

#include "vxdefaultmaterial.h"
#include "vxfacetmesh.h"
#include "vxbone.h"
#include "vxfacetshape.h"
#include "vxfigure.h"
#include "vxmeshgen.h"
#include "vxobject.h"
#include "vxposechannels.h"
#include "vxrefcounted.h"
#include "vxscene.h"
#include "vxskeleton.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QOpenGLBuffer>
#include <QOpenGLContext>
#include <QOpenGLFunctions_3_3_Core>
#include <QOpenGLShaderProgram>
#include <QOpenGLVertexArrayObject>
#include <QWindow>
#include <QVBoxLayout>

#include <ctime>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {
constexpr int kTriangles = 1000000;
constexpr int kBones = 150;
constexpr int kRounds = 21;
constexpr int kPoseRounds = 11;
constexpr double kTargetRatio = 1.3;
const QSize kViewSize(1000, 700);

const char* const kFloorVertex = R"(#version 330 core
layout(location = 0) in vec3 position;
uniform mat4 modelViewProjection;
void main()
{
    gl_Position = modelViewProjection * vec4(position, 1.0);
}
)";
const char* const kFloorFragment = R"(#version 330 core
out vec4 fragColor;
void main()
{
    fragColor = vec4(0.8, 0.8, 0.8, 1.0);
}
)";

struct Timing
{
    double wallMs = 0.0;
    double cpuMs = 0.0;
};

double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Wall-clock and CPU time (all threads of the process, the renderer's among them) of `step`.
Timing measure(const std::function<void()>& step)
{
    QElapsedTimer timer;
    const double cpuStart = processCpuMs();
    timer.start();
    step();
    return {double(timer.nsecsElapsed()) / 1e6, processCpuMs() - cpuStart};
}

// The viewport with its frame callable directly, so a frame is timed without the
// window system's compositing.
class BenchViewport : public VxViewport
{
public:
    using VxViewport::VxViewport;
    QOpenGLFunctions_3_3_Core* gl() { return context()->versionFunctions<QOpenGLFunctions_3_3_Core>(); }
    Timing timeFrame()
    {
        makeCurrent();
        return measure([this] {
            paintGL();
            gl()->glFinish();
        });
    }
};

// The floor: the same triangles in buffers of the same layout, one program, one draw.
class Floor
{
public:
    Floor(QOpenGLFunctions_3_3_Core* gl, const VxViewportMeshGeometry& geometry) : m_gl(gl), m_buffer(gl)
    {
        m_buffer.upload(geometry);
        m_program.addShaderFromSourceCode(QOpenGLShader::Vertex, kFloorVertex);
        m_program.addShaderFromSourceCode(QOpenGLShader::Fragment, kFloorFragment);
        m_ok = m_program.link();
    }
    bool isValid() const { return m_ok; }
    Timing timeFrame(const QMatrix4x4& modelViewProjection, const QSize& pixels)
    {
        return measure([&] { draw(modelViewProjection, pixels); });
    }

private:
    void draw(const QMatrix4x4& modelViewProjection, const QSize& pixels)
    {
        m_gl->glViewport(0, 0, pixels.width(), pixels.height());
        m_gl->glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
        m_gl->glEnable(GL_DEPTH_TEST);
        m_gl->glDepthMask(GL_TRUE);
        m_gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        m_program.bind();
        m_program.setUniformValue("modelViewProjection", modelViewProjection);
        m_buffer.bind();
        m_buffer.drawIndices(0, m_buffer.indexCount());
        m_buffer.release();
        m_program.release();
        m_gl->glFinish();
    }

    QOpenGLFunctions_3_3_Core* m_gl;
    VxViewportMeshBuffer m_buffer;
    QOpenGLShaderProgram m_program;
    bool m_ok = false;
};

// Shows the window and waits (at most five seconds) until the display has exposed it.
bool showAndWaitExposed(QWidget& window)
{
    window.show();
    QElapsedTimer timer;
    timer.start();
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::processEvents();
    return window.windowHandle() && window.windowHandle()->isExposed();
}

// The skin's source shape: the grid with five coloured materials.
VxFacetShape* makeSkinShape(VxFacetMesh* mesh)
{
    QStringList names;
    mesh->setData(VxMeshGen::grid(kTriangles, kBones, 5, &names));
    auto* shape = new VxFacetShape();
    shape->setName(QStringLiteral("skin"));
    shape->setFacetMesh(mesh);
    for (const QString& name : names) {
        float rgb[3];
        VxMeshGen::materialColor(name, rgb);
        auto* material = new VxDefaultMaterial();
        material->setObjectName(name);
        material->setDiffuseColor(QColor::fromRgbF(rgb[0], rgb[1], rgb[2]));
        shape->addMaterial(material);
    }
    return shape;
}
} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    if (qgetenv("QT_QPA_PLATFORM") == "xcb" && qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "bench_viewport needs a display with OpenGL 3.3; run it as\n"
                             "  xvfb-run -a -s \"-screen 0 1600x1000x24\" %s\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    VxBenchApp app;
    VxScene scene;

    // The figure, built the way the pane's Create button builds it.
    auto* mesh = new VxFacetMesh();
    VxRefGuard<VxFacetShape> shape(makeSkinShape(mesh));
    auto document = std::make_unique<VxFSHierarchy>(QStringLiteral("Bench"));
    auto* item = new VxFSGeomItem(shape.get(), QStringLiteral("skin"));
    document->addGeometryItem(item);
    document->setFigureType(SingleSkin);
    vxBenchFillDocument(*document, item, kBones);
    VxFSSkinFigureBuilder(document.get()).createSingleSkinFigure(false);
    auto* figure = qobject_cast<VxFigure*>(scene.findNode(QStringLiteral("Bench")));
    if (!figure || figure->getAllBones().size() != kBones) {
        std::fprintf(stderr, "the figure was not built\n");
        return 2;
    }

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* viewport = new BenchViewport(&scene, &window);
    viewport->setFixedSize(kViewSize);
    layout->addWidget(viewport);
    if (!showAndWaitExposed(window) || !viewport->context() || !viewport->getErrorString().isEmpty()) {
        std::fprintf(stderr, "no OpenGL 3.3 view: %s\n", qPrintable(viewport->getErrorString()));
        return 2;
    }
    // One bone selected, so the frame includes a tinted part and a highlighted bone.
    scene.setSelection({figure->getAllBones().value(kBones / 2)});
    viewport->timeFrame();
    // A frame after a mesh edit converts and uploads the mesh once.
    mesh->beginEdit(true);
    mesh->finishEdit();
    const int uploadsBefore = viewport->getMeshUploadCount();
    const double editFrameMs = viewport->timeFrame().wallMs;
    const int uploads = viewport->getMeshUploadCount() - uploadsBefore;

    QOpenGLFunctions_3_3_Core* gl = viewport->gl();
    const QByteArray renderer(reinterpret_cast<const char*>(gl->glGetString(GL_RENDERER)));
    QElapsedTimer buildTimer;
    buildTimer.start();
    const VxViewportMeshGeometry geometry = VxViewportMeshBuilder::build(mesh->getData());
    const double buildMs = double(buildTimer.nsecsElapsed()) / 1e6;
    std::vector<VxViewportVertex> remade(geometry.vertices.size());
    std::vector<double> remakeMs;
    for (int round = 0; round < 5; ++round) {
        remakeMs.push_back(measure([&] {
                               VxViewportMeshBuilder::rebuildVertices(mesh->getData(), geometry.sources, remade.data());
                           }).wallMs);
    }
    Floor floor(gl, geometry);
    if (!floor.isValid()) {
        std::fprintf(stderr, "the floor's shader did not build\n");
        return 2;
    }
    const QSize pixels = viewport->size() * viewport->devicePixelRatioF();
    const VxViewportCamera& camera = viewport->getCamera();
    const QMatrix4x4 modelViewProjection = camera.projectionMatrix(pixels, 10.0f) * camera.viewMatrix();

    std::vector<double> frameWall, frameCpu, floorWall, floorCpu, wallRatios, cpuRatios, repaintMs;
    for (int round = 0; round < kRounds; ++round) {
        const Timing frame = viewport->timeFrame();
        const Timing bare = floor.timeFrame(modelViewProjection, pixels);
        frameWall.push_back(frame.wallMs);
        frameCpu.push_back(frame.cpuMs);
        floorWall.push_back(bare.wallMs);
        floorCpu.push_back(bare.cpuMs);
        wallRatios.push_back(frame.wallMs / bare.wallMs);
        cpuRatios.push_back(frame.cpuMs / bare.cpuMs);
        // For reference: a whole repaint through Qt, composited into the window.
        repaintMs.push_back(measure([&] {
                                viewport->repaint();
                                viewport->makeCurrent();
                                gl->glFinish();
                            }).wallMs);
    }
    const int uploadsAfter = viewport->getMeshUploadCount();

    // Posing: a bone turned, then the next frame, which evaluates the posed skin and
    // brings it to the GPU; each round also times a frame without a change just before,
    // so the cost of the pose change is a difference taken under the same load.
    VxBone* turned = figure->getAllBones().value(1);
    std::vector<double> poseWall, poseCpu, stillWall, poseExtraCpu;
    const int fullUploadsBeforePose = viewport->getMeshUploadCount();
    const int positionUploadsBeforePose = viewport->getPositionUploadCount();
    for (int round = 0; round < kPoseRounds; ++round) {
        const Timing still = viewport->timeFrame();
        const Timing posed = measure([&] {
            VxPoseChannels::setRotation(turned, VxVec3(0.0f, 0.0f, float(10 + 5 * (round % 4))));
            viewport->timeFrame();
        });
        stillWall.push_back(still.wallMs);
        poseWall.push_back(posed.wallMs);
        poseCpu.push_back(posed.cpuMs);
        poseExtraCpu.push_back(posed.cpuMs - still.cpuMs);
    }
    const int poseFullUploads = viewport->getMeshUploadCount() - fullUploadsBeforePose;
    const int posePositionUploads = viewport->getPositionUploadCount() - positionUploadsBeforePose;
    VxPoseChannels::resetPose(figure);
    viewport->doneCurrent();
    // `--screenshot FILE.png` keeps the frame, to see what was timed.
    const QStringList arguments = QCoreApplication::arguments();
    const int shot = arguments.indexOf(QStringLiteral("--screenshot"));
    if (shot > 0 && shot + 1 < arguments.size() && !viewport->grabFramebuffer().save(arguments[shot + 1])) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(arguments[shot + 1]));
        return 2;
    }

    const double ratio = vxBenchMedian(cpuRatios);
    std::printf("skin: %d vertices, %d triangles, %d face groups, 5 materials; %d bones, one selected; view %dx%d (%s)\n",
                mesh->getNumVertices(), mesh->getNumFacets(), mesh->getNumFaceGroups(), kBones, pixels.width(),
                pixels.height(), renderer.constData());
    std::printf("%d rounds of a viewport frame and a floor frame, each finished with glFinish (medians)\n\n",
                kRounds);
    std::printf("                                          wall        CPU\n");
    std::printf("viewport frame                         %7.1f ms %7.1f ms\n", vxBenchMedian(frameWall),
                vxBenchMedian(frameCpu));
    std::printf("floor: bare draw of the same buffers   %7.1f ms %7.1f ms\n", vxBenchMedian(floorWall),
                vxBenchMedian(floorCpu));
    std::printf("ratio                                  %7.2f    %7.2f     (target at most %.1f on CPU time: %s)\n",
                vxBenchMedian(wallRatios), ratio, kTargetRatio,
                ratio <= kTargetRatio ? "met" : "MISSED");
    std::printf("whole repaint through Qt, composited   %7.1f ms\n", vxBenchMedian(repaintMs));
    std::printf("frame after a mesh edit                %7.1f ms  (%d upload; the conversion alone %.1f ms)\n",
                editFrameMs, uploads, buildMs);
    std::printf("uploads during the timed frames        %7d\n", uploadsAfter - uploadsBefore - uploads);
    std::printf("bone turned to the next frame          %7.1f ms %7.1f ms  (a frame without a change %.1f ms wall; "
                "the change's own CPU time %.1f ms)\n",
                vxBenchMedian(poseWall), vxBenchMedian(poseCpu), vxBenchMedian(stillWall), vxBenchMedian(poseExtraCpu));
    std::printf("  uploads in %d pose changes           %3d whole, %d positions only\n", kPoseRounds, poseFullUploads,
                posePositionUploads);
    std::printf("  vertices remade for moved positions  %7.1f ms  (normals over the same facets)\n", vxBenchMedian(remakeMs));
    return uploadsAfter - uploadsBefore - uploads == 0 && poseFullUploads == 0 ? 0 : 1;
}
