#include "vxviewportrenderer.h"

#include "vxviewportcamera.h"
#include "vxviewportdrawlist.h"
#include "vxviewportmeshbuffer.h"
#include "vxviewportmeshcache.h"

#include "vxdefaultmaterial.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"

#include <QMatrix4x4>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions_3_3_Core>

#include <algorithm>
#include <cmath>

namespace {
// Grid lines each side of the origin; every fifth is stronger.
constexpr int kGridHalfCells = 20;
constexpr int kGridMajorEvery = 5;
// The triad's square in the lower left corner, in device-independent pixels.
constexpr int kTriadSize = 84;
constexpr int kTriadMargin = 6;

const QColor kDefaultSurface(191, 191, 196);
// Bones (boneColor(): a muted sand that neither the grey default skin nor the blue
// selection has) get each edge traced darker, so that bones crossing one another stay apart.
const QColor kBoneOutline(72, 60, 36);
const QColor kSelectedBoneOutline(16, 64, 128);

struct LineVertex
{
    float position[3];
    float color[4];
};

void addLine(std::vector<LineVertex>& lines, const QVector3D& a, const QVector3D& b, const QColor& color)
{
    const float c[4] = {float(color.redF()), float(color.greenF()), float(color.blueF()), float(color.alphaF())};
    lines.push_back({{a.x(), a.y(), a.z()}, {c[0], c[1], c[2], c[3]}});
    lines.push_back({{b.x(), b.y(), b.z()}, {c[0], c[1], c[2], c[3]}});
}

void setLineAttributes(QOpenGLFunctions_3_3_Core* gl)
{
    gl->glEnableVertexAttribArray(VxViewportPrograms::LinePosition);
    gl->glVertexAttribPointer(VxViewportPrograms::LinePosition, 3, GL_FLOAT, GL_FALSE, sizeof(LineVertex), nullptr);
    gl->glEnableVertexAttribArray(VxViewportPrograms::LineColor);
    gl->glVertexAttribPointer(VxViewportPrograms::LineColor, 4, GL_FLOAT, GL_FALSE, sizeof(LineVertex),
                              reinterpret_cast<const void*>(offsetof(LineVertex, color)));
}

// 1, 2 or 5 times a power of ten, at most `value`: grid cells of round sizes.
float roundCellSize(float value)
{
    const float power = std::pow(10.0f, std::floor(std::log10(value)));
    for (float step : {5.0f, 2.0f, 1.0f}) {
        if (step * power <= value)
            return step * power;
    }
    return power;
}

QVector4D pickColor(int id)
{
    return QVector4D(float(id & 255), float((id >> 8) & 255), float((id >> 16) & 255), 255.0f) / 255.0f;
}

QVector3D materialColor(const VxFacetShape* shape, int material)
{
    QColor color = kDefaultSurface;
    if (auto* defaultMaterial = qobject_cast<const VxDefaultMaterial*>(shape->getMaterial(material)))
        color = defaultMaterial->getDiffuseColor();
    return QVector3D(float(color.redF()), float(color.greenF()), float(color.blueF()));
}
} // namespace

struct VxViewportRenderer::Matrices
{
    QMatrix4x4 view;
    QMatrix4x4 projection;
    QMatrix4x4 viewProjection;
    float gridCell = 1.0f;
};

VxViewportRenderer::VxViewportRenderer() = default;

VxViewportRenderer::~VxViewportRenderer()
{
    m_meshes.reset();
    m_pickTarget.reset();
    m_selectionMask.reset();
    m_gridVao.destroy();
    m_gridBuffer.destroy();
    m_triadVao.destroy();
    m_triadBuffer.destroy();
    m_boneVao.destroy();
    m_boneShape.destroy();
    m_boneEdgeVao.destroy();
    m_boneEdges.destroy();
    m_boneInstances.destroy();
    m_backgroundVao.destroy();
}

QColor VxViewportRenderer::backgroundTop()
{
    return QColor(98, 102, 110);
}

QColor VxViewportRenderer::backgroundBottom()
{
    return QColor(44, 46, 51);
}

QColor VxViewportRenderer::highlightColor()
{
    return QColor(64, 168, 255);
}

