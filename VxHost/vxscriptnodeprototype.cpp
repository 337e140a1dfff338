#include "vxscriptnodeprototype.h"

#include "vxnode.h"
#include "vxposechannels.h"

#include <QScriptContext>
#include <QScriptEngine>

#include <cmath>

VxScriptNodePrototype::VxScriptNodePrototype(QObject* parent) : QObject(parent) {}

VxNode* VxScriptNodePrototype::thisNode(const char* operation) const
{
    auto* node = qobject_cast<VxNode*>(thisObject().toQObject());
    if (!node && context())
        context()->throwError(QStringLiteral("%1: called on something that is not a node").arg(QLatin1String(operation)));
    return node;
}

void VxScriptNodePrototype::setRotation(double x, double y, double z)
{
    VxNode* node = thisNode("setRotation");
    if (!node)
        return;
    // Numbers beyond a float's range would become infinities on the way, so they are
    // refused as what they would be; missing arguments arrive as NaN.
    const auto fits = [](double v) { return std::fabs(v) <= 3.4e38; };
    const VxVec3 degrees = fits(x) && fits(y) && fits(z) ? VxVec3(float(x), float(y), float(z)) : VxVec3(NAN, 0, 0);
    QString error;
    if (!VxPoseChannels::setRotation(node, degrees, &error))
        context()->throwError(QStringLiteral("setRotation: %1").arg(error));
}

QScriptValue VxScriptNodePrototype::getRotation() const
{
    VxNode* node = thisNode("getRotation");
    if (!node)
        return QScriptValue();
    const VxVec3 degrees = VxPoseChannels::getRotation(node);
    QScriptValue result = engine()->newArray(3);
    for (int axis = 0; axis < 3; ++axis)
        result.setProperty(quint32(axis), degrees[axis]);
    return result;
}

QString VxScriptNodePrototype::getRotationOrder() const
{
    VxNode* node = thisNode("getRotationOrder");
    return node ? node->getRotationOrder().toString() : QString();
}

int VxScriptNodePrototype::resetPose()
{
    VxNode* node = thisNode("resetPose");
    return node ? VxPoseChannels::resetPose(node) : 0;
}
