#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QVector>

class VxNode;
class VxScene;

// Tells the viewport when what it shows may have changed beyond what the scene announces
// itself (nodes added or removed, selection): a node moved or turned (origin, end point,
// translation and rotation controls), got another object, its object another current
// shape or a stale evaluated shape (a pose or rig change), its shape another mesh or other
// materials, or its mesh was edited.
//
// Connections follow the scene lazily: a structural change only marks them stale, and
// they are made anew before the next frame reads the scene (rewire()), so building a
// figure of hundreds of bones costs one pass, not one per bone. Whatever changes before
// that frame is read by it anyway.
class VxViewportSceneWatcher : public QObject
{
    Q_OBJECT
public:
    explicit VxViewportSceneWatcher(VxScene* scene, QObject* parent = nullptr);
    ~VxViewportSceneWatcher() override;

    // Connects to every node of the scene and what it shows, when anything changed that
    // the current connections would miss.
    void rewire();
    bool isRewirePending() const { return m_stale; }

signals:
    // Something drawn changed: the view should redraw (through the redraw lock).
    void redrawNeeded();

private:
    void markStale();
    void watchNode(VxNode* node);
    void disconnectAll();

    QPointer<VxScene> m_scene;
    QVector<QMetaObject::Connection> m_connections;
    bool m_stale = true;
};