QColor VxViewportRenderer::boneColor()
{
    return QColor(214, 190, 128);
}

bool VxViewportRenderer::create(QString* error)
{
    QOpenGLContext* context = QOpenGLContext::currentContext();
    m_gl = context ? context->versionFunctions<QOpenGLFunctions_3_3_Core>() : nullptr;
    if (!m_gl || !m_gl->initializeOpenGLFunctions()) {
        m_gl = nullptr;
        if (error) {
            const QSurfaceFormat format = context ? context->format() : QSurfaceFormat();
            *error = QStringLiteral("The 3D viewport needs OpenGL 3.3 (core profile); this display offers %1.%2.")
                         .arg(format.majorVersion())
                         .arg(format.minorVersion());
        }
        return false;
    }
    if (!m_programs.create(error))
        return false;
    m_meshes = std::make_unique<VxViewportMeshCache>(m_gl);
    createGrid();
    createAxisTriad();
    createBoneShape();
    m_backgroundVao.create();
    return true;
}

int VxViewportRenderer::getMeshUploadCount() const
{
    return m_meshes ? m_meshes->getUploadCount() : 0;
}

int VxViewportRenderer::getPositionUploadCount() const
{
    return m_meshes ? m_meshes->getPositionUploadCount() : 0;
}

void VxViewportRenderer::createGrid()
{
    std::vector<LineVertex> lines;
    const QColor minor(150, 155, 164, 70);
    const QColor major(172, 177, 186, 120);
    const QColor xAxis(214, 92, 92, 200);
    const QColor zAxis(92, 128, 220, 200);
    const float n = float(kGridHalfCells);
    for (int i = -kGridHalfCells; i <= kGridHalfCells; ++i) {
        const float t = float(i);
        const QColor& color = i % kGridMajorEvery == 0 ? major : minor;
        addLine(lines, QVector3D(t, 0.0f, -n), QVector3D(t, 0.0f, n), i == 0 ? zAxis : color);
        addLine(lines, QVector3D(-n, 0.0f, t), QVector3D(n, 0.0f, t), i == 0 ? xAxis : color);
    }
    m_gridVao.create();
    m_gridVao.bind();
    m_gridBuffer.create();
    m_gridBuffer.bind();
    m_gridBuffer.allocate(lines.data(), int(lines.size() * sizeof(LineVertex)));
    setLineAttributes(m_gl);
    m_gridVao.release();
    m_gridVertexCount = int(lines.size());
}

void VxViewportRenderer::createAxisTriad()
{
    std::vector<LineVertex> lines;
    addLine(lines, QVector3D(), QVector3D(1.0f, 0.0f, 0.0f), QColor(232, 96, 96));
    addLine(lines, QVector3D(), QVector3D(0.0f, 1.0f, 0.0f), QColor(120, 210, 110));
    addLine(lines, QVector3D(), QVector3D(0.0f, 0.0f, 1.0f), QColor(96, 140, 240));
    m_triadVao.create();
    m_triadVao.bind();
    m_triadBuffer.create();
    m_triadBuffer.bind();
    m_triadBuffer.allocate(lines.data(), int(lines.size() * sizeof(LineVertex)));
    setLineAttributes(m_gl);
    m_triadVao.release();
}

