#include "datagen/randomsource.h"

#include <cmath>

namespace datagen {

namespace {

std::uint64_t splitMix(std::uint64_t& x) {
  std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

}  // namespace

CRandomSource::CRandomSource(std::uint64_t seed) : m_seed(seed) {
  std::uint64_t x = seed;
  for (std::uint64_t& s : m_state) s = splitMix(x);
}

CRandomSource CRandomSource::fork(std::uint64_t stream) const {
  std::uint64_t x = m_seed ^ (stream * 0xD1B54A32D192ED03ULL);
  return CRandomSource(splitMix(x));
}

std::uint64_t CRandomSource::next() {
  const std::uint64_t result = rotl(m_state[1] * 5, 7) * 9;
  const std::uint64_t t = m_state[1] << 17;
  m_state[2] ^= m_state[0];
  m_state[3] ^= m_state[1];
  m_state[1] ^= m_state[2];
  m_state[0] ^= m_state[3];
  m_state[2] ^= t;
  m_state[3] = rotl(m_state[3], 45);
  return result;
}

std::uint64_t CRandomSource::below(std::uint64_t n) {
  if (n == 0) return 0;
  // Multiply-high maps 64 random bits onto [0, n); the bias is below 2^-40 for
  // every n the generator uses, far under what a data set could show.
  return static_cast<std::uint64_t>((static_cast<unsigned __int128>(next()) * n) >> 64);
}

long long CRandomSource::between(long long low, long long high) {
  if (high <= low) return low;
  const auto span = static_cast<std::uint64_t>(high - low) + 1;
  return low + static_cast<long long>(below(span));
}

double CRandomSource::uniform(double low, double high) {
  const double unit = static_cast<double>(next() >> 11) * 0x1.0p-53;
  return low + (high - low) * unit;
}

double CRandomSource::logUniform(double low, double high) {
  if (!(low > 0.0) || !(high > low)) return low;
  return std::exp(uniform(std::log(low), std::log(high)));
}

bool CRandomSource::chance(double probability) { return uniform(0.0, 1.0) < probability; }

}  // namespace datagen
