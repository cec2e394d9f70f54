#pragma once
// Layout of the pinyin readings table, generated at build time by
// lw_pinyin_tablegen beside the initials table (pinyintable_p.h); the
// contract between the generator and GU::pinyinReadings(). Read-only data.

#include <cstdint>

namespace GU {
namespace pinyin_readings {

// The distinct toneless syllables, NUL-padded.
constexpr int kSyllableSize = 8;
extern const char kSyllables[][kSyllableSize];
extern const int kSyllableCount;

// Reading lists: at an offset, a count, then that many syllable indices.
// Offset 0 holds the empty list.
extern const std::uint16_t kLists[];
extern const int kListsSize;

// U+3400..U+9FFF (pinyin_table::kDenseFirst..kDenseLast): the offset of each
// code point's list.
extern const std::uint32_t kDenseOffset[];

// Every other code point with readings, ascending: pairs of (code point,
// offset).
extern const std::uint32_t kSparse[];
extern const int kSparseCount;  // pairs

}  // namespace pinyin_readings
}  // namespace GU
