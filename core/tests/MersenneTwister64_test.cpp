#include "core/MersenneTwister64.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

TEST(MersenneTwister64, GivesTheStandardSequenceWhateverTheBlockSizes) {
    // Blocks that end inside, exactly at and across the ends of the state, and single numbers between.
    for (const std::uint64_t seed : {5489ull, 0ull, 0xFFFFFFFFull, 0x123456789ABCDEFull}) {
        core::MersenneTwister64 ours(seed);
        std::mt19937_64 standard(seed);
        size_t drawn = 0;
        for (const size_t block : {1u, 311u, 312u, 7u, 1000u, 0u, 2160u, 313u, 1u, 624u}) {
            std::vector<std::uint64_t> got(block + 1);
            ours.Fill(got.data(), block);
            for (size_t i = 0; i < block; ++i, ++drawn)
                ASSERT_EQ(got[i], standard()) << "seed " << seed << ", number " << drawn;
            ASSERT_EQ(ours.Next(), standard()) << "seed " << seed << ", number " << drawn++;
        }
    }
}
