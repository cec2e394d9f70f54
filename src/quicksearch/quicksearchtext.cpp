#include "quicksearch/quicksearchtext.h"

#include "host/text/pinyinmatch.h"
#include "host/text/pinyinreadings.h"

#include <algorithm>
#include <cstring>

namespace LW {
namespace quicksearch {

namespace {

// One character at s[i] (i < n), advancing i: a surrogate pair is one code
// point, a lone surrogate stands for itself.
inline uint nextChar(const ushort* s, int n, int& i) {
  const uint c = s[i++];
  if ((c & 0xFC00) == 0xD800 && i < n && (s[i] & 0xFC00) == 0xDC00)
    return 0x10000 + ((c - 0xD800) << 10) + (s[i++] - 0xDC00);
  return c;
}

// The folded ASCII letter or digit of a character, 0 for anything else.
inline ushort latinOf(uint c) {
  if (c >= 0x10000) return 0;
  const ushort f = foldUnit(static_cast<ushort>(c));
  return static_cast<unsigned>(f - u'a') < 26u || static_cast<unsigned>(f - u'0') < 10u ? f : 0;
}

inline std::uint64_t bitOf(ushort latin) {
  return latin >= u'a' ? std::uint64_t(1) << (latin - u'a')
                       : std::uint64_t(1) << (26 + (latin - u'0') % 6);
}

// The bit of a folded unit that is not a Latin letter or digit.
inline std::uint64_t otherBit(ushort folded) {
  if ((folded & 0xF800) == 0xD800) return std::uint64_t(1) << 63;
  return std::uint64_t(1) << (32 + ((folded * 0x9E37u) >> 7) % 31);
}

void addSignature(const ushort* s, int n, std::uint64_t& bits) {
  for (int i = 0; i < n;) {
    const int at = i;
    const uint c = nextChar(s, n, i);
    if (const ushort latin = latinOf(c)) {
      bits |= bitOf(latin);
      continue;
    }
    if (c >= 0x3400) bits |= GU::pinyinInitials(c);
    for (int k = at; k < i; ++k) bits |= otherBit(foldUnit(s[k]));
  }
}

}  // namespace

CQuery makeQuery(const QString& text) {
  CQuery q;
  q.folded.resize(text.size());
  const ushort* in = text.utf16();
  ushort* out = reinterpret_cast<ushort*>(q.folded.data());
  bool latin = !text.isEmpty();
  for (int i = 0; i < text.size(); ++i) {
    out[i] = foldUnit(in[i]);
    if (static_cast<unsigned>(out[i] - u'a') < 26u || static_cast<unsigned>(out[i] - u'0') < 10u) {
      q.signature |= bitOf(out[i]);
    } else {
      q.signature |= otherBit(out[i]);
      latin = false;
    }
  }
  q.latin = latin;
  q.digits = std::all_of(out, out + text.size(),
                         [](ushort unit) { return static_cast<unsigned>(unit - u'0') < 10u; });
  q.substring = std::make_shared<const GU::CPinyinFilter>(q.folded);
  if (latin && text.size() <= 64) {
    q.bitParallel = true;
    q.firstBit = bitOf(out[0]);
    for (int p = 0; p < text.size(); ++p) {
      const std::uint64_t at = std::uint64_t(1) << p;
      q.unitPositions[out[p]] |= at;
      if (out[p] >= u'a') {
        q.unitPositions[out[p] - 0x20] |= at;  // upper case
        q.letterPositions[out[p] - u'a'] |= at;
        q.letters |= 1u << (out[p] - u'a');
      }
    }
    const GU::CPinyinInitialsTable& table = GU::pinyinInitialsTable();
    q.palettePositions.resize(static_cast<std::size_t>(table.paletteSize));
    for (int k = 0; k < table.paletteSize; ++k) {
      for (std::uint32_t bits = table.palette[k] & q.letters; bits != 0; bits &= bits - 1)
        q.palettePositions[k] |= q.letterPositions[__builtin_ctz(bits)];
    }
  }
  return q;
}

std::uint64_t signatureOf(const ushort* code, int codeSize, const ushort* name, int nameSize) {
  std::uint64_t bits = 0;
  addSignature(code, codeSize, bits);
  addSignature(name, nameSize, bits);
  return bits;
}

namespace {

// Whether the folded text starts s, unit by unit.
bool foldedStartsWith(const CQuery& q, const ushort* s, int size) {
  const int n = q.folded.size();
  if (size < n) return false;
  const ushort* f = q.units();
  for (int i = 0; i < n; ++i) {
    if (foldUnit(s[i]) != f[i]) return false;
  }
  return true;
}

}  // namespace

bool codeStartsWith(const CQuery& q, const ushort* code, int codeSize) {
  return foldedStartsWith(q, code, codeSize);
}

bool codeEquals(const CQuery& q, const ushort* code, int codeSize) {
  return codeSize == q.folded.size() && codeStartsWith(q, code, codeSize);
}

bool initialsStartWith(const CQuery& q, const ushort* name, int nameSize) {
  if (!q.latin) return false;
  const int n = q.folded.size();
  const ushort* f = q.units();
  int i = 0;
  for (int k = 0; k < n; ++k) {
    if (i >= nameSize) return false;
    const uint c = nextChar(name, nameSize, i);
    if (const ushort latin = latinOf(c)) {
      if (latin != f[k]) return false;
    } else if (f[k] >= u'a') {
      if (!(GU::pinyinInitials(c) >> (f[k] - u'a') & 1)) return false;
    } else {
      return false;
    }
  }
  return true;
}

bool nameStartsWith(const CQuery& q, const ushort* name, int nameSize) {
  return !q.latin && foldedStartsWith(q, name, nameSize);
}

bool fullPinyinStartsWith(const CQuery& q, const ushort* name, int nameSize) {
  const int n = q.folded.size();
  if (!q.latin || n > kMaxFullPinyin) return false;
  const ushort* f = q.units();
  if (nameSize == 0) return false;
  {
    // Most names fail on their first character: test it before the readings.
    int i = 0;
    const uint c = nextChar(name, nameSize, i);
    const ushort latin = latinOf(c);
    if (latin ? latin != f[0] : f[0] < u'a' || !(GU::pinyinInitials(c) >> (f[0] - u'a') & 1))
      return false;
  }
  // reach: bit p set when the name's characters so far spell f[0..p).
  std::uint64_t reach = 1;
  const std::uint64_t done = std::uint64_t(1) << n;
  const char* readings[GU::kMaxPinyinReadings];
  for (int i = 0; i < nameSize && reach != 0;) {
    if (reach & done) return true;
    const uint c = nextChar(name, nameSize, i);
    std::uint64_t next = 0;
    if (const ushort latin = latinOf(c)) {
      for (int p = 0; p < n; ++p) {
        if ((reach >> p & 1) && f[p] == latin) next |= std::uint64_t(1) << (p + 1);
      }
    } else {
      const int count = GU::pinyinReadings(c, readings);
      for (int r = 0; r < count; ++r) {
        const char* syllable = readings[r];
        for (int p = 0; p < n; ++p) {
          if (!(reach >> p & 1)) continue;
          int k = 0;
          while (syllable[k] && p + k < n && f[p + k] == static_cast<ushort>(syllable[k])) ++k;
          if (!syllable[k]) {
            next |= std::uint64_t(1) << (p + k);
          } else if (p + k == n) {
            return true;  // the text ends inside this syllable
          }
        }
      }
    }
    reach = next;
  }
  return (reach & done) != 0;
}

namespace {

// The text positions character s[i] can stand at (see CQuery::bitParallel),
// advancing i past it.
inline std::uint64_t positionsOf(const CQuery& q, const ushort* s, int n, int& i) {
  const ushort unit = s[i];
  if (unit < 0x80) {
    ++i;
    return q.unitPositions[unit];
  }
  static const GU::CPinyinInitialsTable& table = GU::pinyinInitialsTable();
  if (unit - table.first <= table.last - table.first) {
    // A Han character of the main blocks, most of every name.
    ++i;
    return q.palettePositions[table.paletteIndex[unit - table.first]];
  }
  const uint c = nextChar(s, n, i);
  if (const ushort latin = latinOf(c)) return q.unitPositions[latin];
  std::uint64_t positions = 0;
  for (std::uint32_t bits = GU::pinyinInitials(c) & q.letters; bits != 0; bits &= bits - 1)
    positions |= q.letterPositions[__builtin_ctz(bits)];
  return positions;
}

// What one shift-and pass over a code or name finds, as bits.
enum : unsigned {
  kFirstStands = 1,  // its first character can stand for the text's first unit
  kPrefix = 2,       // the text matches its first characters
  kInside = 4,       // the text matches somewhere
};

// Shift-and over s (not empty); only the first character when whole is
// false.
inline unsigned scan(const CQuery& q, const ushort* s, int n, bool whole) {
  int i = 0;
  std::uint64_t state = positionsOf(q, s, n, i) & 1;
  const unsigned first = static_cast<unsigned>(state);
  const int length = q.folded.size();
  if (!whole || n < length) return first;
  const std::uint64_t accept = std::uint64_t(1) << (length - 1);
  int k = 0;
  while (!(state & accept)) {
    if (i >= n) return first;
    state = ((state << 1) | 1) & positionsOf(q, s, n, i);
    ++k;
  }
  return first | kInside | (k == length - 1 ? kPrefix : 0u);
}

// rankClassOf for a bit-parallel text: one pass over the name answers
// classes 2 and 5 and the first test of class 4; class 3 never applies to a
// Latin text.
int latinRankClassOf(const CQuery& q, const ushort* code, int codeSize, const ushort* name,
                     int nameSize, std::uint64_t signature, int maxClass) {
  const bool lettersPresent = (q.signature & ~signature) == 0;
  if (lettersPresent && codeSize >= q.folded.size() && foldUnit(code[0]) == q.units()[0] &&
      codeStartsWith(q, code, codeSize)) {
    const int found = codeSize == q.folded.size() ? 0 : 1;
    return found <= maxClass ? found : kNoClass;
  }
  if (maxClass < 2) return kNoClass;
  const unsigned inName = nameSize > 0 ? scan(q, name, nameSize, lettersPresent) : 0u;
  if (inName & kPrefix) return 2;
  if (maxClass < 4) return kNoClass;
  if ((inName & kFirstStands) && fullPinyinStartsWith(q, name, nameSize)) return 4;
  if (maxClass < 5 || !lettersPresent) return kNoClass;
  if ((inName & kInside) || (codeSize > 0 && (scan(q, code, codeSize, true) & kInside))) return 5;
  return kNoClass;
}

}  // namespace

int rankClassOf(const CQuery& q, const ushort* code, int codeSize, const ushort* name, int nameSize,
                std::uint64_t signature, int maxClass) {
  if (q.bitParallel)
    return latinRankClassOf(q, code, codeSize, name, nameSize, signature, maxClass);
  // Every class but the full pinyin needs what the text holds in the code
  // or the name (initials included); one test rules out most instruments.
  const bool lettersPresent = (q.signature & ~signature) == 0;
  if (lettersPresent) {
    if (codeStartsWith(q, code, codeSize)) {
      const int found = codeSize == q.folded.size() ? 0 : 1;
      return found <= maxClass ? found : kNoClass;
    }
    if (maxClass < 2) return kNoClass;
    if (initialsStartWith(q, name, nameSize)) return 2;
    if (maxClass < 3) return kNoClass;
    if (nameStartsWith(q, name, nameSize)) return 3;
  }
  if (maxClass < 4) return kNoClass;
  if (fullPinyinStartsWith(q, name, nameSize)) return 4;
  if (maxClass < 5 || !lettersPresent) return kNoClass;
  if (q.substring->matches(code, codeSize) || q.substring->matches(name, nameSize)) return 5;
  return kNoClass;
}

}  // namespace quicksearch
}  // namespace LW