void VxViewportRenderer::createBoneShape()
{
    // An octahedron along +X from 0 to 1, widest a fifth of the way out: the classic bone.
    const QVector3D tip0(0.0f, 0.0f, 0.0f), tip1(1.0f, 0.0f, 0.0f);
    const QVector3D ring[4] = {{0.2f, 1.0f, 0.0f}, {0.2f, 0.0f, 1.0f}, {0.2f, -1.0f, 0.0f}, {0.2f, 0.0f, -1.0f}};
    // Per corner: its position, then its face's normal.
    std::vector<float> corners;
    const auto addFace = [&corners](const QVector3D& a, const QVector3D& b, const QVector3D& c) {
        const QVector3D normal = QVector3D::normal(a, b, c);
        for (const QVector3D* p : {&a, &b, &c})
            corners.insert(corners.end(), {p->x(), p->y(), p->z(), normal.x(), normal.y(), normal.z()});
    };
    // Its twelve edges as line ends.
    std::vector<float> edges;
    const auto addEdge = [&edges](const QVector3D& a, const QVector3D& b) {
        edges.insert(edges.end(), {a.x(), a.y(), a.z(), b.x(), b.y(), b.z()});
    };
    for (int i = 0; i < 4; ++i) {
        const QVector3D& a = ring[i];
        const QVector3D& b = ring[(i + 1) % 4];
        addFace(tip0, a, b);
        addFace(tip1, b, a);
        addEdge(tip0, a);
        addEdge(a, b);
        addEdge(a, tip1);
    }
    m_boneInstances.create();

    m_boneVao.create();
    m_boneVao.bind();
    m_boneShape.create();
    m_boneShape.bind();
    m_boneShape.allocate(corners.data(), int(corners.size() * sizeof(float)));
    const GLsizei cornerStride = 6 * sizeof(float);
    m_gl->glEnableVertexAttribArray(VxViewportPrograms::BoneCorner);
    m_gl->glVertexAttribPointer(VxViewportPrograms::BoneCorner, 3, GL_FLOAT, GL_FALSE, cornerStride, nullptr);
    m_gl->glEnableVertexAttribArray(VxViewportPrograms::BoneFaceNormal);
    m_gl->glVertexAttribPointer(VxViewportPrograms::BoneFaceNormal, 3, GL_FLOAT, GL_FALSE, cornerStride,
                                reinterpret_cast<const void*>(3 * sizeof(float)));
    setBoneInstanceAttributes();
    m_boneVao.release();

    m_boneEdgeVao.create();
    m_boneEdgeVao.bind();
    m_boneEdges.create();
    m_boneEdges.bind();
    m_boneEdges.allocate(edges.data(), int(edges.size() * sizeof(float)));
    m_gl->glEnableVertexAttribArray(VxViewportPrograms::BoneCorner);
    m_gl->glVertexAttribPointer(VxViewportPrograms::BoneCorner, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);
    setBoneInstanceAttributes();
    m_boneEdgeVao.release();
}

void VxViewportRenderer::setBoneInstanceAttributes()
{
    m_boneInstances.bind();
    const GLsizei stride = 7 * sizeof(float);
    m_gl->glEnableVertexAttribArray(VxViewportPrograms::BoneOrigin);
    m_gl->glVertexAttribPointer(VxViewportPrograms::BoneOrigin, 3, GL_FLOAT, GL_FALSE, stride, nullptr);
    m_gl->glVertexAttribDivisor(VxViewportPrograms::BoneOrigin, 1);
    m_gl->glEnableVertexAttribArray(VxViewportPrograms::BoneEnd);
    m_gl->glVertexAttribPointer(VxViewportPrograms::BoneEnd, 3, GL_FLOAT, GL_FALSE, stride,
                                reinterpret_cast<const void*>(3 * sizeof(float)));
    m_gl->glVertexAttribDivisor(VxViewportPrograms::BoneEnd, 1);
    m_gl->glEnableVertexAttribArray(VxViewportPrograms::BoneSelected);
    m_gl->glVertexAttribPointer(VxViewportPrograms::BoneSelected, 1, GL_FLOAT, GL_FALSE, stride,
                                reinterpret_cast<const void*>(6 * sizeof(float)));
    m_gl->glVertexAttribDivisor(VxViewportPrograms::BoneSelected, 1);
}

VxViewportRenderer::Matrices VxViewportRenderer::matrices(const VxViewportDrawList& list, const VxViewportCamera& camera,
                                                           const QSize& pixelSize) const
{
    Matrices m;
    const VxBox3 bounds = list.bounds();
    float radius = bounds.isEmpty() ? 1.0f : std::max(0.5f * bounds.getSize().length(), 1e-3f);
    if (!std::isfinite(radius))
        radius = 1.0f;
    m.gridCell = roundCellSize(radius / 3.0f);
    m.view = camera.viewMatrix();
    m.projection = camera.projectionMatrix(pixelSize, std::max(radius, m.gridCell * kGridHalfCells * 0.5f));
    m.viewProjection = m.projection * m.view;
    return m;
}

