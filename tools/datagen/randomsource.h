#pragma once
// The generator's random numbers. Data sets must be identical for a seed on
// every platform and standard library, so this is a fixed algorithm
// (xoshiro256** seeded through splitmix64) and draws its own bounded values:
// std::uniform_int_distribution and friends are implementation-defined and
// would make a set depend on the compiler that built the tool.
//
// Not thread-safe: one instance per generating thread. Cheap to copy.

#include <cstdint>
#include <string>
#include <vector>

namespace datagen {

class CRandomSource {
public:
  explicit CRandomSource(std::uint64_t seed);

  // An independent stream for one part of a data set (one file, one trading
  // type). Deriving streams from the seed, rather than drawing everything from
  // one stream, keeps the instruments identical when only the number of order
  // commands changes.
  CRandomSource fork(std::uint64_t stream) const;

  std::uint64_t next();
  // Uniform in [0, n); 0 when n is 0.
  std::uint64_t below(std::uint64_t n);
  // Uniform in [low, high]; low when high < low.
  long long between(long long low, long long high);
  // Uniform in [low, high).
  double uniform(double low, double high);
  // Log-uniform in [low, high) for positive bounds: prices and share capital
  // spread over orders of magnitude the way market data does.
  double logUniform(double low, double high);
  bool chance(double probability);

  template <typename T>
  const T& pick(const std::vector<T>& items) {
    return items[static_cast<std::size_t>(below(items.size()))];
  }

private:
  std::uint64_t m_seed;
  std::uint64_t m_state[4];
};

}  // namespace datagen
