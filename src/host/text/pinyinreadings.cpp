#include "host/text/pinyinreadings.h"

#include "host/text/pinyinreadings_p.h"
#include "host/text/pinyintable_p.h"

#include <algorithm>

namespace GU {

int pinyinReadings(uint codePoint, const char* readings[kMaxPinyinReadings]) {
  namespace r = pinyin_readings;
  namespace t = pinyin_table;
  std::uint32_t offset = 0;
  if (codePoint >= t::kDenseFirst && codePoint <= t::kDenseLast) {
    offset = r::kDenseOffset[codePoint - t::kDenseFirst];
  } else if (codePoint < 0x110000) {
    int lo = 0;
    int hi = r::kSparseCount;
    while (lo < hi) {
      const int mid = (lo + hi) / 2;
      if (r::kSparse[2 * mid] < codePoint)
        lo = mid + 1;
      else
        hi = mid;
    }
    if (lo < r::kSparseCount && r::kSparse[2 * lo] == codePoint) offset = r::kSparse[2 * lo + 1];
  }
  if (offset == 0 || static_cast<int>(offset) >= r::kListsSize) return 0;
  const int count = std::min<int>(r::kLists[offset], kMaxPinyinReadings);
  for (int i = 0; i < count; ++i) readings[i] = r::kSyllables[r::kLists[offset + 1 + i]];
  return count;
}

}  // namespace GU