void VxViewportRenderer::render(const VxViewportDrawList& list, const VxViewportCamera& camera, const QSize& pixelSize,
                                qreal pixelRatio, unsigned int framebuffer)
{
    if (!m_gl || pixelSize.isEmpty())
        return;
    const Matrices m = matrices(list, camera, pixelSize);
    const QColor bottom = backgroundBottom();
    m_gl->glViewport(0, 0, pixelSize.width(), pixelSize.height());
    m_gl->glClearColor(float(bottom.redF()), float(bottom.greenF()), float(bottom.blueF()), 1.0f);
    m_gl->glClearDepth(1.0);
    m_gl->glDepthMask(GL_TRUE);
    m_gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    m_gl->glDisable(GL_CULL_FACE);
    m_gl->glDisable(GL_BLEND);
    m_gl->glEnable(GL_DEPTH_TEST);
    m_gl->glDepthFunc(GL_LESS);

    m_meshes->beginFrame();
    drawMeshes(list, m, nullptr);
    m_meshes->endFrame();

    // Background and grid only where no surface is, which also makes them cheap.
    m_gl->glDepthMask(GL_FALSE);
    m_gl->glDepthFunc(GL_LEQUAL);
    drawBackground();
    // Blending keeps the image opaque (destination alpha untouched): the widget's image is
    // composited as premultiplied colour, where a lowered alpha under a light colour shows
    // as dark or garbled pixels.
    m_gl->glEnable(GL_BLEND);
    m_gl->glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ZERO, GL_ONE);
    m_gl->glDepthFunc(GL_LESS);
    drawGrid(m);
    m_gl->glDisable(GL_DEPTH_TEST);
    drawSelectionOutline(list, m, pixelSize, pixelRatio, framebuffer);
    // Bones come after the whole skin, in front of it: they are what a figure is posed by,
    // and a bone tested against a skin it lies just under would cut it into slivers. They
    // hide one another: a depth buffer of their own, which also spares shading hidden bone
    // pixels.
    m_gl->glDisable(GL_BLEND);
    m_gl->glDepthMask(GL_TRUE);
    m_gl->glClear(GL_DEPTH_BUFFER_BIT);
    m_gl->glEnable(GL_DEPTH_TEST);
    drawBones(list, m, nullptr);
    m_gl->glDisable(GL_DEPTH_TEST);
    m_gl->glEnable(GL_BLEND);
    drawAxisTriad(m, pixelRatio);
    m_gl->glDisable(GL_BLEND);
    m_gl->glDepthMask(GL_TRUE);
    m_gl->glViewport(0, 0, pixelSize.width(), pixelSize.height());
}

