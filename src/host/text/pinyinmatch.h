#pragma once
// The pinyin-initials matcher of the instrument filter. Users type the first
// letters of the pinyin of a name ("PAYH" for 平安银行) instead of switching
// to a Chinese input method. Pure functions over read-only data built into
// the library: callable from any thread (the models filter on their worker).

#include "lwhost_text_export.h"

#include <QString>

#include <memory>

namespace GU {

// True when filter matches consecutive characters of text, starting anywhere
// (a substring match). Character by character:
// - a Latin letter of the filter matches a Chinese character one of whose
//   readings begins with that letter, case-insensitively; zh, ch and sh count
//   as z, c and s, and a polyphone matches by any of its readings (平安银行
//   matches both PAYH and PAYX; 长江电力 both CJDL and ZJDL);
// - letters and digits of the text match themselves, letters
//   case-insensitively; full-width Latin letters and digits (Ａ, ３) count as
//   their ASCII forms on both sides;
// - any other filter character (space, punctuation, a Chinese character)
//   matches only itself (non-ASCII letters compare case-folded).
// An empty filter matches any text, including an empty one. A surrogate pair
// is one character; a lone surrogate is a character that matches only the same
// lone surrogate. Characters outside the table (emoji, rare symbols) match only
// themselves.
//
// Cost: linear in the length of text, no allocation for filters of up to 64
// characters (a longer filter allocates its bit masks once per call). In a
// Release build about 25 ns of CPU for a four-character name and 30-50 ns for
// a ten-character one (bench_pinyin).
LWHOST_TEXT_EXPORT bool isInByPy(const QString& text, const QString& filter);
// The same over textSize UTF-16 units at text, which need not be
// NUL-terminated (text inside a larger buffer, read without a copy).
LWHOST_TEXT_EXPORT bool isInByPy(const ushort* text, int textSize, const QString& filter);

// isInByPy with the filter compiled once, for one filter against many texts
// (a search over a whole list): matches(text) answers exactly what
// isInByPy(text, filter) answers, without compiling the filter per text.
// Immutable once made: any number of threads may call matches() at once.
class LWHOST_TEXT_EXPORT CPinyinFilter {
public:
  explicit CPinyinFilter(const QString& filter);
  ~CPinyinFilter();
  CPinyinFilter(const CPinyinFilter&) = delete;
  CPinyinFilter& operator=(const CPinyinFilter&) = delete;

  bool matches(const ushort* text, int textSize) const;

private:
  struct Compiled;
  std::unique_ptr<const Compiled> m_compiled;
};

// The initials of a Chinese character: bit (letter - 'a') is set for each
// initial letter of its readings; 0 for a code point without a reading
// (including everything that is not a Han ideograph).
LWHOST_TEXT_EXPORT quint32 pinyinInitials(uint codePoint);

// The initials of the main CJK blocks as a table, for a caller that looks up
// many characters against one set of letters (one search over every name):
// it can map the few distinct masks once and then look each character up
// inline. For first <= c <= last,
//   pinyinInitials(c) == palette[paletteIndex[c - first]];
// every other code point goes through pinyinInitials(). Read-only data built
// into the library: valid for the life of the process, any thread.
struct CPinyinInitialsTable {
  uint first = 0;
  uint last = 0;
  const quint16* paletteIndex = nullptr;
  const quint32* palette = nullptr;
  int paletteSize = 0;
};
LWHOST_TEXT_EXPORT const CPinyinInitialsTable& pinyinInitialsTable();

}  // namespace GU
