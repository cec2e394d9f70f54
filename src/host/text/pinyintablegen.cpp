// lw_pinyin_tablegen: writes the pinyin initials table of the instrument
// filter (GU::isInByPy) and the table of toneless full readings
// (GU::pinyinReadings, the quick search's spelt-out pinyin) from the Unicode
// Han database. Both come from the same fields in the same pass, so every
// full reading's initial is in the character's initials mask.
//
// Why the table is built this way:
// - Users find an instrument by typing the first letters of the pinyin of its
//   name ("PAYH" for 平安银行). Names use rare characters and polyphones
//   (行 is háng in 银行 and xíng elsewhere; 长 is cháng or zhǎng), so a
//   hand-kept list of common characters with one reading each misses
//   instruments. The table keeps EVERY initial of EVERY reading, and the
//   matcher accepts any of them: a filter never fails because the table
//   guessed the wrong reading, at the price of rare extra matches.
// - The readings come from Unihan (Debian's unicode-data package), the
//   maintained source of readings for all ~43,000 ideographs with one. The
//   modern dictionaries kTGHZ2013 and kXHC1983 list the standard readings of
//   polyphones, kHanyuPinyin covers rare and supplementary characters;
//   kMandarin gives only one customary reading, so it is the fallback for a
//   character none of the three lists. A compatibility ideograph without a
//   reading of its own takes those of the unified ideograph it stands for
//   (UnicodeData.txt), since text from other systems carries them.
// - It is generated at build time into the build directory, not committed:
//   the source tree carries no 100 KB numeric blob that nobody can review, and
//   a newer Unicode release only needs a rebuild. Reading the .bz2 directly
//   avoids an unpacked 6 MB copy. The run takes well under a second.
// - The layout is small and needs no start-up work: there are only a few
//   hundred distinct sets of initials, so each character stores a 16-bit index
//   into a palette of 32-bit masks; U+3400-U+9FFF, where nearly every code
//   point has a reading, is a dense array (one load per lookup), and the few
//   thousand other characters are a sorted array of (code point, index)
//   packed in 32 bits and binary-searched. Everything is const data in the
//   shared library's read-only segment, shared by all processes.
//
// Usage: lw_pinyin_tablegen <Unihan_Readings.txt.bz2> <UnicodeData.txt> <output.cpp>
//        <readings.cpp>
// The readings table keeps each distinct toneless syllable once (a few
// hundred, ü written v as typed on a keyboard) and per character a short list
// of syllable indices; U+3400-U+9FFF by a dense offset array, the rest sorted
// and binary-searched, like the initials.
// Writes each output atomically (a temporary file renamed over it), so a failed
// run never leaves a half table that the build would consider up to date.

#include <bzlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "pinyinreadings_p.h"
#include "pinyintable_p.h"