VxNode* VxViewportRenderer::pick(const VxViewportDrawList& list, const VxViewportCamera& camera,
                                 const QSize& pixelSize, const QPoint& pixel, unsigned int restoreFramebuffer)
{
    if (!m_gl || pixelSize.isEmpty() || pixel.x() < 0 || pixel.y() < 0 || pixel.x() >= pixelSize.width()
        || pixel.y() >= pixelSize.height())
        return nullptr;
    if (!m_pickTarget || m_pickTarget->size() != pixelSize)
        m_pickTarget = std::make_unique<QOpenGLFramebufferObject>(pixelSize, QOpenGLFramebufferObject::Depth);
    if (!m_pickTarget->isValid() || !m_pickTarget->bind())
        return nullptr;

    const Matrices m = matrices(list, camera, pixelSize);
    std::vector<VxNode*> ids;
    m_gl->glViewport(0, 0, pixelSize.width(), pixelSize.height());
    m_gl->glEnable(GL_SCISSOR_TEST);
    m_gl->glScissor(pixel.x(), pixel.y(), 1, 1);
    m_gl->glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    m_gl->glClearDepth(1.0);
    m_gl->glDepthMask(GL_TRUE);
    m_gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    m_gl->glDisable(GL_BLEND);
    m_gl->glEnable(GL_DEPTH_TEST);
    m_gl->glDepthFunc(GL_LESS);
    drawMeshes(list, m, &ids);
    m_gl->glClear(GL_DEPTH_BUFFER_BIT);
    drawBones(list, m, &ids);
    m_gl->glDisable(GL_DEPTH_TEST);

    unsigned char rgba[4] = {0, 0, 0, 0};
    m_gl->glReadPixels(pixel.x(), pixel.y(), 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    m_gl->glDisable(GL_SCISSOR_TEST);
    m_gl->glBindFramebuffer(GL_FRAMEBUFFER, restoreFramebuffer);
    const int id = rgba[0] | (rgba[1] << 8) | (rgba[2] << 16);
    return id > 0 && size_t(id) <= ids.size() ? ids[size_t(id) - 1] : nullptr;
}

void VxViewportRenderer::drawMeshes(const VxViewportDrawList& list, const Matrices& m, std::vector<VxNode*>* pickIds)
{
    QOpenGLShaderProgram& program = pickIds ? m_programs.meshPick : m_programs.mesh;
    program.bind();
    for (const VxViewportMeshItem& item : list.meshes())
        drawMeshItem(item, m, pickIds);
    program.release();
}

void VxViewportRenderer::drawMeshItem(const VxViewportMeshItem& item, const Matrices& m, std::vector<VxNode*>* pickIds,
                                      bool selectionOnly)
{
    VxViewportMeshBuffer* buffer = m_meshes->bufferFor(item.mesh);
    if (!buffer || buffer->indexCount() == 0)
        return;
    QOpenGLShaderProgram& program = pickIds || selectionOnly ? m_programs.meshPick : m_programs.mesh;
    QMatrix4x4 modelView = m.view;
    modelView.translate(item.offset);
    program.setUniformValue("modelViewProjection", m.projection * modelView);
    program.setUniformValue("normalMatrix", modelView.normalMatrix());

    const QColor highlight = highlightColor();
    const QVector4D selectedTint(float(highlight.redF()), float(highlight.greenF()), float(highlight.blueF()), 1.0f);
    buffer->bind();
    // Neighbouring ranges that look alike (or pick alike) go out as one draw.
    struct Pending
    {
        uint32_t first = 0, count = 0;
        QVector3D color;
        QVector4D tint;
        VxNode* node = nullptr;
    } pending;
    const auto flush = [&] {
        if (pending.count == 0)
            return;
        if (selectionOnly && pending.tint.isNull()) {
            pending.count = 0;
            return;
        }
        if (pickIds) {
            pickIds->push_back(pending.node);
            program.setUniformValue("pickColor", pickColor(int(pickIds->size())));
        } else if (!selectionOnly) {
            program.setUniformValue("baseColor", pending.color);
            program.setUniformValue("tint", pending.tint);
        }
        buffer->drawIndices(pending.first, pending.count);
        pending.count = 0;
    };
    for (const VxViewportMeshRange& range : buffer->ranges()) {
        Pending next;
        next.first = range.firstIndex;
        next.count = range.indexCount;
        if (pickIds) {
            next.node = VxViewportDrawList::nodeForGroup(item, range.group);
        } else {
            next.color = materialColor(item.shape, range.material);
            const bool groupSelected = range.group >= 0 && size_t(range.group) < item.selectedGroups.size()
                                       && item.selectedGroups[size_t(range.group)];
            next.tint = item.selected || groupSelected ? selectedTint : QVector4D();
        }
        const bool same = pickIds ? next.node == pending.node : next.color == pending.color && next.tint == pending.tint;
        if (pending.count > 0 && same && pending.first + pending.count == next.first) {
            pending.count += next.count;
            continue;
        }
        flush();
        pending = next;
    }
    flush();
    buffer->release();
}

void VxViewportRenderer::drawBones(const VxViewportDrawList& list, const Matrices& m, std::vector<VxNode*>* pickIds)
{
    if (list.bones().empty())
        return;
    std::vector<float> instances;
    instances.reserve(list.bones().size() * 7);
    for (const VxViewportBoneItem& bone : list.bones()) {
        instances.insert(instances.end(), {bone.origin.x(), bone.origin.y(), bone.origin.z(), bone.end.x(),
                                           bone.end.y(), bone.end.z(), bone.selected ? 1.0f : 0.0f});
    }
    // Placements go up only when a bone moved or its selection changed.
    if (instances != m_uploadedBones) {
        m_boneInstances.bind();
        m_boneInstances.allocate(instances.data(), int(instances.size() * sizeof(float)));
        m_boneInstances.release();
        m_uploadedBones = std::move(instances);
    }
    const GLsizei count = GLsizei(list.bones().size());
    QOpenGLShaderProgram& program = pickIds ? m_programs.bonePick : m_programs.bone;
    program.bind();
    program.setUniformValue("viewProjection", m.viewProjection);
    program.setUniformValue("view", m.view);
    program.setUniformValue("selectedOnly", false);
    program.setUniformValue("outline", false);
    if (pickIds) {
        program.setUniformValue("pickBase", int(pickIds->size()) + 1);
        for (const VxViewportBoneItem& bone : list.bones())
            pickIds->push_back(bone.node);
        m_boneVao.bind();
        m_gl->glDrawArraysInstanced(GL_TRIANGLES, 0, 24, count);
        m_boneVao.release();
        program.release();
        return;
    }

    // Faces pushed back a little, so that the edges on them pass the depth test and the
    // edges behind them do not.
    const auto drawShaded = [&] {
        program.setUniformValue("outline", false);
        program.setUniformValue("boneColor", boneColor());
        program.setUniformValue("selectedColor", highlightColor());
        m_gl->glEnable(GL_POLYGON_OFFSET_FILL);
        m_gl->glPolygonOffset(1.0f, 1.0f);
        m_boneVao.bind();
        m_gl->glDrawArraysInstanced(GL_TRIANGLES, 0, 24, count);
        m_boneVao.release();
        m_gl->glDisable(GL_POLYGON_OFFSET_FILL);
        program.setUniformValue("outline", true);
        program.setUniformValue("boneColor", kBoneOutline);
        program.setUniformValue("selectedColor", kSelectedBoneOutline);
        m_gl->glDepthFunc(GL_LEQUAL);
        m_boneEdgeVao.bind();
        m_gl->glDrawArraysInstanced(GL_LINES, 0, 24, count);
        m_boneEdgeVao.release();
        m_gl->glDepthFunc(GL_LESS);
    };
    drawShaded();
    // Selected bones once more in front of the others, so that none hides them.
    const bool anySelected = std::any_of(list.bones().begin(), list.bones().end(),
                                         [](const VxViewportBoneItem& bone) { return bone.selected; });
    if (anySelected) {
        m_gl->glClear(GL_DEPTH_BUFFER_BIT);
        program.setUniformValue("selectedOnly", true);
        drawShaded();
    }
    program.release();
}

void VxViewportRenderer::drawSelectionOutline(const VxViewportDrawList& list, const Matrices& m,
                                              const QSize& pixelSize, qreal pixelRatio, unsigned int framebuffer)
{
    const int width = std::max(1, int(std::lround(2.0 * pixelRatio)));
    // Both passes stay inside the selection's box on screen: a selected hand costs a few
    // thousand pixels, not the whole view.
    const QRect area = selectionScreenRect(list, m, pixelSize).adjusted(-width - 1, -width - 1, width + 1, width + 1)
                       & QRect(QPoint(0, 0), pixelSize);
    if (area.isEmpty())
        return;
    if (!m_selectionMask || m_selectionMask->size() != pixelSize)
        m_selectionMask = std::make_unique<QOpenGLFramebufferObject>(pixelSize);
    if (!m_selectionMask->isValid() || !m_selectionMask->bind())
        return;
    m_gl->glEnable(GL_SCISSOR_TEST);
    m_gl->glScissor(area.x(), area.y(), area.width(), area.height());

    // The mask: the selection's silhouette, whole even where other things cover it, so the
    // outline also shows a selected part behind another.
    m_gl->glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    m_gl->glClear(GL_COLOR_BUFFER_BIT);
    m_programs.meshPick.bind();
    m_programs.meshPick.setUniformValue("pickColor", QVector4D(1.0f, 1.0f, 1.0f, 1.0f));
    for (const VxViewportMeshItem& item : list.meshes()) {
        if (item.isSelected())
            drawMeshItem(item, m, nullptr, true);
    }
    m_programs.meshPick.release();
    m_gl->glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);

    m_programs.outline.bind();
    m_gl->glActiveTexture(GL_TEXTURE0);
    m_gl->glBindTexture(GL_TEXTURE_2D, m_selectionMask->texture());
    m_programs.outline.setUniformValue("mask", 0);
    m_programs.outline.setUniformValue("color", highlightColor());
    m_programs.outline.setUniformValue("width", width);
    m_backgroundVao.bind();
    m_gl->glDrawArrays(GL_TRIANGLES, 0, 3);
    m_backgroundVao.release();
    m_gl->glBindTexture(GL_TEXTURE_2D, 0);
    m_programs.outline.release();
    m_gl->glDisable(GL_SCISSOR_TEST);
}

