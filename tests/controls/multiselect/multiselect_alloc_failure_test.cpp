// Every allocation of a load fails in turn: a load that runs out of memory
// must leave the building, and every handle into it, as it was. A binary of
// its own, since it replaces the global allocation functions.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "controls/multiselect/multiselect_text.h"
#include "tests/controls/multiselect/multiselect_test_support.h"

namespace {

// Allocations still allowed before the next one fails; negative: no limit.
long allocationsLeft = -1;

void* Allocate(std::size_t size) {
    if (allocationsLeft == 0) {
        return nullptr;
    }
    if (allocationsLeft > 0) {
        --allocationsLeft;
    }
    return std::malloc(size == 0 ? 1 : size);
}

// Out of line: GCC takes a free() it sees inlined into operator delete for a
// mismatch with the operator new it pairs it with.
[[gnu::noinline]] void Release(void* block) noexcept { std::free(block); }

}  // namespace

void* operator new(std::size_t size) {
    void* block = Allocate(size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }

namespace {

std::string Describe(const CBuilding& building) {
    std::string out;
    for (const auto& floor : building.m_floors) {
        out += "[" + std::string(floor->Name()) + "]";
        for (const auto& room : floor->m_rooms) {
            out += room->GetCheckChar();
            out += room->Name();
        }
    }
    return out;
}

}  // namespace

TEST(MultiSelectLoadFailure, EveryFailedAllocationLeavesTheBuildingAsItWas) {
    TestBuilding test({3, 12});
    CFloor* keptFloor = &test.Floor(1);
    CRoom* keptRoom = &test.Room(1, 11);
    const std::string before = Describe(test.building);
    const std::string text = "F:new\nR:Ca,Ub,Cc\nF:second\nR:Cd\nF:third\n";
    int failures = 0;
    for (long allowed = 0;; ++allowed) {
        allocationsLeft = allowed;
        const int loaded = LoadBuildingText(test.building, text.c_str(), ',');
        allocationsLeft = -1;
        if (loaded == 1) {
            break;
        }
        ++failures;
        ASSERT_EQ(Describe(test.building), before) << "after " << allowed << " allocations";
        ASSERT_TRUE(test.building.HoldsFloor(keptFloor));
        ASSERT_TRUE(test.building.HoldsRoom(keptRoom));
        ASSERT_EQ(keptRoom->GetParent(), keptFloor);
        ASSERT_EQ(test.building.m_check, kChecked);
        ASSERT_EQ(test.host.clears, 0);
    }
    EXPECT_GE(failures, 8);  // three floors and four rooms, each a failure point at least
    EXPECT_EQ(Describe(test.building), "[new]CaUbCc[second]Cd[third]");
    EXPECT_FALSE(test.building.HoldsRoom(keptRoom));
}