namespace {

constexpr std::uint32_t kCodePointLimit = 0x110000;
namespace table = GU::pinyin_table;

bool readBzip2(const char* path, std::string& out) {
  FILE* file = std::fopen(path, "rb");
  if (!file) {
    std::fprintf(stderr, "lw_pinyin_tablegen: cannot open %s\n", path);
    return false;
  }
  int error = BZ_OK;
  BZFILE* bz = BZ2_bzReadOpen(&error, file, 0, 0, nullptr, 0);
  bool ok = error == BZ_OK;
  char chunk[1 << 16];
  while (ok) {
    const int n = BZ2_bzRead(&error, bz, chunk, sizeof chunk);
    if (error != BZ_OK && error != BZ_STREAM_END) {
      ok = false;
      break;
    }
    out.append(chunk, static_cast<size_t>(n));
    if (error == BZ_STREAM_END) break;
  }
  if (bz) BZ2_bzReadClose(&error, bz);
  std::fclose(file);
  if (!ok) std::fprintf(stderr, "lw_pinyin_tablegen: %s is not a valid bzip2 file\n", path);
  return ok;
}

// Decodes one UTF-8 sequence at s (bounded by end); 0 when malformed.
std::uint32_t decodeUtf8(const char*& s, const char* end) {
  const unsigned char c = static_cast<unsigned char>(*s++);
  int more = 0;
  std::uint32_t cp = 0;
  if (c < 0x80) return c;
  if ((c & 0xE0) == 0xC0) {
    more = 1;
    cp = c & 0x1F;
  } else if ((c & 0xF0) == 0xE0) {
    more = 2;
    cp = c & 0x0F;
  } else if ((c & 0xF8) == 0xF0) {
    more = 3;
    cp = c & 0x07;
  } else {
    return 0;
  }
  for (; more > 0; --more) {
    if (s == end || (static_cast<unsigned char>(*s) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (static_cast<unsigned char>(*s++) & 0x3F);
  }
  return cp;
}

// The base letter of the first character of a reading, tone mark stripped;
// 0 when it is not a Latin letter. Pinyin readings begin with a consonant or
// with a toned a, e, o (and syllabic m, n; ê in a few readings).
char baseLetter(std::uint32_t cp) {
  if (cp >= 'a' && cp <= 'z') return static_cast<char>(cp);
  if (cp >= 'A' && cp <= 'Z') return static_cast<char>(cp - 'A' + 'a');
  struct Range {
    std::uint32_t first, last;
    char letter;
  };
  // Only the letters with tone marks and diaereses of Latin-1, Latin
  // Extended-A/B and Latin Extended Additional that pinyin uses.
  static const Range kRanges[] = {
      {0x00C0, 0x00C5, 'a'}, {0x00E0, 0x00E5, 'a'}, {0x00C8, 0x00CB, 'e'}, {0x00E8, 0x00EB, 'e'},
      {0x00CC, 0x00CF, 'i'}, {0x00EC, 0x00EF, 'i'}, {0x00D2, 0x00D6, 'o'}, {0x00F2, 0x00F6, 'o'},
      {0x00D9, 0x00DC, 'u'}, {0x00F9, 0x00FC, 'u'}, {0x0100, 0x0105, 'a'}, {0x0112, 0x011B, 'e'},
      {0x012A, 0x012F, 'i'}, {0x0143, 0x0148, 'n'}, {0x014C, 0x0151, 'o'}, {0x016A, 0x0173, 'u'},
      {0x01CD, 0x01CE, 'a'}, {0x01CF, 0x01D0, 'i'}, {0x01D1, 0x01D2, 'o'}, {0x01D3, 0x01DC, 'u'},
      {0x01F8, 0x01F9, 'n'}, {0x1E3E, 0x1E3F, 'm'}, {0x1EA0, 0x1EB7, 'a'}, {0x1EB8, 0x1EC7, 'e'},
      {0x1EC8, 0x1ECB, 'i'}, {0x1ECC, 0x1EE3, 'o'}, {0x1EE4, 0x1EF1, 'u'},
  };
  for (const Range& r : kRanges) {
    if (cp >= r.first && cp <= r.last) return r.letter;
  }
  return 0;
}

using SyllableSet = std::set<std::string>;

struct Readings {
  std::vector<std::uint32_t> primary = std::vector<std::uint32_t>(kCodePointLimit, 0);
  std::vector<std::uint32_t> fallback = std::vector<std::uint32_t>(kCodePointLimit, 0);
  std::map<std::uint32_t, SyllableSet> primaryFull;
  std::map<std::uint32_t, SyllableSet> fallbackFull;
  int skipped = 0;
};

// The toneless ASCII spelling of one reading ("lǚ" -> "lv", "xíng" ->
// "xing"); empty when a character is not a pinyin letter.
std::string tonelessReading(const char* p, const char* end) {
  std::string out;
  while (p < end) {
    const std::uint32_t cp = decodeUtf8(p, end);
    if (cp >= 0x0300 && cp <= 0x036F) continue;  // a combining tone mark
    const bool uUmlaut = cp == 0x00DC || cp == 0x00FC || (cp >= 0x01D5 && cp <= 0x01DC);
    const char letter = uUmlaut ? 'v' : baseLetter(cp);
    if (!letter) return std::string();
    out.push_back(letter);
  }
  if (out.size() >= static_cast<size_t>(GU::pinyin_readings::kSyllableSize)) return std::string();
  return out;
}

// Adds the initials of one field value. Dictionary fields hold space-separated
// entries "location:reading,reading" (locations may carry '*' or commas);
// kMandarin holds space-separated readings.
void addInitials(const char* value, const char* end, std::uint32_t& mask, SyllableSet* full,
                 int& skipped) {
  const char* entry = value;
  while (entry < end) {
    const char* entryEnd = static_cast<const char*>(std::memchr(entry, ' ', end - entry));
    if (!entryEnd) entryEnd = end;
    const char* reading = entry;
    for (const char* p = entry; p < entryEnd; ++p) {
      if (*p == ':') reading = p + 1;
    }
    while (reading < entryEnd) {
      const char* readingEnd =
          static_cast<const char*>(std::memchr(reading, ',', entryEnd - reading));
      if (!readingEnd) readingEnd = entryEnd;
      if (reading < readingEnd) {
        const char* p = reading;
        const char letter = baseLetter(decodeUtf8(p, readingEnd));
        if (letter) {
          mask |= 1u << (letter - 'a');
          const std::string syllable = tonelessReading(reading, readingEnd);
          if (!syllable.empty()) full->insert(syllable);
        } else {
          ++skipped;
        }
      }
      reading = readingEnd + 1;
    }
    entry = entryEnd + 1;
  }
}

void parseReadings(const std::string& text, Readings& readings) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', end - p));
    if (!lineEnd) lineEnd = end;
    // "U+5E73<TAB>kTGHZ2013<TAB>285.120:píng"; comments and blanks skipped.
    if (lineEnd - p > 2 && p[0] == 'U' && p[1] == '+') {
      char* afterCode = nullptr;
      const unsigned long cp = std::strtoul(p + 2, &afterCode, 16);
      const char* field = afterCode;
      const char* fieldEnd =
          field < lineEnd && *field == '\t'
              ? static_cast<const char*>(std::memchr(field + 1, '\t', lineEnd - field - 1))
              : nullptr;
      if (cp < kCodePointLimit && fieldEnd) {
        ++field;
        const std::string name(field, fieldEnd);
        const char* value = fieldEnd + 1;
        const char* valueEnd = lineEnd > value && lineEnd[-1] == '\r' ? lineEnd - 1 : lineEnd;
        if (name == "kTGHZ2013" || name == "kXHC1983" || name == "kHanyuPinyin") {
          addInitials(value, valueEnd, readings.primary[cp], &readings.primaryFull[cp],
                      readings.skipped);
        } else if (name == "kMandarin") {
          addInitials(value, valueEnd, readings.fallback[cp], &readings.fallbackFull[cp],
                      readings.skipped);
        }
      }
    }
    p = lineEnd + 1;
  }
}

// Compatibility ideographs: UnicodeData.txt gives each a singleton canonical
// decomposition ("F900;CJK COMPATIBILITY IDEOGRAPH-F900;Lo;0;L;8C48;...").
bool readCompatibilityMappings(const char* path, std::map<std::uint32_t, std::uint32_t>& out) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "lw_pinyin_tablegen: cannot open %s\n", path);
    return false;
  }
  std::string line;
  while (std::getline(in, line)) {
    if (line.find("CJK COMPATIBILITY IDEOGRAPH") == std::string::npos) continue;
    std::vector<std::string> fields;
    std::stringstream split(line);
    std::string field;
    while (std::getline(split, field, ';')) fields.push_back(field);
    if (fields.size() < 6 || fields[5].empty() || fields[5].find(' ') != std::string::npos ||
        fields[5][0] == '<')
      continue;
    const unsigned long from = std::strtoul(fields[0].c_str(), nullptr, 16);
    const unsigned long to = std::strtoul(fields[5].c_str(), nullptr, 16);
    if (from < kCodePointLimit && to < kCodePointLimit) out[from] = to;
  }
  return true;
}

