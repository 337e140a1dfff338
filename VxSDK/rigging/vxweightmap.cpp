#include "vxweightmap.h"

#include <algorithm>
#include <cstring>

int VxWeightArray::size() const
{
    return m_map ? m_map->getNumWeights() : 0;
}

uint16_t VxWeightArray::operator[](int index) const
{
    return m_map ? m_map->getWeight(index) : 0;
}

void VxWeightArray::set(int index, uint16_t weight)
{
    if (m_map)
        m_map->setWeight(index, weight);
}

void VxWeightArray::fill(uint16_t weight)
{
    if (m_map)
        m_map->fill(weight);
}

VxWeightMap::VxWeightMap(const QString& name, QObject* parent) : VxElement(parent)
{
    setName(name);
}

VxWeightMap::~VxWeightMap() = default;

void VxWeightMap::setNumWeights(int n, bool keepWeights)
{
    n = std::max(0, n);
    const size_t pages = (size_t(n) + kPageSize - 1) / kPageSize;
    if (!keepWeights) {
        m_pages.clear();
        m_pages.resize(pages);
        m_size = n;
        return;
    }
    const int oldSize = m_size;
    m_pages.resize(pages);
    m_size = n;
    // A shrunk last page must not keep stale weights past the new end, nor a grown one
    // expose weights written before an earlier shrink.
    const int boundary = std::min(oldSize, n);
    if (boundary % kPageSize != 0) {
        const size_t page = size_t(boundary / kPageSize);
        if (page < m_pages.size() && m_pages[page]) {
            uint16_t* data = m_pages[page].get();
            std::fill(data + boundary % kPageSize, data + kPageSize, uint16_t(0));
        }
    }
}

uint16_t* VxWeightMap::getWritablePage(int page)
{
    if (page < 0 || size_t(page) >= m_pages.size())
        return nullptr;
    std::unique_ptr<uint16_t[]>& data = m_pages[size_t(page)];
    if (!data)
        data.reset(new uint16_t[kPageSize]());
    return data.get();
}

int VxWeightMap::getPageLength(int page) const
{
    return std::min(kPageSize, m_size - page * kPageSize);
}

void VxWeightMap::fill(uint16_t weight)
{
    if (weight == 0) {
        for (auto& page : m_pages)
            page.reset();
        return;
    }
    for (int p = 0; p < getNumPages(); ++p) {
        uint16_t* data = getWritablePage(p);
        std::fill(data, data + getPageLength(p), weight);
    }
}

void VxWeightMap::copyWeightsFrom(const VxWeightMap& other)
{
    if (&other == this)
        return; // resizing first would wipe the weights to copy
    setNumWeights(other.m_size, false);
    for (int p = 0; p < getNumPages(); ++p) {
        if (const uint16_t* source = other.getPage(p))
            std::memcpy(getWritablePage(p), source, sizeof(uint16_t) * size_t(kPageSize));
    }
}

int VxWeightMap::getNumNonZeroWeights() const
{
    int count = 0;
    for (int p = 0; p < getNumPages(); ++p) {
        if (const uint16_t* data = getPage(p))
            count += int(std::count_if(data, data + getPageLength(p), [](uint16_t w) { return w != 0; }));
    }
    return count;
}

bool VxWeightMap::hasNonZeroWeights() const
{
    for (int p = 0; p < getNumPages(); ++p) {
        const uint16_t* data = getPage(p);
        if (data && std::any_of(data, data + getPageLength(p), [](uint16_t w) { return w != 0; }))
            return true;
    }
    return false;
}

int VxWeightMap::getNumAllocatedPages() const
{
    return int(std::count_if(m_pages.begin(), m_pages.end(), [](const auto& p) { return bool(p); }));
}

std::size_t VxWeightMap::getAllocatedBytes() const
{
    return m_pages.capacity() * sizeof(m_pages[0])
        + size_t(getNumAllocatedPages()) * kPageSize * sizeof(uint16_t);
}
