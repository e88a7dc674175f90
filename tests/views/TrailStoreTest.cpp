// SPDX-License-Identifier: MIT
// The trail store: each position once, the oldest pushed out when the ring wraps. (Erasing
// is the sky page's erase command.)
#include "views/TrailStore.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Distinct positions, one per n.
TrailPoint Nth(int n) {
    return {n % 360, n / 360};
}

CTrailStore::AddResult Add(CTrailStore& store, int n) {
    return store.Add(Nth(n).nAzimuth, Nth(n).nElevation);
}

TEST(TrailStore, StoresEachPositionOnceAndTheLastSlotPushesOutTheFirst) {
    auto store = std::make_unique<CTrailStore>();
    for (int n = 0; n < CTrailStore::kSlots - 1; ++n) {
        ASSERT_TRUE(Add(*store, n).bAdded);
        ASSERT_FALSE(Add(*store, n).bAdded) << "stored already";
        ASSERT_EQ(store->WriteIndex(), n + 1);
    }
    EXPECT_EQ(store->Count(), CTrailStore::kSlots - 1);
    EXPECT_FALSE(store->Contains(Nth(3600).nAzimuth, Nth(3600).nElevation));

    // One slot always stays empty: from now on every new position pushes out the oldest.
    for (int n = CTrailStore::kSlots - 1; n < CTrailStore::kSlots + 10; ++n) {
        const CTrailStore::AddResult result = Add(*store, n);
        EXPECT_TRUE(result.bAdded);
        ASSERT_TRUE(result.evicted) << n;
        EXPECT_EQ(*result.evicted, Nth(n - CTrailStore::kSlots + 1));
        EXPECT_FALSE(store->Contains(result.evicted->nAzimuth, result.evicted->nElevation));
        EXPECT_EQ(store->Count(), CTrailStore::kSlots - 1);
    }
    EXPECT_EQ(store->WriteIndex(), 10);
    EXPECT_TRUE(store->Slot(10).IsEmpty());
}

} // namespace
