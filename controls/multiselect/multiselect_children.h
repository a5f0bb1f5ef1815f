#pragma once
// Shared by the two containers of the element tree.
#include <exception>
#include <memory>
#include <vector>

// Containers grow before the child is placed, so a failed allocation leaves
// the child with its caller and the tree as it was.
template <typename Element>
bool MakeRoomForOneMore(std::vector<std::unique_ptr<Element>>& children) {
    try {
        children.reserve(children.size() + 1);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
