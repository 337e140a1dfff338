#pragma once

#include "vxviewportcamera.h"

#include <QOpenGLWidget>
#include <QPoint>
#include <QPointer>
#include <QString>

#include <memory>

class VxNode;
class VxScene;
class VxViewportRenderer;
class VxViewportSceneWatcher;

// The host's 3D view of the scene (OpenGL 3.3 core): every mesh node shaded in its
// material colours, bones as octahedra from origin to end point, the selection in the
// highlight colour, on a gradient background with a ground grid and an axis triad.
//
// It follows the scene (nodes, selection, mesh edits, moved nodes) and redraws through
// the scene's viewport manager, so it honours the host's redraw lock: nothing is drawn
// while redraws are locked, and one frame follows the release. A click selects the node
// under the cursor through the scene (a figure's skin selects the bone owning the body
// part), a click on empty space clears the selection. Navigation: see navigationHelp().
//
// In a window shown unseen (Qt::WA_DontShowOnScreen: a batch run) it makes no OpenGL
// context: nobody sees it, and platforms without OpenGL would only complain. The context
// is made when the window is shown for real, as for a screenshot.
class VxViewport : public QOpenGLWidget
{
    Q_OBJECT
public:
    explicit VxViewport(VxScene* scene, QWidget* parent = nullptr);
    ~VxViewport() override;

    VxScene* getScene() const;
    VxViewportCamera& getCamera() { return m_camera; }
    const VxViewportCamera& getCamera() const { return m_camera; }

    // Points the camera at everything in the scene, from the current direction.
    void frameAll();
    // The node drawn at `pos` (widget coordinates), or null where only background shows.
    VxNode* nodeAt(const QPoint& pos);
    // What a click does: the node at `pos` becomes the selection, or the selection is
    // cleared over empty space. With `toggle` the node is added to or taken from it.
    void selectAt(const QPoint& pos, bool toggle);

    // Frames drawn since the viewport was made; meshes converted and uploaded whole, and
    // meshes whose vertices alone were uploaded (moved or posed, same facets), since its
    // OpenGL resources were made.
    int getFrameCount() const { return m_frameCount; }
    int getMeshUploadCount() const;
    int getPositionUploadCount() const;
    // Why the viewport cannot draw (no OpenGL context, or one below 3.3 core), or empty.
    // Known once the viewport has been shown.
    QString getErrorString() const;

    // The mouse and key bindings, as the tooltip shows them, and in one line for the
    // status bar.
    static QString navigationHelp();
    static QString navigationSummary();

signals:
    void frameRendered();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void requestRedraw();
    void cameraMovedByUser();
    void releaseGL();
    bool isUnseen() const;
    QSize pixelSize() const;

    QPointer<VxScene> m_scene;
    VxViewportCamera m_camera;
    std::unique_ptr<VxViewportSceneWatcher> m_watcher;
    std::unique_ptr<VxViewportRenderer> m_renderer;
    QString m_error;
    int m_frameCount = 0;
    // Until the user moves the camera, it keeps framing the scene as it grows.
    bool m_autoFrame = true;
    VxBox3 m_autoFramedBounds;
    // A frame is owed even under the redraw lock when the image was lost (new size).
    bool m_imageValid = false;

    QPoint m_pressPos;
    QPoint m_lastPos;
    Qt::MouseButton m_pressButton = Qt::NoButton;
    bool m_dragging = false;
};
