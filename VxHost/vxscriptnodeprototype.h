#pragma once

#include <QObject>
#include <QScriptable>
#include <QScriptValue>
#include <QString>

class VxNode;

// What scripts can do with any node besides its Qt properties: pose it. Installed as the
// default prototype of VxNode* in the script engine, so every node a script reaches (from
// vxScene.findNode, getNodes, ...) answers these calls.
//
//   node.setRotation(x, y, z)  the X, Y and Z rotation channels in degrees, turned in the
//                              node's rotation order (twist axis first, then side-side,
//                              then bend); angles that are not finite numbers throw
//   node.getRotation()         [x, y, z] in degrees
//   node.getRotationOrder()    "XYZ" ... "ZYX"
//   node.resetPose()           zeroes the rotations of the node and of everything below it
//                              (on a figure: the whole figure); returns how many changed
class VxScriptNodePrototype : public QObject, protected QScriptable
{
    Q_OBJECT
public:
    explicit VxScriptNodePrototype(QObject* parent = nullptr);

    Q_INVOKABLE void setRotation(double x, double y, double z);
    Q_INVOKABLE QScriptValue getRotation() const;
    Q_INVOKABLE QString getRotationOrder() const;
    Q_INVOKABLE int resetPose();

private:
    VxNode* thisNode(const char* operation) const;
};
