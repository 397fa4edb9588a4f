#include "platform/unique_handle.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <type_traits>
#include <vector>

namespace {

int g_objects[3];
std::vector<int*> g_closed;

struct CountingTraits {
    using Handle = int*;
    static void close(int* handle) { g_closed.push_back(handle); }
};
using Owned = platform::UniqueHandle<CountingTraits>;

int* InvalidHandleValue() { return reinterpret_cast<int*>(~std::uintptr_t{0}); }

static_assert(!std::is_copy_constructible_v<Owned> && !std::is_copy_assignable_v<Owned>);
static_assert(std::is_nothrow_move_constructible_v<Owned> && std::is_nothrow_move_assignable_v<Owned>);

TEST(UniqueHandle, NullAndInvalidHandleValueAreNeverClosed) {
    g_closed.clear();
    EXPECT_FALSE(platform::IsValidHandle<int*>(nullptr));
    EXPECT_FALSE(platform::IsValidHandle(InvalidHandleValue()));
    EXPECT_TRUE(platform::IsValidHandle(&g_objects[0]));
    {
        Owned none;
        Owned failedOpen(InvalidHandleValue());
        EXPECT_FALSE(none);
        EXPECT_FALSE(failedOpen);
        failedOpen.reset(nullptr);
    }
    EXPECT_TRUE(g_closed.empty());
}

TEST(UniqueHandle, ClosesExactlyOnceWhateverWayOwnershipTravels) {
    g_closed.clear();
    {
        Owned first(&g_objects[0]);
        EXPECT_TRUE(first);
        Owned moved(std::move(first));
        EXPECT_FALSE(first);  // NOLINT(bugprone-use-after-move): a moved-from owner holds nothing
        EXPECT_EQ(moved.get(), &g_objects[0]);

        Owned second(&g_objects[1]);
        second = std::move(moved);  // the handle second held is closed at once
        EXPECT_EQ(g_closed, std::vector<int*>{&g_objects[1]});
        Owned& alias = second;
        second = std::move(alias);
        EXPECT_EQ(second.get(), &g_objects[0]) << "assigning to itself keeps the handle";

        Owned third(&g_objects[2]);
        int* released = third.release();
        EXPECT_EQ(released, &g_objects[2]);
        EXPECT_FALSE(third);
    }
    // The released handle is the caller's; the moved one is closed once, by its last owner.
    EXPECT_EQ(g_closed, (std::vector<int*>{&g_objects[1], &g_objects[0]}));
}

}  // namespace
