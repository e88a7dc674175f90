// SPDX-License-Identifier: MIT
// The trail store: each position once, the oldest pushed out when the ring wraps, and
// erasing without moving the write index.
#include "views/TrailStore.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Distinct positions, one per call.
TrailPoint Nth(int n) {
    return {n % 360, n / 360};
}

TEST(TrailStore, StoresEachPositionOnce) {
    CTrailStore store;
    const CTrailStore::AddResult first = store.Add(120, 30);
    EXPECT_TRUE(first.bAdded);
    EXPECT_FALSE(first.evicted);
    EXPECT_EQ(store.WriteIndex(), 1);

    store.Add(121, 30);
    const CTrailStore::AddResult again = store.Add(120, 30);
    EXPECT_FALSE(again.bAdded);
    EXPECT_FALSE(again.evicted);
    EXPECT_EQ(store.Count(), 2);
    EXPECT_EQ(store.WriteIndex(), 2);
    EXPECT_TRUE(store.Contains(121, 30));
    EXPECT_FALSE(store.Contains(30, 121));
}

TEST(TrailStore, TheLastOfThirtyFiveHundredPositionsPushesOutTheFirst) {
    auto store = std::make_unique<CTrailStore>();
    for (int n = 0; n < CTrailStore::kSlots - 1; ++n) {
        const CTrailStore::AddResult result = store->Add(Nth(n).nAzimuth, Nth(n).nElevation);
        ASSERT_TRUE(result.bAdded);
        ASSERT_FALSE(result.evicted) << n;
    }
    EXPECT_EQ(store->Count(), 3499);
    EXPECT_EQ(store->WriteIndex(), 3499);

    const TrailPoint last = Nth(3499);
    CTrailStore::AddResult result = store->Add(last.nAzimuth, last.nElevation);
    EXPECT_TRUE(result.bAdded);
    ASSERT_TRUE(result.evicted);
    EXPECT_EQ(*result.evicted, Nth(0));
    EXPECT_EQ(store->WriteIndex(), 0);
    EXPECT_EQ(store->Count(), 3499);
    EXPECT_FALSE(store->Contains(Nth(0).nAzimuth, Nth(0).nElevation));
    EXPECT_TRUE(store->Slot(0).IsEmpty());

    // From now on every new position pushes out the oldest.
    for (int n = 3500; n < 3510; ++n) {
        result = store->Add(Nth(n).nAzimuth, Nth(n).nElevation);
        ASSERT_TRUE(result.evicted);
        EXPECT_EQ(*result.evicted, Nth(n - 3499));
        EXPECT_EQ(store->Count(), 3499);
    }
}

TEST(TrailStore, ErasingKeepsTheWriteIndex) {
    CTrailStore store;
    for (int n = 0; n < 5; ++n)
        store.Add(Nth(n).nAzimuth, Nth(n).nElevation);
    store.Clear();
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(store.WriteIndex(), 5);

    // An erased position can be stored again, at the unchanged index.
    store.Add(Nth(0).nAzimuth, Nth(0).nElevation);
    EXPECT_EQ(store.Slot(5), Nth(0));
    EXPECT_EQ(store.WriteIndex(), 6);
}

} // namespace
