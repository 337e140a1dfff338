#pragma once

#include "vxsdkglobal.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>

#include <cstdint>
#include <vector>

// The binary buffer of a glTF asset with its buffer views and accessors: each array added
// gets a buffer view of its own, starting on a 4-byte boundary so that every component
// type is aligned, and (for typed arrays) an accessor describing it.
//
// The buffer stays below kMaxSize, which leaves room for the JSON in one binary glTF file
// held in memory (a QByteArray holds at most 2 GiB): an addition that would pass it is
// refused with -1 and changes nothing.
class VXSDK_EXPORT VxGltfBuffer
{
public:
    // Component types and buffer-view targets as glTF numbers them.
    enum ComponentType { UnsignedByte = 5121, UnsignedShort = 5123, UnsignedInt = 5125, Float = 5126 };
    enum Target { NoTarget = 0, VertexData = 34962, IndexData = 34963 };
    static constexpr qint64 kMaxSize = 1900LL * 1024 * 1024;

    // Accessors of `count` elements of `components` values each ("SCALAR" 1, "VEC2" 2,
    // "VEC3" 3, "VEC4" 4, "MAT4" 16). `withBounds` records the per-component min and max,
    // which positions must carry. Returns the accessor index.
    int addFloats(const std::vector<float>& values, int components, Target target, bool withBounds = false);
    int addUnsignedShorts(const std::vector<uint16_t>& values, int components, Target target);
    int addUnsignedInts(const std::vector<uint32_t>& values, int components, Target target);
    // Raw bytes (an image) as a buffer view without accessor; returns the view index.
    int addBytes(const QByteArray& bytes);

    const QByteArray& data() const { return m_data; }
    const QJsonArray& bufferViews() const { return m_views; }
    const QJsonArray& accessors() const { return m_accessors; }

private:
    int addView(const void* bytes, qint64 size, Target target);
    int addAccessor(int view, int componentType, int count, int components, const QJsonArray& min = {},
                    const QJsonArray& max = {});

    QByteArray m_data;
    QJsonArray m_views;
    QJsonArray m_accessors;
};
