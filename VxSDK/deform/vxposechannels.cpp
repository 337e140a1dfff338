#include "vxposechannels.h"

#include "vxnode.h"
#include "vxproperty.h"

#include <QCoreApplication>

#include <cmath>

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("VxPoseChannels", text);
}

bool refuse(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}
} // namespace

bool VxPoseChannels::setRotation(VxNode* node, const VxVec3& degrees, QString* error)
{
    if (!node)
        return refuse(error, tr("There is no node to pose."));
    if (!std::isfinite(degrees.x) || !std::isfinite(degrees.y) || !std::isfinite(degrees.z))
        return refuse(error, tr("Rotation angles must be finite numbers of degrees."));
    for (int axis = 0; axis < 3; ++axis)
        node->getRotControl(axis)->setValue(degrees[axis]);
    return true;
}

VxVec3 VxPoseChannels::getRotation(const VxNode* node)
{
    if (!node)
        return VxVec3();
    return VxVec3(node->getXRotControl()->getValue(), node->getYRotControl()->getValue(),
                  node->getZRotControl()->getValue());
}

bool VxPoseChannels::setChannel(VxNode* node, int position, float degrees, QString* error)
{
    if (!node)
        return refuse(error, tr("There is no node to pose."));
    const int axis = node->getRotationOrder().getAxis(position);
    if (axis < 0)
        return refuse(error, tr("A rotation channel is 0 (twist), 1 (side-side) or 2 (bend) of a valid rotation order."));
    if (!std::isfinite(degrees))
        return refuse(error, tr("Rotation angles must be finite numbers of degrees."));
    node->getRotControl(axis)->setValue(degrees);
    return true;
}

int VxPoseChannels::resetPose(VxNode* node)
{
    if (!node)
        return 0;
    int changed = 0;
    QList<VxNode*> nodes = node->getNodeChildren(true);
    nodes.prepend(node);
    for (VxNode* n : qAsConst(nodes)) {
        for (int axis = 0; axis < 3; ++axis) {
            VxProperty* control = n->getRotControl(axis);
            if (control->getValue() != 0.0f) {
                control->setValue(0.0f);
                ++changed;
            }
        }
    }
    return changed;
}

double VxPoseChannels::toRadians(float degrees)
{
    if (!std::isfinite(degrees))
        return 0.0;
    // Wrapping in degrees first keeps huge values exact: fmod is exact, and so is every
    // whole number of degrees a float can hold.
    double wrapped = std::fmod(double(degrees), 360.0);
    if (wrapped > 180.0)
        wrapped -= 360.0;
    else if (wrapped <= -180.0)
        wrapped += 360.0;
    return wrapped * M_PI / 180.0;
}

std::array<double, 3> VxPoseChannels::angles(const VxNode* node)
{
    if (!node)
        return {0.0, 0.0, 0.0};
    return {toRadians(node->getXRotControl()->getValue()), toRadians(node->getYRotControl()->getValue()),
            toRadians(node->getZRotControl()->getValue())};
}

bool VxPoseChannels::isAtRest(const VxNode* node)
{
    return !node
        || (node->getXRotControl()->getValue() == 0.0f && node->getYRotControl()->getValue() == 0.0f
            && node->getZRotControl()->getValue() == 0.0f);
}
