#pragma once

#include "vxsdkglobal.h"

#include <QMetaType>
#include <QString>

#include <array>

// The order in which a node's three rotation channels are applied. Orders 0 to 5 are
// "XYZ", "XZY", "YXZ", "YZX", "ZXY", "ZYX". Element 0 of the axis order is the twist axis
// (the axis along a bone), element 1 the side-side axis, element 2 the bend axis; axis
// indices are 0 = X, 1 = Y, 2 = Z. An order value outside 0..5 is kept as given but is not
// valid: its axis order is {-1, -1, -1}.
class VXSDK_EXPORT VxRotationOrder
{
public:
    enum Order { XYZ = 0, XZY = 1, YXZ = 2, YZX = 3, ZXY = 4, ZYX = 5 };
    using AxisOrder = std::array<int, 3>;

    VxRotationOrder(int order = XYZ) : m_order(order) {} // NOLINT: an order is its number

    int getOrder() const { return m_order; }
    void setOrder(int order) { m_order = order; }
    bool isValid() const { return m_order >= XYZ && m_order <= ZYX; }

    AxisOrder getAxisOrder() const;
    // Axis index of element `position` (0, 1 or 2) of the order, or -1.
    int getAxis(int position) const;

    // "XYZ" ... "ZYX"; empty for an invalid order.
    QString toString() const;
    // Reads "XYZ" ... "ZYX" (case-insensitive). An unknown text gives order 0 and *ok false.
    static VxRotationOrder fromString(const QString& text, bool* ok = nullptr);
    // The order whose axis sequence is (a0, a1, a2); invalid (-1) when there is none.
    static VxRotationOrder fromAxes(int a0, int a1, int a2);

    bool operator==(const VxRotationOrder& o) const { return m_order == o.m_order; }
    bool operator!=(const VxRotationOrder& o) const { return m_order != o.m_order; }

private:
    int m_order;
};

Q_DECLARE_METATYPE(VxRotationOrder)
