#pragma once
// Shared by the two containers of the element tree.
#include <algorithm>
#include <cstddef>
#include <exception>
#include <memory>
#include <vector>

// Beyond this many children the counts, kept in 32 bits, would overflow.
constexpr size_t kMaxChildren = 0x3FFFFFFF;

// Containers grow by half their capacity, so n appends move about 3n
// pointers in all instead of n * n / 2. They grow before the child is
// placed, so a failed allocation leaves the child with its caller and the
// tree as it was.
template <typename Element>
bool MakeRoomForOneMore(std::vector<std::unique_ptr<Element>>& children) {
    const size_t capacity = children.capacity();
    if (children.size() < capacity) {
        return true;
    }
    if (children.size() >= kMaxChildren) {
        return false;
    }
    try {
        children.reserve(std::min(kMaxChildren, std::max(capacity + capacity / 2, capacity + 1)));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
