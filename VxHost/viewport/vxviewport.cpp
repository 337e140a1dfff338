#include "vxviewport.h"

#include "vxviewportdrawlist.h"
#include "vxviewportrenderer.h"
#include "vxviewportscenewatcher.h"

#include "vxscene.h"
#include "vxviewportmgr.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QWheelEvent>

namespace {
constexpr float kOrbitDegreesPerPixel = 0.4f;
constexpr float kOrbitDegreesPerKey = 15.0f;
constexpr float kPanPixelsPerKey = 40.0f;
constexpr float kZoomStepsPerPixel = 1.0f / 40.0f;
} // namespace

VxViewport::VxViewport(VxScene* scene, QWidget* parent)
    : QOpenGLWidget(parent), m_scene(scene), m_watcher(std::make_unique<VxViewportSceneWatcher>(scene))
{
    setObjectName(QStringLiteral("VxViewport"));
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setDepthBufferSize(24);
    setFormat(format);
    // A frame held back by the redraw lock leaves the last image on screen, so the
    // framebuffer's contents must survive between frames.
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(160, 120);
    setToolTip(navigationHelp());
    setStatusTip(navigationSummary());

    connect(m_watcher.get(), &VxViewportSceneWatcher::redrawNeeded, this, &VxViewport::requestRedraw);
    if (scene) {
        connect(scene->getViewportMgr(), &VxViewportMgr::redrawRequested, this, qOverload<>(&QWidget::update));
        // Scenes own their viewport manager; a scene going away takes the viewport's view.
        connect(scene, &QObject::destroyed, this, qOverload<>(&QWidget::update));
    }
}

VxViewport::~VxViewport()
{
    releaseGL();
}

VxScene* VxViewport::getScene() const
{
    return m_scene;
}

QString VxViewport::navigationHelp()
{
    return tr("Click: select (Shift or Ctrl+click: add or remove; click on empty space: deselect)\n"
              "Left drag: orbit    Middle or Shift+left drag: pan    Right or Ctrl+left drag, wheel: zoom\n"
              "F or Home: frame all    Arrow keys: orbit    Shift+arrow keys: pan    + and -: zoom");
}

QString VxViewport::getErrorString() const
{
    if (!m_error.isEmpty())
        return m_error;
    // A viewport on screen has tried to make its context; without one initializeGL never runs.
    if (isVisible() && !isUnseen() && !isValid())
        return tr("The 3D viewport could not create an OpenGL context on this display; it needs OpenGL 3.3 "
                  "(core profile), as a desktop or xvfb-run with Mesa offers.");
    return QString();
}

QString VxViewport::navigationSummary()
{
    return tr("Click: select    Left drag: orbit    Middle drag: pan    Right drag or wheel: zoom    F: frame all");
}

int VxViewport::getMeshUploadCount() const
{
    return m_renderer ? m_renderer->getMeshUploadCount() : 0;
}

int VxViewport::getPositionUploadCount() const
{
    return m_renderer ? m_renderer->getPositionUploadCount() : 0;
}

bool VxViewport::isUnseen() const
{
    return window()->testAttribute(Qt::WA_DontShowOnScreen);
}

bool VxViewport::event(QEvent* event)
{
    // QOpenGLWidget makes its context when shown or moved to another window; skipping its
    // handling leaves it unmade until a Show in a window on screen.
    const QEvent::Type type = event->type();
    if (isUnseen() && (type == QEvent::Show || type == QEvent::WindowChangeInternal))
        return QWidget::event(event);
    return QOpenGLWidget::event(event);
}

void VxViewport::resizeEvent(QResizeEvent* event)
{
    // Resizing makes the context too (see event()).
    if (isUnseen()) {
        QWidget::resizeEvent(event);
        return;
    }
    QOpenGLWidget::resizeEvent(event);
}

void VxViewport::initializeGL()
{
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &VxViewport::releaseGL, Qt::DirectConnection);
    m_renderer = std::make_unique<VxViewportRenderer>();
    m_error.clear();
    if (!m_renderer->create(&m_error)) {
        qWarning("%s", qPrintable(m_error));
        m_renderer.reset();
    }
}

void VxViewport::releaseGL()
{
    if (!m_renderer)
        return;
    // GPU objects go with the context they were made in.
    makeCurrent();
    m_renderer.reset();
    doneCurrent();
}

void VxViewport::resizeGL(int width, int height)
{
    Q_UNUSED(width);
    Q_UNUSED(height);
    m_imageValid = false;
}

QSize VxViewport::pixelSize() const
{
    return size() * devicePixelRatioF();
}

