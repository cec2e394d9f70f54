#include "host/text/pinyinmatch.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "host/text/pinyintable_p.h"

// The match is a bit-parallel substring search (shift-and): bit j of the state
// says "the last j+1 text characters match the first j+1 filter characters".
// The filter is compiled once per call into one position mask per character
// class (a letter, a digit, or one distinct other character); each text
// character then costs one table lookup and a few word operations, whatever
// the filter. The plain retry-at-every-start loop was turned down as the
// general method: it is quadratic on a repetitive pair (100k "a" against
// "aaa...ab"), and for short names the two cost about the same. It remains for
// long filters where it is provably cheaper (few possible start positions).

namespace {

namespace table = GU::pinyin_table;

// Letters a..z are classes 0..25, digits 0..9 classes 26..35.
constexpr int kClasses = 36;
constexpr int kDigitClass = 26;
constexpr int kWordBits = 64;
// Up to this many distinct other characters are searched linearly.
constexpr int kLinearOthers = 8;
// Bound on the masks of a long filter (8 MB). Only a filter of tens of
// thousands of characters with thousands of distinct non-Latin characters
// exceeds it; such a filter mismatches within a few characters at almost
// every start, so the plain loop handles it quickly.
constexpr size_t kMaxMaskWords = size_t(1) << 20;

// Latin letters and digits, full-width forms folded to ASCII; -1 otherwise.
inline int asciiClass(char32_t c) {
  if (c >= 0xFF10 && c <= 0xFF5A) c -= 0xFEE0;
  if (c - U'a' < 26u) return static_cast<int>(c - U'a');
  if (c - U'A' < 26u) return static_cast<int>(c - U'A');
  if (c - U'0' < 10u) return kDigitClass + static_cast<int>(c - U'0');
  return -1;
}

inline char32_t caseFolded(char32_t c) {
  if (c < 0x80) return c - U'A' < 26u ? c + 0x20 : c;
  return QChar::toCaseFolded(static_cast<uint>(c));
}

inline quint32 lookupInitials(char32_t c) {
  if (c - table::kDenseFirst <= table::kDenseLast - table::kDenseFirst)
    return table::kPalette[table::kDenseIndex[c - table::kDenseFirst]];
  if (c < table::kDenseFirst || c >= 0x110000) return 0;
  const std::uint32_t key = static_cast<std::uint32_t>(c) << table::kSparseIndexBits;
  const std::uint32_t* end = table::kSparse + table::kSparseCount;
  const std::uint32_t* it = std::lower_bound(table::kSparse, end, key);
  if (it == end || (*it >> table::kSparseIndexBits) != c) return 0;
  return table::kPalette[*it & ((1u << table::kSparseIndexBits) - 1)];
}

// One character at s[i] (i < n), advancing i. A surrogate pair is one code
// point; a lone surrogate is returned as itself.
inline char32_t nextChar(const ushort* s, int n, int& i) {
  const char32_t c = s[i++];
  if ((c & 0xFC00) == 0xD800 && i < n && (s[i] & 0xFC00) == 0xDC00)
    return 0x10000 + ((c - 0xD800) << 10) + (s[i++] - 0xDC00);
  return c;
}

int charCount(const ushort* s, int n) {
  int count = 0;
  for (int i = 0; i < n; ++count) nextChar(s, n, i);
  return count;
}

// Whether text character t can stand at the place of filter character f.
bool charMatches(char32_t t, char32_t f) {
  const int fc = asciiClass(f);
  if (fc < 0) return caseFolded(t) == caseFolded(f);
  const int tc = asciiClass(t);
  if (tc >= 0) return tc == fc;
  return fc < kDigitClass && (lookupInitials(t) >> fc & 1);
}

// A distinct filter character that is not a Latin letter or digit, and the
// index of its position mask.
struct OtherClass {
  char32_t folded;
  int slice;
};

// The compiled filter. Masks are slices of `words` 64-bit words. A letter or
// digit slice is valid only when its bit is set in classSet, which saves
// clearing all 36 slices for a four-letter filter.
struct Program {
  int length = 0;
  int words = 1;
  quint64 classSet = 0;
  quint32 letterSet = 0;
  quint64* classMasks = nullptr;  // kClasses slices
  OtherClass* others = nullptr;   // sorted by folded when more than kLinearOthers
  int otherCount = 0;
  quint64* otherMasks = nullptr;  // one slice per other class
};

inline void setBit(quint64* slice, int position) {
  slice[position / kWordBits] |= quint64(1) << (position % kWordBits);
}

void addLetterOrDigit(Program& p, int cls, int position) {
  quint64* slice = p.classMasks + cls * p.words;
  if (!(p.classSet >> cls & 1)) {
    std::fill(slice, slice + p.words, quint64(0));
    p.classSet |= quint64(1) << cls;
  }
  setBit(slice, position);
}

void sortOthers(Program& p) {
  if (p.otherCount > kLinearOthers) {
    std::sort(p.others, p.others + p.otherCount,
              [](const OtherClass& a, const OtherClass& b) { return a.folded < b.folded; });
  }
  p.letterSet = static_cast<quint32>(p.classSet & ((quint64(1) << kDigitClass) - 1));
}

// Compiles a filter of at most 64 characters; others and otherMasks have room
// for 64 classes.
void compileShort(const ushort* f, int n, Program& p) {
  int position = 0;
  for (int i = 0; i < n; ++position) {
    const char32_t c = nextChar(f, n, i);
    const int cls = asciiClass(c);
    if (cls >= 0) {
      addLetterOrDigit(p, cls, position);
      continue;
    }
    const char32_t folded = caseFolded(c);
    int k = 0;
    while (k < p.otherCount && p.others[k].folded != folded) ++k;
    if (k == p.otherCount) {
      p.others[k] = OtherClass{folded, k};
      p.otherMasks[k] = 0;
      ++p.otherCount;
    }
    p.otherMasks[p.others[k].slice] |= quint64(1) << position;
  }
  p.length = position;
  sortOthers(p);
}

inline const OtherClass* findOther(const Program& p, char32_t folded) {
  const OtherClass* begin = p.others;
  const OtherClass* end = begin + p.otherCount;
  if (p.otherCount <= kLinearOthers) {
    for (const OtherClass* o = begin; o != end; ++o) {
      if (o->folded == folded) return o;
    }
    return nullptr;
  }
  const OtherClass* it = std::lower_bound(
      begin, end, folded, [](const OtherClass& o, char32_t value) { return o.folded < value; });
  return it != end && it->folded == folded ? it : nullptr;
}

// Reports the masks of the classes that text character c belongs to.
template <typename AddSlice>
inline void forEachClass(char32_t c, const Program& p, AddSlice addSlice) {
  const int cls = asciiClass(c);
  if (cls >= 0) {
    if (p.classSet >> cls & 1) addSlice(p.classMasks + cls * p.words);
  } else if (p.letterSet != 0 && c >= table::kDenseFirst) {
    for (quint32 bits = lookupInitials(c) & p.letterSet; bits != 0; bits &= bits - 1)
      addSlice(p.classMasks + __builtin_ctz(bits) * p.words);
  }
  if (p.otherCount != 0) {
    if (const OtherClass* o = findOther(p, caseFolded(c)))
      addSlice(p.otherMasks + o->slice * p.words);
  }
}

bool scanOneWord(const ushort* s, int n, const Program& p) {
  const quint64 accept = quint64(1) << (p.length - 1);
  quint64 state = 0;
  for (int i = 0; i < n;) {
    const char32_t c = nextChar(s, n, i);
    quint64 fill = 0;
    forEachClass(c, p, [&](const quint64* slice) { fill |= *slice; });
    state = ((state << 1) | 1) & fill;
    if (state & accept) return true;
  }
  return false;
}

// As scanOneWord over several words. Words above `top` are zero in the state,
// so a mismatch that cuts every partial match keeps the work small.
bool scanManyWords(const ushort* s, int n, const Program& p) {
  const int words = p.words;
  std::vector<quint64> state(static_cast<size_t>(words), 0);
  const int last = (p.length - 1) / kWordBits;
  const quint64 accept = quint64(1) << ((p.length - 1) % kWordBits);
  int top = 0;  // state[w] == 0 for w > top
  // A character is in at most one Latin class, the letters of its readings
  // and one other class.
  const quint64* slices[kClasses + 1];
  for (int i = 0; i < n;) {
    const char32_t c = nextChar(s, n, i);
    int count = 0;
    forEachClass(c, p, [&](const quint64* slice) { slices[count++] = slice; });
    const int reach = std::min(top + 1, words - 1);
    quint64 carry = 1;
    for (int w = 0; w <= reach; ++w) {
      quint64 fill = 0;
      for (int k = 0; k < count; ++k) fill |= slices[k][w];
      const quint64 shifted = (state[w] << 1) | carry;
      carry = state[w] >> (kWordBits - 1);
      state[w] = shifted & fill;
    }
    if (state[last] & accept) return true;
    top = reach;
    while (top > 0 && state[top] == 0) --top;
  }
  return false;
}

// The plain loop: tries each of the first `starts` text positions.
bool naiveMatch(const ushort* s, int n, const ushort* f, int fn, int starts) {
  for (int start = 0; start < n && starts > 0; nextChar(s, n, start), --starts) {
    int i = start;
    int j = 0;
    bool matched = true;
    while (j < fn) {
      if (i >= n || !charMatches(nextChar(s, n, i), nextChar(f, fn, j))) {
        matched = false;
        break;
      }
    }
    if (matched) return true;
  }
  return false;
}

bool matchLongFilter(const ushort* s, int n, const ushort* f, int fn, int length) {
  Program p;
  p.length = length;
  p.words = (length + kWordBits - 1) / kWordBits;
  // A filter nearly as long as the text leaves few places to start from: the
  // plain loop then costs starts x length steps against text x words for the
  // bit masks, and wins (a 100k filter against a 100k text is one start).
  const int starts = charCount(s, n) - length + 1;
  if (starts <= 0) return false;
  if (static_cast<qint64>(starts) * length <= static_cast<qint64>(n) * p.words)
    return naiveMatch(s, n, f, fn, starts);

  struct Entry {
    char32_t folded;
    int position;
  };
  std::vector<Entry> entries;
  std::vector<quint64> classMasks(static_cast<size_t>(kClasses * p.words));
  p.classMasks = classMasks.data();
  int position = 0;
  for (int i = 0; i < fn; ++position) {
    const char32_t c = nextChar(f, fn, i);
    const int cls = asciiClass(c);
    if (cls >= 0) {
      addLetterOrDigit(p, cls, position);
    } else {
      entries.push_back(Entry{caseFolded(c), position});
    }
  }
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.folded < b.folded; });
  std::vector<OtherClass> others;
  for (const Entry& e : entries) {
    if (others.empty() || others.back().folded != e.folded)
      others.push_back(OtherClass{e.folded, static_cast<int>(others.size())});
  }
  if (others.size() * static_cast<size_t>(p.words) > kMaxMaskWords)
    return naiveMatch(s, n, f, fn, starts);
  std::vector<quint64> otherMasks(others.size() * static_cast<size_t>(p.words), 0);
  size_t k = 0;
  for (const Entry& e : entries) {
    if (others[k].folded != e.folded) ++k;
    setBit(otherMasks.data() + others[k].slice * p.words, e.position);
  }
  p.others = others.data();
  p.otherCount = static_cast<int>(others.size());
  p.otherMasks = otherMasks.data();
  sortOthers(p);
  return scanManyWords(s, n, p);
}

}  // namespace

