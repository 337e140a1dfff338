#pragma once

#include "vxelement.h"
#include "vxrefcounted.h"

#include <cstdint>
#include <memory>
#include <vector>

class VxWeightMap;

// Reference to one weight of a map, so that `weights[i] = w` goes through the map's
// lazy storage: writing 0 where nothing was written costs nothing.
class VXSDK_EXPORT VxWeightRef
{
public:
    VxWeightRef(VxWeightMap* map, int index) : m_map(map), m_index(index) {}
    inline operator uint16_t() const; // NOLINT: reads like the weight it stands for
    inline VxWeightRef& operator=(uint16_t weight);
    VxWeightRef& operator=(const VxWeightRef& other) { return *this = uint16_t(other); }

private:
    VxWeightMap* m_map;
    int m_index;
};

// The writable view of a map's weights that getWeights() hands out.
class VXSDK_EXPORT VxWeightArray
{
public:
    explicit VxWeightArray(VxWeightMap* map) : m_map(map) {}
    int size() const;
    uint16_t operator[](int index) const;
    VxWeightRef operator[](int index) { return VxWeightRef(m_map, index); }
    void set(int index, uint16_t weight);
    // fill(0) releases every page: the cheap way to make a map all zeros.
    void fill(uint16_t weight);

private:
    VxWeightMap* m_map;
};

// One unsigned 16-bit weight per vertex (65535 = full weight). Weights live in pages of
// kPageSize that are allocated on the first non-zero write: a fresh map of n vertices reads
// back n zeros and costs only its page table. Shared by reference (VxRefCounted): every
// holder refs it; it deletes itself when the last reference goes.
class VXSDK_EXPORT VxWeightMap : public VxElement, public VxRefCounted
{
    Q_OBJECT
public:
    static constexpr int kPageSize = 4096;
    static constexpr uint16_t kMaxWeight = 65535;

    explicit VxWeightMap(const QString& name = QString(), QObject* parent = nullptr);
    ~VxWeightMap() override;

    int getNumWeights() const { return m_size; }
    // Resizes to n weights. With `keepWeights` the weights of vertices below both sizes
    // stay; without, the map becomes all zeros (and releases its pages).
    void setNumWeights(int n, bool keepWeights);

    // Inline: builders and transfers touch every vertex of hundreds of maps.
    uint16_t getWeight(int index) const
    {
        if (index < 0 || index >= m_size)
            return 0;
        const uint16_t* page = m_pages[size_t(index) / kPageSize].get();
        return page ? page[index % kPageSize] : 0;
    }
    // Out-of-range writes are ignored; a 0 written to an untouched page costs nothing.
    void setWeight(int index, uint16_t weight)
    {
        if (index < 0 || index >= m_size)
            return;
        if (uint16_t* page = m_pages[size_t(index) / kPageSize].get())
            page[index % kPageSize] = weight;
        else if (weight != 0)
            getWritablePage(index / kPageSize)[index % kPageSize] = weight;
    }
    VxWeightArray getWeights() { return VxWeightArray(this); }
    void fill(uint16_t weight);
    void copyWeightsFrom(const VxWeightMap& other);

    int getNumNonZeroWeights() const;
    bool hasNonZeroWeights() const;

    // Memory use of the weight storage, for tests and benchmarks.
    int getNumAllocatedPages() const;
    std::size_t getAllocatedBytes() const;

    // Raw page access for bulk passes (normalising, transfer): null for an all-zero page.
    int getNumPages() const { return int(m_pages.size()); }
    const uint16_t* getPage(int page) const { return m_pages[size_t(page)].get(); }
    uint16_t* getWritablePage(int page);
    // Number of valid weights in `page` (the last page may be short).
    int getPageLength(int page) const;

private:
    int m_size = 0;
    std::vector<std::unique_ptr<uint16_t[]>> m_pages;
};

VxWeightRef::operator uint16_t() const
{
    return m_map->getWeight(m_index);
}

VxWeightRef& VxWeightRef::operator=(uint16_t weight)
{
    m_map->setWeight(m_index, weight);
    return *this;
}
