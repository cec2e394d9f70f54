// The quick search index on arbitrary texts and instrument sets that change
// between searches.
//
// The input is a list of operations (FuzzedDataProvider): add an instrument
// (code and name from the input, or a name of Han characters from a small
// list of polyphones and common name characters), remove one, rename one,
// or search with a text (UTF-8, or raw UTF-16 with lone surrogates, or one
// piece repeated up to 10,000 characters) and a limit. The index is rebuilt
// from the current instruments before a search that follows a change.
//
// Every search is checked against a reference written from the documented
// rules, deliberately naive: every instrument's class worked out from its
// texts (the spelt pinyin by plain recursion over the readings), the matches
// sorted by the documented order, the first `limit` taken. Checked: the
// result equals the reference row for row; it holds at most `limit` rows
// and no row twice; every adjacent pair is in strictly ascending order by an
// independent comparator; every row's class is the one re-derived from its
// texts.

#include "fuzzsupport.h"

#include "quicksearch/quicksearchindex.h"

#include "host/text/pinyinmatch.h"
#include "host/text/pinyinreadings.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QString>
#include <algorithm>
#include <boost/make_shared.hpp>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using LW::CQuickSearchIndex;
using LW::CQuickSearchMatch;

constexpr std::size_t kMaxInstruments = 48;
constexpr int kMaxOperations = 40;
constexpr int kMaxTextUnits = 10000;

const char* const kMarkets[] = {"SH", "SZ", "SHFE", "HK", "IB", ""};
const int kTypes[] = {0x1, 0x2, 0x20, 0x80, 0x200, 0x4000, 0x8000, 0x100000, 0x8000000, 0x3, 0};
// Polyphones (行, 长, 重, 乐, 银), common name characters, a compatibility
// ideograph, a supplementary ideograph and an emoji.
const char* const kPieces[] = {"平", "安", "银", "行",           "长", "江", "电", "力", "重", "庆",
                               "中", "国", "乐", "绿",           "地", "沪", "深", "ST", "A",  "3",
                               "Ａ", "（", "·",  "\xef\xa4\x80", "𠀀", "😀",  "-",  " "};

struct Instrument {
  std::string market;
  std::string code;
  std::string name;
  int tradeType;
};

QString marketName(const std::string& market, const mxservice::CInstrumentDetailPtr&) {
  return QString::fromStdString(market);
}

// --- the reference rules, written apart from the index -------------------

ushort fold(ushort c) {
  if (c >= 'A' && c <= 'Z') return static_cast<ushort>(c - 'A' + 'a');
  if (c < 0x80) return c;
  if (c >= 0xFF21 && c <= 0xFF3A) return static_cast<ushort>(c - 0xFF21 + 'a');
  if (c >= 0xFF41 && c <= 0xFF5A) return static_cast<ushort>(c - 0xFF41 + 'a');
  if (c >= 0xFF10 && c <= 0xFF19) return static_cast<ushort>(c - 0xFF10 + '0');
  if (c >= 0xD800 && c <= 0xDFFF) return c;
  return QChar(c).toCaseFolded().unicode();
}

QString folded(const QString& s) {
  QString out = s;
  for (int i = 0; i < out.size(); ++i) out[i] = QChar(fold(out[i].unicode()));
  return out;
}