QRect VxViewportRenderer::selectionScreenRect(const VxViewportDrawList& list, const Matrices& m, const QSize& pixelSize)
{
    QRect rect;
    const QRect all(QPoint(0, 0), pixelSize);
    for (const VxViewportMeshItem& item : list.meshes()) {
        if (!item.isSelected())
            continue;
        VxBox3 box;
        if (item.selected) {
            box = item.mesh->getBoundingBox();
        } else {
            for (size_t group = 0; group < item.selectedGroups.size(); ++group) {
                if (item.selectedGroups[group])
                    box.extendBy(item.mesh->getFaceGroupBoundingBox(int(group)));
            }
        }
        if (box.isEmpty())
            continue;
        const VxVec3 lo = box.getMin(), hi = box.getMax();
        for (int corner = 0; corner < 8; ++corner) {
            const QVector4D p = m.viewProjection
                                * QVector4D(QVector3D(corner & 1 ? hi.x : lo.x, corner & 2 ? hi.y : lo.y,
                                                      corner & 4 ? hi.z : lo.z) + item.offset, 1.0f);
            // A corner behind the eye projects nowhere sensible: take the whole view.
            if (p.w() <= 0.0f)
                return all;
            const QPoint pixel(int(std::floor((p.x() / p.w() * 0.5f + 0.5f) * float(pixelSize.width()))),
                               int(std::floor((p.y() / p.w() * 0.5f + 0.5f) * float(pixelSize.height()))));
            rect |= QRect(pixel, QSize(1, 1));
        }
    }
    return rect;
}

