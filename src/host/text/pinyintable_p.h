#pragma once
// Layout of the pinyin initials table. The data is generated at build time by
// lw_pinyin_tablegen (pinyintablegen.cpp, which explains the layout) into the
// build directory; this header is the contract between the generator and
// pinyinInitials(). Read-only data: any thread.
//
// An initials mask has bit (letter - 'a') set for each initial letter of the
// character's readings (zh, ch, sh count as z, c, s).

#include <cstdint>

namespace GU {
namespace pinyin_table {

// The main CJK blocks (Extension A, the Yijing symbols between them, and the
// unified ideographs): one palette index per code point.
constexpr char32_t kDenseFirst = 0x3400;
constexpr char32_t kDenseLast = 0x9FFF;
constexpr int kDenseCount = static_cast<int>(kDenseLast - kDenseFirst + 1);
extern const std::uint16_t kDenseIndex[kDenseCount];

// The distinct initials masks; kPalette[0] is 0 (no reading known).
extern const std::uint32_t kPalette[];
extern const int kPaletteCount;

// Every other code point with a reading (compatibility ideographs and the
// supplementary planes), ascending, each entry (codePoint << 10) | paletteIndex.
constexpr int kSparseIndexBits = 10;
extern const std::uint32_t kSparse[];
extern const int kSparseCount;

}  // namespace pinyin_table
}  // namespace GU