void writeArray(std::ostream& out, const char* declaration, const std::vector<std::uint32_t>& v,
                int width) {
  out << declaration << " = {";
  for (size_t i = 0; i < v.size(); ++i) {
    if (i % 12 == 0) out << "\n   ";
    char number[16];
    std::snprintf(number, sizeof number, " 0x%0*X,", width, v[i]);
    out << number;
  }
  out << "\n};\n\n";
}

// Writes a file through a temporary one renamed over it, so that a failed
// run never leaves a half table that the build would consider up to date.
template <typename Write>
bool writeAtomically(const std::string& target, Write write) {
  const std::string temporary = target + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    write(out);
    out.flush();
    if (!out) {
      std::fprintf(stderr, "lw_pinyin_tablegen: cannot write %s\n", temporary.c_str());
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), target.c_str()) != 0) {
    std::fprintf(stderr, "lw_pinyin_tablegen: cannot replace %s\n", target.c_str());
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr,
                 "usage: lw_pinyin_tablegen <Unihan_Readings.txt.bz2> <UnicodeData.txt> "
                 "<output.cpp> <readings.cpp>\n");
    return 2;
  }
  std::string text;
  if (!readBzip2(argv[1], text)) return 1;
  Readings readings;
  parseReadings(text, readings);
  std::map<std::uint32_t, std::uint32_t> compatibility;
  if (!readCompatibilityMappings(argv[2], compatibility)) return 1;

  std::vector<std::uint32_t> masks(kCodePointLimit, 0);
  for (std::uint32_t cp = 0; cp < kCodePointLimit; ++cp)
    masks[cp] = readings.primary[cp] ? readings.primary[cp] : readings.fallback[cp];
  for (const auto& c : compatibility) {
    if (!masks[c.first]) masks[c.first] = masks[c.second];
  }

  std::map<std::uint32_t, std::uint32_t> paletteIndex{{0, 0}};
  std::vector<std::uint32_t> palette{0};
  auto indexOf = [&](std::uint32_t mask) {
    auto it = paletteIndex.find(mask);
    if (it != paletteIndex.end()) return it->second;
    const std::uint32_t index = static_cast<std::uint32_t>(palette.size());
    palette.push_back(mask);
    paletteIndex.emplace(mask, index);
    return index;
  };
  std::vector<std::uint32_t> dense(table::kDenseCount, 0);
  std::vector<std::uint32_t> sparse;
  for (std::uint32_t cp = 0; cp < kCodePointLimit; ++cp) {
    if (cp >= table::kDenseFirst && cp <= table::kDenseLast) {
      dense[cp - table::kDenseFirst] = indexOf(masks[cp]);
    } else if (masks[cp]) {
      sparse.push_back((cp << table::kSparseIndexBits) | indexOf(masks[cp]));
    }
  }
  if (palette.size() > (1u << table::kSparseIndexBits)) {
    std::fprintf(stderr,
                 "lw_pinyin_tablegen: %zu distinct sets of initials do not fit the %d-bit index "
                 "of the sparse table; widen kSparseIndexBits\n",
                 palette.size(), table::kSparseIndexBits);
    return 1;
  }
  if (sparse.empty() || palette.size() < 2) {
    std::fprintf(stderr, "lw_pinyin_tablegen: no readings found in %s\n", argv[1]);
    return 1;
  }

  const bool written = writeAtomically(argv[3], [&](std::ostream& out) {
    out << "// Generated by lw_pinyin_tablegen from " << argv[1] << " and " << argv[2]
        << ". Do not edit.\n"
        << "// " << palette.size() << " initials masks, " << sparse.size() << " sparse entries; "
        << readings.skipped << " readings without a Latin initial.\n"
        << "#include \"host/text/pinyintable_p.h\"\n\n"
        << "namespace GU {\nnamespace pinyin_table {\n\n";
    writeArray(out, "const std::uint16_t kDenseIndex[kDenseCount]", dense, 3);
    writeArray(out, "const std::uint32_t kPalette[]", palette, 7);
    out << "const int kPaletteCount = " << palette.size() << ";\n\n";
    writeArray(out, "const std::uint32_t kSparse[]", sparse, 8);
    out << "const int kSparseCount = " << sparse.size() << ";\n\n"
        << "}  // namespace pinyin_table\n}  // namespace GU\n";
  });
  if (!written) return 1;

  // The full readings, from the same fields with the same fallback and the
  // same compatibility mapping as the initials above.
  std::map<std::uint32_t, const SyllableSet*> full;
  for (const auto& entry : readings.primaryFull) {
    if (!entry.second.empty()) full[entry.first] = &entry.second;
  }
  for (const auto& entry : readings.fallbackFull) {
    if (!entry.second.empty() && !full.count(entry.first)) full[entry.first] = &entry.second;
  }
  for (const auto& c : compatibility) {
    auto to = full.find(c.second);
    if (!full.count(c.first) && to != full.end()) full[c.first] = to->second;
  }
  std::map<std::string, std::uint32_t> syllableIndex;
  for (const auto& entry : full) {
    for (const std::string& syllable : *entry.second) syllableIndex.emplace(syllable, 0);
  }
  std::vector<std::string> syllables;
  for (auto& entry : syllableIndex) {
    entry.second = static_cast<std::uint32_t>(syllables.size());
    syllables.push_back(entry.first);
  }
  std::vector<std::uint32_t> lists{0};  // offset 0: the empty list
  std::vector<std::uint32_t> denseOffsets(table::kDenseCount, 0);
  std::vector<std::uint32_t> sparseOffsets;
  for (const auto& entry : full) {
    const std::uint32_t offset = static_cast<std::uint32_t>(lists.size());
    const size_t count = std::min<size_t>(entry.second->size(), 16);
    lists.push_back(static_cast<std::uint32_t>(count));
    size_t taken = 0;
    for (const std::string& syllable : *entry.second) {
      if (taken++ == count) break;
      lists.push_back(syllableIndex[syllable]);
    }
    if (entry.first >= table::kDenseFirst && entry.first <= table::kDenseLast) {
      denseOffsets[entry.first - table::kDenseFirst] = offset;
    } else {
      sparseOffsets.push_back(entry.first);
      sparseOffsets.push_back(offset);
    }
  }
  if (syllables.size() > 0xFFFF || syllables.empty()) {
    std::fprintf(stderr, "lw_pinyin_tablegen: %zu syllables do not fit the readings table\n",
                 syllables.size());
    return 1;
  }
  const bool readingsWritten = writeAtomically(argv[4], [&](std::ostream& out) {
    out << "// Generated by lw_pinyin_tablegen from " << argv[1] << " and " << argv[2]
        << ". Do not edit.\n"
        << "// " << syllables.size() << " toneless syllables, " << full.size()
        << " characters with readings.\n"
        << "#include \"host/text/pinyinreadings_p.h\"\n"
        << "#include \"host/text/pinyintable_p.h\"\n\n"
        << "namespace GU {\nnamespace pinyin_readings {\n\n"
        << "const char kSyllables[][kSyllableSize] = {";
    for (size_t i = 0; i < syllables.size(); ++i)
      out << (i % 10 == 0 ? "\n   " : "") << " \"" << syllables[i] << "\",";
    out << "\n};\nconst int kSyllableCount = " << syllables.size() << ";\n\n";
    writeArray(out, "const std::uint16_t kLists[]", lists, 4);
    out << "const int kListsSize = " << lists.size() << ";\n\n";
    writeArray(out, "const std::uint32_t kDenseOffset[pinyin_table::kDenseCount]", denseOffsets, 5);
    writeArray(out, "const std::uint32_t kSparse[]", sparseOffsets, 6);
    out << "const int kSparseCount = " << sparseOffsets.size() / 2 << ";\n\n"
        << "}  // namespace pinyin_readings\n}  // namespace GU\n";
  });
  return readingsWritten ? 0 : 1;
}
