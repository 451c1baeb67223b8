#include "receivestorage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

// Each test uses sizes of its own: the kept block is shared by the whole process.

TEST(ReceiveStorage, TheBlockGivenBackServesTheNextConnectionOfTheSameSize)
{
    const std::size_t size = 3 * 4096;
    char* first = ReceiveStorage::take(size);
    ASSERT_NE(first, nullptr);
    std::memcpy(first, "request", 7);
    ReceiveStorage::giveBack(first, size, 7);

    char* second = ReceiveStorage::take(size);
    EXPECT_EQ(second, first);
    char* third = ReceiveStorage::take(size);
    EXPECT_NE(third, first) << "a block is handed to one user at a time";
    ReceiveStorage::giveBack(third, size, 0);
    ReceiveStorage::giveBack(second, size, 7);
}

TEST(ReceiveStorage, AnotherSizeGetsAFreshZeroBlockAndTheNewestBlockIsKept)
{
    const std::size_t small = 5 * 4096;
    const std::size_t large = 7 * 4096;
    char* smallBlock = ReceiveStorage::take(small);
    ASSERT_NE(smallBlock, nullptr);
    ReceiveStorage::giveBack(smallBlock, small, 0);

    char* largeBlock = ReceiveStorage::take(large);
    ASSERT_NE(largeBlock, nullptr);
    EXPECT_TRUE(std::all_of(largeBlock, largeBlock + large, [](char c) { return c == 0; }));
    ReceiveStorage::giveBack(largeBlock, large, 0);
    EXPECT_EQ(ReceiveStorage::take(large), largeBlock);
    ReceiveStorage::giveBack(largeBlock, large, 0);
}

TEST(ReceiveStorage, PagesOfAHeavilyUsedBlockGoBackToTheSystemBeforeItIsKept)
{
    const std::size_t size = ReceiveStorage::keptResidentBytes * 2 + 4096;
    const std::size_t touched = ReceiveStorage::keptResidentBytes + 1;
    char* block = ReceiveStorage::take(size);
    ASSERT_NE(block, nullptr);
    std::memset(block, 'x', touched);
    ReceiveStorage::giveBack(block, size, touched);

    char* again = ReceiveStorage::take(size);
    ASSERT_EQ(again, block);
    EXPECT_TRUE(std::all_of(again, again + touched, [](char c) { return c == 0; }))
        << "the discarded pages read as zeros";
    ReceiveStorage::giveBack(again, size, 0);
}