namespace GU {

quint32 pinyinInitials(uint codePoint) { return lookupInitials(codePoint); }

const CPinyinInitialsTable& pinyinInitialsTable() {
  static const CPinyinInitialsTable t = [] {
    CPinyinInitialsTable made;
    made.first = table::kDenseFirst;
    made.last = table::kDenseLast;
    made.paletteIndex = table::kDenseIndex;
    made.palette = table::kPalette;
    made.paletteSize = table::kPaletteCount;
    return made;
  }();
  return t;
}

// The short program with its masks in one object; a long filter keeps only
// its text and goes through isInByPy per call.
struct CPinyinFilter::Compiled {
  QString filter;
  int length = 0;  // characters: a text of fewer units cannot match
  bool isShort = false;
  Program program;
  quint64 classMasks[kClasses];
  OtherClass others[kWordBits];
  quint64 otherMasks[kWordBits];
};

CPinyinFilter::CPinyinFilter(const QString& filter) {
  auto compiled = std::make_unique<Compiled>();
  compiled->filter = filter;
  const int filterSize = filter.size();
  const ushort* f = filter.utf16();
  compiled->length = charCount(f, filterSize);
  if (filterSize > 0 && compiled->length <= kWordBits) {
    compiled->isShort = true;
    Program& p = compiled->program;
    p.classMasks = compiled->classMasks;
    p.others = compiled->others;
    p.otherMasks = compiled->otherMasks;
    compileShort(f, filterSize, p);
  }
  m_compiled = std::move(compiled);
}

CPinyinFilter::~CPinyinFilter() = default;

bool CPinyinFilter::matches(const ushort* text, int textSize) const {
  const Compiled& c = *m_compiled;
  if (c.filter.isEmpty()) return true;
  // Checked here for long filters too, so that a pasted page of text costs
  // nothing per short name.
  if (c.length > textSize) return false;
  if (!c.isShort) return isInByPy(text, textSize, c.filter);
  if (textSize == 0 || c.program.length > textSize) return false;
  return scanOneWord(text, textSize, c.program);
}

bool isInByPy(const QString& text, const QString& filter) {
  return isInByPy(text.utf16(), text.size(), filter);
}

bool isInByPy(const ushort* s, int textSize, const QString& filter) {
  const int filterSize = filter.size();
  if (filterSize == 0) return true;
  const ushort* f = filter.utf16();

  if (filterSize <= kWordBits || charCount(f, filterSize) <= kWordBits) {
    // Each filter character takes at least one UTF-16 unit of text.
    if (textSize == 0) return false;
    quint64 classMasks[kClasses];
    OtherClass others[kWordBits];
    quint64 otherMasks[kWordBits];
    Program p;
    p.classMasks = classMasks;
    p.others = others;
    p.otherMasks = otherMasks;
    compileShort(f, filterSize, p);
    if (p.length > textSize) return false;
    return scanOneWord(s, textSize, p);
  }

  // Nobody types this; pasted text or a bug might. The only path that
  // allocates.
  const int length = charCount(f, filterSize);
  if (length > textSize) return false;
  return matchLongFilter(s, textSize, f, filterSize, length);
}

}  // namespace GU