void VxViewport::paintGL()
{
    if (!m_renderer)
        return;
    if (m_scene && m_scene->getViewportMgr()->areRedrawsLocked() && m_imageValid)
        return;
    m_watcher->rewire();
    const VxViewportDrawList list = m_scene ? VxViewportDrawList::collect(*m_scene) : VxViewportDrawList();
    if (m_autoFrame) {
        const VxBox3 bounds = list.bounds();
        if (bounds != m_autoFramedBounds) {
            m_camera.frame(bounds, size());
            m_autoFramedBounds = bounds;
        }
    }
    m_renderer->render(list, m_camera, pixelSize(), devicePixelRatioF(), defaultFramebufferObject());
    m_imageValid = true;
    ++m_frameCount;
    emit frameRendered();
}

void VxViewport::requestRedraw()
{
    if (m_scene)
        m_scene->getViewportMgr()->requestRedraw();
    else
        update();
}

void VxViewport::cameraMovedByUser()
{
    m_autoFrame = false;
    requestRedraw();
}

void VxViewport::frameAll()
{
    const VxViewportDrawList list = m_scene ? VxViewportDrawList::collect(*m_scene) : VxViewportDrawList();
    m_camera.frame(list.bounds(), size());
    cameraMovedByUser();
}

VxNode* VxViewport::nodeAt(const QPoint& pos)
{
    if (!m_renderer || !m_scene || !context())
        return nullptr;
    const VxViewportDrawList list = VxViewportDrawList::collect(*m_scene);
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = pixelSize();
    const QPoint pixel(int(pos.x() * ratio), pixels.height() - 1 - int(pos.y() * ratio));
    makeCurrent();
    VxNode* node = m_renderer->pick(list, m_camera, pixels, pixel, defaultFramebufferObject());
    doneCurrent();
    return node;
}

void VxViewport::selectAt(const QPoint& pos, bool toggle)
{
    if (!m_scene)
        return;
    VxNode* node = nodeAt(pos);
    if (!node) {
        if (!toggle)
            m_scene->selectAllNodes(false);
        return;
    }
    if (toggle)
        m_scene->selectNode(node, !m_scene->isNodeSelected(node));
    else
        m_scene->setSelection({node});
}

void VxViewport::mousePressEvent(QMouseEvent* event)
{
    m_pressPos = m_lastPos = event->pos();
    m_pressButton = event->button();
    m_dragging = false;
    event->accept();
}

void VxViewport::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressButton == Qt::NoButton)
        return;
    if (!m_dragging && (event->pos() - m_pressPos).manhattanLength() < QApplication::startDragDistance())
        return;
    m_dragging = true;
    const QPoint delta = event->pos() - m_lastPos;
    m_lastPos = event->pos();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool left = m_pressButton == Qt::LeftButton;
    if (m_pressButton == Qt::MiddleButton || (left && (modifiers & Qt::ShiftModifier)))
        m_camera.pan(float(delta.x()), float(delta.y()), height());
    else if (m_pressButton == Qt::RightButton || (left && (modifiers & Qt::ControlModifier)))
        m_camera.zoom(-float(delta.y()) * kZoomStepsPerPixel);
    else if (left)
        m_camera.orbit(-float(delta.x()) * kOrbitDegreesPerPixel, float(delta.y()) * kOrbitDegreesPerPixel);
    else
        return;
    cameraMovedByUser();
}

void VxViewport::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != m_pressButton)
        return;
    if (!m_dragging && m_pressButton == Qt::LeftButton)
        selectAt(event->pos(), event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    m_pressButton = Qt::NoButton;
    m_dragging = false;
}

void VxViewport::wheelEvent(QWheelEvent* event)
{
    const float steps = float(event->angleDelta().y()) / 120.0f;
    if (steps == 0.0f)
        return;
    m_camera.zoom(steps);
    cameraMovedByUser();
    event->accept();
}

void VxViewport::keyPressEvent(QKeyEvent* event)
{
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    float x = 0.0f, y = 0.0f;
    switch (event->key()) {
    case Qt::Key_F:
    case Qt::Key_Home:
        frameAll();
        return;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
    case Qt::Key_PageUp:
        m_camera.zoom(1.0f);
        cameraMovedByUser();
        return;
    case Qt::Key_Minus:
    case Qt::Key_PageDown:
        m_camera.zoom(-1.0f);
        cameraMovedByUser();
        return;
    case Qt::Key_Left: x = -1.0f; break;
    case Qt::Key_Right: x = 1.0f; break;
    case Qt::Key_Up: y = -1.0f; break;
    case Qt::Key_Down: y = 1.0f; break;
    default:
        QOpenGLWidget::keyPressEvent(event);
        return;
    }
    if (shift)
        m_camera.pan(x * kPanPixelsPerKey, y * kPanPixelsPerKey, height());
    else
        m_camera.orbit(-x * kOrbitDegreesPerKey, y * kOrbitDegreesPerKey);
    cameraMovedByUser();
}
