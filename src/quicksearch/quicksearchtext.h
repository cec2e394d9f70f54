#pragma once
// The text rules of the quick search: how a search text and an instrument's
// code and name are folded, and which ranking class a code and name fall in
// for a text. Pure functions over read-only tables: any thread.
//
// Folding works per UTF-16 unit: ASCII letters and the full-width Latin
// letters and digits (Ａ, ｚ, ３) become ASCII lower case letters and digits,
// as the panels' pinyin filter (GU::isInByPy) treats them; every other unit is
// case-folded by QChar::toCaseFolded (surrogates stay as they are).
//
// The classes, each tried only when the earlier ones fail (see
// CQuickSearchEngine::ERankClass):
//  0 the folded code equals the folded text;
//  1 the folded code starts with it;
//  2 the text is Latin letters and digits only and matches the start of the
//    name character by character as in GU::isInByPy (a letter matches a Han
//    character one of whose readings starts with it, Latin letters and digits
//    match themselves): "payh" and "payx" for 平安银行;
//  3 the text has some other character and the folded name starts with it
//    ("平安", "ST康");
//  4 the text is Latin letters and digits only, at most kMaxFullPinyin of
//    them, and is a prefix of the name spelt in toneless pinyin, each Han
//    character by any of its readings (ü as v), Latin letters and digits as
//    themselves: "pingan", "pinganyinhang" and "pinganyinh" (a cut last
//    syllable counts) for 平安银行; a character with no reading, a space or a
//    punctuation mark ends what can be spelt;
//  5 the panels' filter finds the text anywhere in the code or in the name
//    (GU::isInByPy, which also covers the initials).

#include "host/text/pinyinmatch.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace LW {
namespace quicksearch {

constexpr int kMaxFullPinyin = 63;
constexpr int kNoClass = -1;

// The folded form of one UTF-16 unit.
inline ushort foldUnit(ushort c) {
  if (c < 0x80) return static_cast<unsigned>(c - u'A') < 26u ? static_cast<ushort>(c + 0x20) : c;
  // Han characters, the bulk of every name, have no case.
  if (c >= 0x3400 && c <= 0x9FFF) return c;
  if (c >= 0xFF10 && c <= 0xFF5A) {
    const ushort ascii = static_cast<ushort>(c - 0xFEE0);
    if (static_cast<unsigned>(ascii - u'0') < 10u || static_cast<unsigned>(ascii - u'a') < 26u)
      return ascii;
    if (static_cast<unsigned>(ascii - u'A') < 26u) return static_cast<ushort>(ascii + 0x20);
  }
  if ((c & 0xF800) == 0xD800) return c;
  return QChar(c).toCaseFolded().unicode();
}

// A folded search text and what the classes need to know about it.
struct CQuery {
  QString folded;
  const ushort* units() const { return reinterpret_cast<const ushort*>(folded.constData()); }
  // Only ASCII letters and digits after folding (classes 2 and 4).
  bool latin = false;
  // Only ASCII digits after folding.
  bool digits = false;
  // What the text holds (see signatureOf()): a code and name that can match
  // it in classes 0-3 or 5 hold all of it.
  std::uint64_t signature = 0;
  // The panels' filter of the folded text, compiled once (class 5).
  std::shared_ptr<const GU::CPinyinFilter> substring;

  // A Latin text of at most 64 units is also compiled for one bit-parallel
  // pass over a name that answers the initials prefix (class 2) and the
  // substring (class 5) together: bit p of a mask says "this character can
  // stand for the text's unit p". The same rules as the panels' filter: an
  // ASCII letter or digit stands for itself (either case), a Han character
  // for each initial letter of its readings.
  bool bitParallel = false;
  std::uint64_t unitPositions[128] = {};   // by ASCII unit
  std::uint64_t letterPositions[26] = {};  // by initial letter
  std::uint32_t letters = 0;               // the letters the text holds
  std::uint64_t firstBit = 0;              // the signature bit of its first unit
  // The positions of each initials mask of GU::pinyinInitialsTable(), so
  // that a Han character of the main blocks costs two loads.
  std::vector<std::uint64_t> palettePositions;
};

CQuery makeQuery(const QString& text);

// The signature of a code and name, a 64-bit summary that rules out most
// instruments with one test: bits 0-25 the Latin letters (folded as above)
// and the initials of every reading of the Han characters, bits 26-31 the
// digits (digit % 6), bits 32-62 a hash of every other folded unit, bit 63
// any surrogate. A text's signature holds only its own letters, digits and
// other units.
std::uint64_t signatureOf(const ushort* code, int codeSize, const ushort* name, int nameSize);

// The ranking class of an instrument's code and name for q (not empty), or
// kNoClass; classes above maxClass are not tried (kNoClass then too).
int rankClassOf(const CQuery& q, const ushort* code, int codeSize, const ushort* name, int nameSize,
                std::uint64_t signature, int maxClass);

// The single class tests, for the tests and the benchmark.
bool codeEquals(const CQuery& q, const ushort* code, int codeSize);
bool codeStartsWith(const CQuery& q, const ushort* code, int codeSize);
bool initialsStartWith(const CQuery& q, const ushort* name, int nameSize);
bool nameStartsWith(const CQuery& q, const ushort* name, int nameSize);
bool fullPinyinStartsWith(const CQuery& q, const ushort* name, int nameSize);

}  // namespace quicksearch
}  // namespace LW