bool isLatinUnit(ushort c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

std::vector<uint> codePointsOf(const QString& s) {
  std::vector<uint> out;
  for (int i = 0; i < s.size(); ++i) {
    const ushort c = s[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < s.size() &&
        QChar::isLowSurrogate(s[i + 1].unicode())) {
      out.push_back(QChar::surrogateToUcs4(c, s[i + 1].unicode()));
      ++i;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

// The ASCII letter or digit a name character stands for, 0 for none.
ushort latinOfChar(uint c) {
  if (c > 0xFFFF) return 0;
  const ushort f = fold(static_cast<ushort>(c));
  return isLatinUnit(f) ? f : 0;
}

bool spells(const std::vector<uint>& name, std::size_t at, const QString& text, int pos,
            std::set<std::pair<std::size_t, int>>& failed) {
  if (pos == text.size()) return true;
  if (at == name.size() || failed.count({at, pos})) return false;
  const uint c = name[at];
  bool ok = false;
  if (const ushort latin = latinOfChar(c)) {
    ok = text[pos].unicode() == latin && spells(name, at + 1, text, pos + 1, failed);
  } else {
    const char* readings[GU::kMaxPinyinReadings];
    const int count = GU::pinyinReadings(c, readings);
    for (int r = 0; r < count && !ok; ++r) {
      const QString reading = QString::fromLatin1(readings[r]);
      const QString rest = text.mid(pos);
      if (rest.startsWith(reading)) {
        ok = spells(name, at + 1, text, pos + reading.size(), failed);
      } else if (reading.startsWith(rest)) {
        ok = true;
      }
    }
  }
  if (!ok) failed.insert({at, pos});
  return ok;
}

int referenceClass(const QString& code, const QString& name, const QString& text) {
  const QString t = folded(text);
  const QString c = folded(code);
  bool latin = !t.isEmpty();
  for (QChar ch : t) latin = latin && isLatinUnit(ch.unicode());
  if (c == t) return 0;
  if (c.startsWith(t)) return 1;
  const std::vector<uint> chars = codePointsOf(name);
  if (latin && static_cast<int>(chars.size()) >= t.size()) {
    bool all = true;
    for (int k = 0; k < t.size() && all; ++k) {
      const ushort want = t[k].unicode();
      if (const ushort latinChar = latinOfChar(chars[k])) {
        all = latinChar == want;
      } else {
        all = want >= 'a' && (GU::pinyinInitials(chars[k]) >> (want - 'a') & 1);
      }
    }
    if (all) return 2;
  }
  if (!latin && folded(name).startsWith(t)) return 3;
  if (latin && t.size() <= 63) {
    std::set<std::pair<std::size_t, int>> failed;
    if (spells(chars, 0, t, 0, failed)) return 4;
  }
  if (GU::isInByPy(code, t) || GU::isInByPy(name, t)) return 5;
  return -1;
}

int typeOrder(int type) {
  // The all-markets list's types by bit, then the others by bit.
  const unsigned mixed = 0xC5DFF;
  int order = 0;
  for (int pass = 0; pass < 2; ++pass) {
    for (int bit = 0; bit < 32; ++bit) {
      const unsigned t = 1u << bit;
      if (((mixed & t) != 0) != (pass == 0)) continue;
      if (static_cast<unsigned>(type) == t) return order;
      ++order;
    }
  }
  return 63;
}

struct Row {
  int rankClass;
  QString name;
  int typeOrder;
  QString foldedCode;
  QString code;
  QString market;
  int tradeType;
};

bool before(const Row& a, const Row& b) {
  return std::make_tuple(a.rankClass, a.name.size(), a.typeOrder, a.foldedCode, a.code, a.market,
                         a.tradeType) < std::make_tuple(b.rankClass, b.name.size(), b.typeOrder,
                                                        b.foldedCode, b.code, b.market,
                                                        b.tradeType);
}

std::vector<Row> referenceSearch(const std::vector<Instrument>& instruments, const QString& text,
                                 int limit) {
  std::vector<Row> rows;
  if (text.isEmpty() || limit <= 0) return rows;
  std::set<std::tuple<std::string, std::string, int>> seen;
  for (const Instrument& ins : instruments) {
    const unsigned t = static_cast<unsigned>(ins.tradeType);
    if (t == 0 || (t & (t - 1)) != 0) continue;
    if (!seen.insert(std::make_tuple(ins.code, ins.market, ins.tradeType)).second) continue;
    const QString code = QString::fromStdString(ins.code);
    const QString name = QString::fromStdString(ins.name);
    const int c = referenceClass(code, name, text);
    if (c < 0) continue;
    rows.push_back(Row{c, name, typeOrder(ins.tradeType), folded(code), code,
                       QString::fromStdString(ins.market), ins.tradeType});
  }
  std::sort(rows.begin(), rows.end(), before);
  if (static_cast<int>(rows.size()) > limit) rows.resize(static_cast<std::size_t>(limit));
  return rows;
}

QString describe(const CQuickSearchMatch& m) {
  return QStringLiteral("%1/%2/%3/%4").arg(m.key, m.name).arg(m.tradeType).arg(m.rankClass);
}

// --- input ----------------------------------------------------------------

std::string pieceName(FuzzedDataProvider& in) {
  std::string name;
  const int count = in.ConsumeIntegralInRange(0, 8);
  for (int i = 0; i < count; ++i) name += kPieces[in.ConsumeIntegralInRange<std::size_t>(0, 27)];
  return name;
}

QString searchText(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: {
      const std::string bytes = in.ConsumeRandomLengthString(64);
      QString text(static_cast<int>(bytes.size() / 2), Qt::Uninitialized);
      for (int i = 0; i < text.size(); ++i)
        text[i] = QChar(static_cast<ushort>(static_cast<unsigned char>(bytes[2 * i]) |
                                            static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
      return text;
    }
    case 1: {
      const QString piece = QString::fromUtf8(in.ConsumeRandomLengthString(8).c_str());
      if (piece.isEmpty()) return piece;
      QString text;
      while (text.size() < kMaxTextUnits) text += piece;
      return text.left(in.ConsumeIntegralInRange(0, kMaxTextUnits));
    }
    case 2:
      return QString::fromStdString(pieceName(in));
    default:
      return QString::fromUtf8(in.ConsumeRandomLengthString(64).c_str());
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  lwfuzz::ensureApplication();
  lwfuzz::quietHostLog();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  std::vector<Instrument> instruments = {
      {"SZ", "000001", "平安银行", 0x1},  {"SH", "600900", "长江电力", 0x1},
      {"SH", "600132", "重庆啤酒", 0x1},  {"IB", "000001", "平安债", 0x8000},
      {"SH", "601318", "中国平安", 0x80}, {"SHFE", "pb2406", "沪铅2406", 0x2},
  };
  std::shared_ptr<const CQuickSearchIndex> index;
  for (int op = 0; op < kMaxOperations && in.remaining_bytes() > 0; ++op) {
    switch (in.ConsumeIntegralInRange(0, 4)) {
      case 0:
      case 1:
        if (instruments.size() < kMaxInstruments) {
          Instrument ins;
          ins.market = kMarkets[in.ConsumeIntegralInRange<std::size_t>(0, 5)];
          ins.tradeType = kTypes[in.ConsumeIntegralInRange<std::size_t>(0, 10)];
          ins.code = in.ConsumeRandomLengthString(10);
          ins.name = in.ConsumeBool() ? pieceName(in) : in.ConsumeRandomLengthString(24);
          instruments.push_back(ins);
          index.reset();
        }
        break;
      case 2:
        if (!instruments.empty()) {
          instruments.erase(instruments.begin() +
                            static_cast<std::ptrdiff_t>(
                                in.ConsumeIntegralInRange<std::size_t>(0, instruments.size() - 1)));
          index.reset();
        }
        break;
      case 3:
        if (!instruments.empty()) {
          instruments[in.ConsumeIntegralInRange<std::size_t>(0, instruments.size() - 1)].name =
              pieceName(in);
          index.reset();
        }
        break;
      default: {
        const QString text = searchText(in);
        const int limit = in.ConsumeIntegralInRange(-1, 40);
        if (!index) {
          std::vector<CQuickSearchIndex::Source> sources;
          for (const Instrument& ins : instruments) {
            auto detail = boost::make_shared<mxservice::CInstrumentDetail>();
            detail->marketId = ins.market;
            detail->code = ins.code;
            detail->name = ins.name;
            detail->tradeType = ins.tradeType;
            sources.push_back(CQuickSearchIndex::Source{detail, ins.tradeType});
          }
          index = CQuickSearchIndex::build(sources, &marketName);
          LW_FUZZ_CHECK(index != nullptr, "no index");
        }
        const std::vector<CQuickSearchMatch> got = index->search(text, limit);
        const std::vector<Row> want = referenceSearch(instruments, text, limit);
        LW_FUZZ_CHECK(static_cast<int>(got.size()) <= std::max(limit, 0),
                      "more rows than the limit");
        std::set<std::pair<QString, int>> keys;
        for (std::size_t i = 0; i < got.size(); ++i) {
          const CQuickSearchMatch& m = got[i];
          LW_FUZZ_CHECK(keys.insert({m.key, m.tradeType}).second,
                        "row twice: " + describe(m).toStdString());
          const int derived = referenceClass(m.code, m.name, text);
          LW_FUZZ_CHECK(derived == m.rankClass,
                        "class " + std::to_string(m.rankClass) + " but the texts say " +
                            std::to_string(derived) + ": " + describe(m).toStdString());
          const QString market = m.key.mid(m.code.size() + 1);
          const Row row{m.rankClass, m.name,     typeOrder(m.tradeType), folded(m.code), m.code,
                        market,      m.tradeType};
          if (i > 0) {
            const CQuickSearchMatch& p = got[i - 1];
            const Row prev{p.rankClass,    p.name, typeOrder(p.tradeType),
                           folded(p.code), p.code, p.key.mid(p.code.size() + 1),
                           p.tradeType};
            LW_FUZZ_CHECK(before(prev, row), "out of order: " + describe(p).toStdString() +
                                                 " before " + describe(m).toStdString());
          }
          LW_FUZZ_CHECK(i < want.size() && want[i].code == m.code && want[i].market == market &&
                            want[i].tradeType == m.tradeType && want[i].name == m.name,
                        "row " + std::to_string(i) +
                            " differs from the reference: " + describe(m).toStdString());
        }
        LW_FUZZ_CHECK(got.size() == want.size(), "reference has " + std::to_string(want.size()) +
                                                     " rows, search " + std::to_string(got.size()));
        break;
      }
    }
  }
  return 0;
}
