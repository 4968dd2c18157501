// The skins' random sequence must be the classic C runtime's, value for value.
#include <gtest/gtest.h>

#include <vector>

#include "core/CrtRandom.h"

TEST(CrtRandom, ClassicSequenceForKnownSeeds) {
    struct Case {
        unsigned seed;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {1u, {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464}},
        {42u, {175, 400, 17869, 30056, 16083, 12879, 8016, 7644, 15809, 1769}},
        {0u, {38, 7719, 21238, 2437, 8855}},
        {0xFFFFFFFFu, {35, 29739, 3374, 11141, 31308}},
    };
    for (const Case& c : cases) {
        CrtRandom random(99);
        random.Seed(c.seed);
        for (int expected : c.expected)
            EXPECT_EQ(random.Next(), expected) << c.seed;
    }
    // Unseeded is seeded with 1, like the C runtime; the program shares one sequence.
    EXPECT_EQ(CrtRandom().Next(), 41);
    EXPECT_EQ(&ProcessRandom(), &ProcessRandom());
}