void VxViewportRenderer::drawBackground()
{
    m_programs.background.bind();
    const QColor top = backgroundTop(), bottom = backgroundBottom();
    m_programs.background.setUniformValue("topColor", QVector3D(float(top.redF()), float(top.greenF()), float(top.blueF())));
    m_programs.background.setUniformValue("bottomColor",
                                          QVector3D(float(bottom.redF()), float(bottom.greenF()), float(bottom.blueF())));
    m_backgroundVao.bind();
    m_gl->glDrawArrays(GL_TRIANGLES, 0, 3);
    m_backgroundVao.release();
    m_programs.background.release();
}

void VxViewportRenderer::drawGrid(const Matrices& m)
{
    QMatrix4x4 model;
    model.scale(m.gridCell);
    m_programs.line.bind();
    m_programs.line.setUniformValue("modelViewProjection", m.viewProjection * model);
    m_programs.line.setUniformValue("fadeRadius", float(kGridHalfCells));
    m_gridVao.bind();
    m_gl->glDrawArrays(GL_LINES, 0, m_gridVertexCount);
    m_gridVao.release();
    m_programs.line.release();
}

void VxViewportRenderer::drawAxisTriad(const Matrices& m, qreal pixelRatio)
{
    // The view's rotation alone, in a small square of its own.
    const int size = int(std::lround(kTriadSize * pixelRatio));
    const int margin = int(std::lround(kTriadMargin * pixelRatio));
    QMatrix4x4 rotation = m.view;
    rotation.setColumn(3, QVector4D(0.0f, 0.0f, 0.0f, 1.0f));
    QMatrix4x4 projection;
    projection.ortho(-1.25f, 1.25f, -1.25f, 1.25f, -2.0f, 2.0f);
    m_gl->glViewport(margin, margin, size, size);
    m_programs.line.bind();
    m_programs.line.setUniformValue("modelViewProjection", projection * rotation);
    m_programs.line.setUniformValue("fadeRadius", 0.0f);
    m_triadVao.bind();
    m_gl->glDrawArrays(GL_LINES, 0, 6);
    m_triadVao.release();
    m_programs.line.release();
}
