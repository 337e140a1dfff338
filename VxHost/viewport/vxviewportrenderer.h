#pragma once

#include "vxviewportprograms.h"

#include <QColor>
#include <QOpenGLBuffer>
#include <QOpenGLVertexArrayObject>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <memory>
#include <vector>

class QMatrix4x4;
class QOpenGLFramebufferObject;
class QOpenGLFunctions_3_3_Core;
class VxNode;
class VxViewportCamera;
class VxViewportDrawList;
class VxViewportMeshCache;
struct VxViewportMeshItem;

// Draws a frame of the scene with OpenGL 3.3 core, and finds what covers a pixel. Holds
// every GPU resource of the viewport; create() and the destructor need the context
// current. Meshes go to the GPU through the mesh cache (once per edit); the grid, axis
// triad and bone octahedron are uploaded once, and bone placements only when they move.
class VxViewportRenderer
{
public:
    VxViewportRenderer();
    ~VxViewportRenderer();

    VxViewportRenderer(const VxViewportRenderer&) = delete;
    VxViewportRenderer& operator=(const VxViewportRenderer&) = delete;

    // Resolves the 3.3 core functions and builds programs and fixed buffers; false with a
    // reason in *error when the context cannot do it.
    bool create(QString* error);

    // Draws into `framebuffer` of `pixelSize` device pixels, `pixelRatio` of them to a
    // logical pixel.
    void render(const VxViewportDrawList& list, const VxViewportCamera& camera, const QSize& pixelSize,
                qreal pixelRatio, unsigned int framebuffer);
    // The node drawn at `pixel` (device pixels, origin bottom left), or null for
    // background. Renders that one pixel into a framebuffer of its own, then binds
    // `restoreFramebuffer` again.
    VxNode* pick(const VxViewportDrawList& list, const VxViewportCamera& camera, const QSize& pixelSize,
                 const QPoint& pixel, unsigned int restoreFramebuffer);

    int getMeshUploadCount() const;
    int getPositionUploadCount() const;

    // The look: background gradient, selection highlight, bones.
    static QColor backgroundTop();
    static QColor backgroundBottom();
    static QColor highlightColor();
    static QColor boneColor();

private:
    struct Matrices;
    Matrices matrices(const VxViewportDrawList& list, const VxViewportCamera& camera, const QSize& pixelSize) const;
    void drawMeshes(const VxViewportDrawList& list, const Matrices& m, std::vector<VxNode*>* pickIds);
    // Draws the item's ranges: shaded, in identifier colours (pickIds), or only the
    // selected ones in the bound program's colour (selectionOnly).
    void drawMeshItem(const VxViewportMeshItem& item, const Matrices& m, std::vector<VxNode*>* pickIds,
                      bool selectionOnly = false);
    void drawBones(const VxViewportDrawList& list, const Matrices& m, std::vector<VxNode*>* pickIds);
    // The selection's bounding boxes on screen, in device pixels from the bottom left.
    static QRect selectionScreenRect(const VxViewportDrawList& list, const Matrices& m, const QSize& pixelSize);
    void drawBackground();
    void drawSelectionOutline(const VxViewportDrawList& list, const Matrices& m, const QSize& pixelSize,
                              qreal pixelRatio, unsigned int framebuffer);
    void drawGrid(const Matrices& m);
    void drawAxisTriad(const Matrices& m, qreal pixelRatio);
    void createGrid();
    void createAxisTriad();
    void createBoneShape();
    // The per-bone attributes from m_boneInstances, into the vertex array bound.
    void setBoneInstanceAttributes();

    QOpenGLFunctions_3_3_Core* m_gl = nullptr;
    VxViewportPrograms m_programs;
    std::unique_ptr<VxViewportMeshCache> m_meshes;

    QOpenGLVertexArrayObject m_gridVao;
    QOpenGLBuffer m_gridBuffer;
    int m_gridVertexCount = 0;
    QOpenGLVertexArrayObject m_triadVao;
    QOpenGLBuffer m_triadBuffer;
    QOpenGLVertexArrayObject m_boneVao;
    QOpenGLBuffer m_boneShape;
    QOpenGLVertexArrayObject m_boneEdgeVao;
    QOpenGLBuffer m_boneEdges;
    QOpenGLBuffer m_boneInstances;
    std::vector<float> m_uploadedBones;
    QOpenGLVertexArrayObject m_backgroundVao;
    std::unique_ptr<QOpenGLFramebufferObject> m_pickTarget;
    std::unique_ptr<QOpenGLFramebufferObject> m_selectionMask;
};
