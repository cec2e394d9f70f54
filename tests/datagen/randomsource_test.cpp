// CRandomSource: the generator's determinism and the bounds of its draws.
#include "datagen/randomsource.h"

#include <gtest/gtest.h>
#include <set>

using datagen::CRandomSource;

TEST(RandomSource, sameSeedGivesSameSequenceAndOtherSeedsDiffer) {
  CRandomSource a(42), b(42), c(43);
  bool differs = false;
  for (int i = 0; i < 100; ++i) {
    const auto value = a.next();
    EXPECT_EQ(value, b.next());
    differs = differs || value != c.next();
  }
  EXPECT_TRUE(differs);
}

TEST(RandomSource, forkedStreamsAreIndependentOfDrawsFromTheParent) {
  CRandomSource parent(7);
  const CRandomSource untouched(7);
  for (int i = 0; i < 10; ++i) parent.next();
  CRandomSource a = parent.fork(3), b = untouched.fork(3), other = untouched.fork(4);
  bool differs = false;
  for (int i = 0; i < 20; ++i) {
    const auto value = a.next();
    EXPECT_EQ(value, b.next());
    differs = differs || value != other.next();
  }
  EXPECT_TRUE(differs);
}

TEST(RandomSource, boundedDrawsStayInRangeAtTheEdges) {
  CRandomSource random(1);
  for (std::uint64_t n : {1ULL, 2ULL, 3ULL, 1000ULL, (1ULL << 63) + 5}) {
    for (int i = 0; i < 2000; ++i) ASSERT_LT(random.below(n), n) << n;
  }
  EXPECT_EQ(random.below(0), 0u);
  std::set<long long> seen;
  for (int i = 0; i < 2000; ++i) {
    const long long v = random.between(-2, 2);
    ASSERT_GE(v, -2);
    ASSERT_LE(v, 2);
    seen.insert(v);
  }
  EXPECT_EQ(seen.size(), 5u) << "every value of a small range is drawn";
  EXPECT_EQ(random.between(5, 5), 5);
  EXPECT_EQ(random.between(9, 3), 9) << "an empty range gives its low end";
  for (int i = 0; i < 2000; ++i) {
    const double u = random.uniform(1.5, 2.5);
    ASSERT_GE(u, 1.5);
    ASSERT_LT(u, 2.5);
    const double l = random.logUniform(0.01, 1000.0);
    ASSERT_GE(l, 0.01 * (1 - 1e-12));
    ASSERT_LT(l, 1000.0 * (1 + 1e-12));
  }
  EXPECT_EQ(random.logUniform(-1.0, 5.0), -1.0) << "non-positive bounds give the low end";
  EXPECT_FALSE(random.chance(0.0));
  EXPECT_TRUE(random.chance(1.0));
}
