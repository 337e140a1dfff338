#include "vxrotationorder.h"

namespace {
const VxRotationOrder::AxisOrder kAxisOrders[6] = {
    {0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0},
};
const char* const kNames[6] = {"XYZ", "XZY", "YXZ", "YZX", "ZXY", "ZYX"};
} // namespace

VxRotationOrder::AxisOrder VxRotationOrder::getAxisOrder() const
{
    if (!isValid())
        return {-1, -1, -1};
    return kAxisOrders[m_order];
}

int VxRotationOrder::getAxis(int position) const
{
    if (position < 0 || position > 2)
        return -1;
    return getAxisOrder()[size_t(position)];
}

QString VxRotationOrder::toString() const
{
    return isValid() ? QString::fromLatin1(kNames[m_order]) : QString();
}

VxRotationOrder VxRotationOrder::fromString(const QString& text, bool* ok)
{
    const QString upper = text.trimmed().toUpper();
    for (int i = 0; i < 6; ++i) {
        if (upper == QLatin1String(kNames[i])) {
            if (ok)
                *ok = true;
            return VxRotationOrder(i);
        }
    }
    if (ok)
        *ok = false;
    return VxRotationOrder(XYZ);
}

VxRotationOrder VxRotationOrder::fromAxes(int a0, int a1, int a2)
{
    for (int i = 0; i < 6; ++i) {
        if (kAxisOrders[i] == AxisOrder{a0, a1, a2})
            return VxRotationOrder(i);
    }
    return VxRotationOrder(-1);
}
