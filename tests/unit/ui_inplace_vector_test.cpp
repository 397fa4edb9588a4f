#include <gtest/gtest.h>

#include <new>

#include "ui/inplace_vector.h"

namespace {

// Counts the elements alive, so that one lost or destroyed twice shows.
struct Counted {
    explicit Counted(int v) : value(v) { ++alive; }
    Counted(const Counted& other) : value(other.value) { ++alive; }
    ~Counted() { --alive; }
    int value;
    static inline int alive = 0;
};

TEST(InplaceVector, HoldsItsCapacityInPlaceAndRefusesOneMoreAsAnExhaustedHeapDoes) {
    {
        ui::InplaceVector<Counted, 3> full;
        const Counted* first = &full.emplace_back(1);
        full.push_back(Counted(2));
        full.emplace_back(3);
        EXPECT_EQ(full.size(), full.capacity());
        EXPECT_EQ(first, &full[0]) << "elements never move";
        // Template copies rely on it: the elements start at the vector's own address.
        EXPECT_EQ(static_cast<const void*>(full.data()), static_cast<const void*>(&full));

        EXPECT_THROW(full.emplace_back(4), std::bad_alloc);
        ASSERT_EQ(full.size(), 3u);
        EXPECT_EQ(Counted::alive, 3);
        int expected = 1;
        for (const Counted& item : full) EXPECT_EQ(item.value, expected++);

        const ui::InplaceVector<Counted, 3> copy = full;
        EXPECT_EQ(copy[2].value, 3);
        full.clear();
        EXPECT_TRUE(full.empty());
        EXPECT_EQ(Counted::alive, 3);
        EXPECT_THROW((ui::InplaceVector<int, 2>{1, 2, 3}), std::bad_alloc);
        EXPECT_EQ(full.try_push_back(Counted(5)), &full[0]);
    }
    EXPECT_EQ(Counted::alive, 0) << "every element is destroyed once";
    // A construction that fails part way destroys what it built.
    EXPECT_THROW((ui::InplaceVector<Counted, 2>{Counted(1), Counted(2), Counted(3)}), std::bad_alloc);
    EXPECT_EQ(Counted::alive, 0);
    ui::InplaceVector<Counted, 1> one;
    one.emplace_back(1);
    EXPECT_EQ(one.try_push_back(Counted(2)), nullptr);
    EXPECT_EQ(Counted::alive, 1);
}

}  // namespace
