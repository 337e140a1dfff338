#include "vxviewporttest.h"

#include "vxviewport.h"

#include "vxdefaultmaterial.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxnode.h"
#include "vxobject.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

void VxViewportTest::SetUp()
{
    VxSceneTest::SetUp();
    m_window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(m_window.get());
    layout->setContentsMargins(0, 0, 0, 0);
    m_viewport = new VxViewport(m_scene.get(), m_window.get());
    m_viewport->setFixedSize(320, 240);
    layout->addWidget(m_viewport);
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    ASSERT_TRUE(m_viewport->getErrorString().isEmpty()) << m_viewport->getErrorString().toStdString();
    ASSERT_TRUE(renderFrame());
}

void VxViewportTest::TearDown()
{
    m_window.reset();
    VxSceneTest::TearDown();
}

bool VxViewportTest::renderFrame()
{
    QSignalSpy frames(m_viewport, &VxViewport::frameRendered);
    m_viewport->update();
    return frames.count() > 0 || frames.wait(5000);
}

QImage VxViewportTest::image()
{
    return m_viewport->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
}

QPoint VxViewportTest::project(const QVector3D& world) const
{
    const QSize size = m_viewport->size();
    const VxViewportCamera& camera = m_viewport->getCamera();
    // The scene radius only moves the far plane, never where a point lands.
    const QVector3D ndc = (camera.projectionMatrix(size, 1.0f) * camera.viewMatrix()).map(world);
    return QPoint(int((ndc.x() * 0.5f + 0.5f) * float(size.width())), int((0.5f - ndc.y() * 0.5f) * float(size.height())));
}

void VxViewportTest::keepImage(const QImage& image, const QString& name)
{
    const QString folder = qEnvironmentVariable("VX_GL_SHOT_DIR");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        image.save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

VxNode* vxAddBoxProp(const QString& name, const VxVec3& min, const VxVec3& max, const QColor& color)
{
    VxFacetMesh* mesh = vxMakeBoxMesh({{name, min, max}});
    VxFacetMeshData data = mesh->getData();
    std::fill(data.facetMaterial.begin(), data.facetMaterial.end(), 0);
    mesh->setData(std::move(data));
    auto* shape = new VxFacetShape();
    shape->setFacetMesh(mesh);
    auto* material = new VxDefaultMaterial();
    material->setDiffuseColor(color);
    shape->addMaterial(material);
    auto* node = new VxNode();
    node->setName(name);
    node->setObject(new VxObject());
    node->getObject()->addShape(shape);
    vxScene->addNode(node);
    return node;
}

bool vxLooksLike(QRgb pixel, const QColor& color, double tolerance)
{
    const double pixelSum = qRed(pixel) + qGreen(pixel) + qBlue(pixel);
    const double colorSum = color.red() + color.green() + color.blue();
    if (pixelSum < 60.0 || colorSum <= 0.0)
        return false;
    return std::abs(qRed(pixel) / pixelSum - color.red() / colorSum) <= tolerance
           && std::abs(qGreen(pixel) / pixelSum - color.green() / colorSum) <= tolerance
           && std::abs(qBlue(pixel) / pixelSum - color.blue() / colorSum) <= tolerance;
}
