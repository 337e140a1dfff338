#include "vxviewportscenewatcher.h"

#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxnode.h"
#include "vxobject.h"
#include "vxproperty.h"
#include "vxscene.h"

VxViewportSceneWatcher::VxViewportSceneWatcher(VxScene* scene, QObject* parent) : QObject(parent), m_scene(scene)
{
    if (!scene)
        return;
    connect(scene, &VxScene::nodeAdded, this, &VxViewportSceneWatcher::markStale);
    connect(scene, &VxScene::nodeAboutToBeRemoved, this, &VxViewportSceneWatcher::markStale);
}

VxViewportSceneWatcher::~VxViewportSceneWatcher()
{
    disconnectAll();
}

void VxViewportSceneWatcher::markStale()
{
    m_stale = true;
    emit redrawNeeded();
}

void VxViewportSceneWatcher::rewire()
{
    if (!m_stale)
        return;
    disconnectAll();
    m_stale = false;
    if (!m_scene)
        return;
    for (VxNode* node : m_scene->getNodes())
        watchNode(node);
}

void VxViewportSceneWatcher::watchNode(VxNode* node)
{
    const auto redraw = [this] { emit redrawNeeded(); };
    m_connections << connect(node, &VxNode::originChanged, this, redraw)
                  << connect(node, &VxNode::endPointChanged, this, redraw)
                  << connect(node, &VxNode::nodeParentChanged, this, redraw)
                  << connect(node, &VxNode::objectChanged, this, &VxViewportSceneWatcher::markStale);
    for (int axis = 0; axis < 3; ++axis) {
        m_connections << connect(node->getPosControl(axis), &VxProperty::valueChanged, this, redraw)
                      << connect(node->getRotControl(axis), &VxProperty::valueChanged, this, redraw);
    }
    VxObject* object = node->getObject();
    if (!object)
        return;
    m_connections << connect(object, &VxObject::shapesChanged, this, &VxViewportSceneWatcher::markStale)
                  << connect(object, &VxObject::cachedGeomChanged, this, redraw);
    VxShape* shape = object->getCurrentShape();
    if (!shape)
        return;
    m_connections << connect(shape, &VxShape::materialsChanged, this, redraw);
    auto* facetShape = qobject_cast<VxFacetShape*>(shape);
    if (!facetShape)
        return;
    m_connections << connect(facetShape, &VxFacetShape::geometryChanged, this, &VxViewportSceneWatcher::markStale);
    if (VxFacetMesh* mesh = facetShape->getFacetMesh())
        m_connections << connect(mesh, &VxFacetMesh::meshChanged, this, redraw);
}

void VxViewportSceneWatcher::disconnectAll()
{
    for (const QMetaObject::Connection& connection : qAsConst(m_connections))
        disconnect(connection);
    m_connections.clear();
}
