#include "quicksearch/quicksearchindex.h"

#include "model/tradetypetitle.h"
#include "quicksearch/quicksearchtext.h"
#include "quicksearch/quicksearchtypes.h"

#include "host/core/stockkey.h"

#include <boost/container_hash/hash.hpp>

#include <QHash>

#include <algorithm>
#include <functional>
#include <map>
#include <utility>

namespace LW {

namespace {

constexpr int kClassCount = 6;
constexpr int kMaxTextSize = 0xFFFF;
constexpr int kMaxMarkets = 0xFFFF;
// How many sources between two looks at the cancel flag.
constexpr std::size_t kCancelStride = 4096;

int compareUnits(const ushort* a, int an, const ushort* b, int bn) {
  const int n = std::min(an, bn);
  for (int i = 0; i < n; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return an == bn ? 0 : (an < bn ? -1 : 1);
}

// Compares codes as the classes see them: folded unit by unit.
int compareFolded(const ushort* a, int an, const ushort* b, int bn) {
  const int n = std::min(an, bn);
  for (int i = 0; i < n; ++i) {
    const ushort fa = quicksearch::foldUnit(a[i]);
    const ushort fb = quicksearch::foldUnit(b[i]);
    if (fa != fb) return fa < fb ? -1 : 1;
  }
  return an == bn ? 0 : (an < bn ? -1 : 1);
}

// The best `wanted` of indices by rank (the smallest first).
void keepBest(std::vector<std::uint32_t>& indices, std::size_t wanted) {
  if (indices.size() > wanted) {
    std::nth_element(indices.begin(), indices.begin() + static_cast<std::ptrdiff_t>(wanted),
                     indices.end());
    indices.resize(wanted);
  }
  std::sort(indices.begin(), indices.end());
}

int bitIndex(int tradeType) {
  const unsigned type = static_cast<unsigned>(tradeType);
  if (type == 0 || (type & (type - 1)) != 0) return -1;
  return __builtin_ctz(type);
}

// The UTF-16 units of UTF-8 text, counted without decoding: one per lead
// byte, two for a four-byte sequence; exact for valid text (invalid bytes
// are replaced on decoding and may come out differently), at most
// kMaxTextSize.
std::size_t utf16Estimate(const std::string& text) {
  std::size_t units = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    units += ((byte & 0xC0) != 0x80) + (byte >= 0xF0);
  }
  return std::min<std::size_t>(units, kMaxTextSize);
}

// The first eight folded units of a code, big-endian, 16 bits each, a unit
// past its end as 0. Where two keys differ they order as compareFolded()
// orders the codes; equal keys (codes that differ later, or a NUL unit)
// leave the order to the whole comparison.
struct CodeKey {
  std::uint64_t high;
  std::uint64_t low;
  std::uint32_t record;
};

CodeKey codeKeyOf(const ushort* code, int size) {
  std::uint64_t packed[2] = {0, 0};
  for (int i = 0; i < std::min(size, 8); ++i)
    packed[i / 4] |= std::uint64_t(quicksearch::foldUnit(code[i])) << (48 - 16 * (i % 4));
  return CodeKey{packed[0], packed[1], 0};
}

bool cancelled(const std::atomic<bool>* cancel) {
  return cancel && cancel->load(std::memory_order_relaxed);
}

}  // namespace

std::shared_ptr<const CQuickSearchIndex> CQuickSearchIndex::build(
    const std::vector<Source>& sources, MarketNamer namer, const std::atomic<bool>* cancel) {
  std::shared_ptr<CQuickSearchIndex> index(new CQuickSearchIndex);
  std::vector<Record> records;
  records.reserve(sources.size());
  std::vector<std::uint64_t> signatures;
  signatures.reserve(sources.size());
  std::vector<ushort>& arena = index->m_arena;
  // Room for every text at once: growing or shrinking the arena later
  // would copy it to fresh pages, which costs more than the copy itself.
  std::size_t units = 0;
  for (const Source& source : sources) {
    if (source.instrument)
      units += utf16Estimate(source.instrument->code) + utf16Estimate(source.instrument->name);
  }
  arena.reserve(units);
  std::map<std::pair<std::string, std::string>, std::uint16_t> marketIds;
  const std::pair<const std::pair<std::string, std::string>, std::uint16_t>* lastMarket = nullptr;

  for (std::size_t i = 0; i < sources.size(); ++i) {
    if (i % kCancelStride == 0 && cancelled(cancel)) return nullptr;
    const Source& source = sources[i];
    const int bit = bitIndex(source.tradeType);
    if (!source.instrument || bit < 0) continue;
    const mxservice::CInstrumentDetail& ins = *source.instrument;
    // The exchange name takes part only when the market id alone does not
    // name the market (nqMarketIdToString falls back on it).
    // Instruments of one market come in runs: the map only at a change.
    if (!lastMarket || lastMarket->first.first != ins.marketId ||
        lastMarket->first.second != ins.exchangeName) {
      auto marketKey = std::make_pair(ins.marketId, ins.exchangeName);
      auto found = marketIds.find(marketKey);
      if (found == marketIds.end()) {
        if (index->m_markets.size() >= kMaxMarkets) continue;
        const QString id = QString::fromStdString(ins.marketId);
        found =
            marketIds.emplace(marketKey, static_cast<std::uint16_t>(index->m_markets.size())).first;
        index->m_markets.push_back(Market{id, namer ? namer(ins.marketId, source.instrument) : id});
      }
      lastMarket = &*found;
    }
    const QString code = QString::fromStdString(ins.code).left(kMaxTextSize);
    const QString name = QString::fromStdString(ins.name).left(kMaxTextSize);
    Record r{};
    r.text = static_cast<std::uint32_t>(arena.size());
    r.codeSize = static_cast<std::uint16_t>(code.size());
    r.nameSize = static_cast<std::uint16_t>(name.size());
    r.market = lastMarket->second;
    r.typeBit = static_cast<std::uint8_t>(bit);
    r.digitCode = std::all_of(code.utf16(), code.utf16() + code.size(), [](ushort unit) {
      return static_cast<unsigned>(quicksearch::foldUnit(unit) - u'0') < 10u;
    });
    signatures.push_back(
        quicksearch::signatureOf(code.utf16(), code.size(), name.utf16(), name.size()));
    arena.insert(arena.end(), code.utf16(), code.utf16() + code.size());
    arena.insert(arena.end(), name.utf16(), name.utf16() + name.size());
    records.push_back(r);
  }
  if (cancelled(cancel)) return nullptr;
  if (arena.capacity() - arena.size() > arena.size() / 32) arena.shrink_to_fit();

  // Markets compare by id, then by the exchange name behind it.
  std::vector<std::uint32_t> marketRank(index->m_markets.size());
  {
    std::uint32_t rank = 0;
    for (const auto& entry : marketIds) marketRank[entry.second] = rank++;
  }
  const ushort* text = arena.data();
  auto byCode = [&](std::uint32_t a, std::uint32_t b) {
    const Record& ra = records[a];
    const Record& rb = records[b];
    const int folded = compareFolded(text + ra.text, ra.codeSize, text + rb.text, rb.codeSize);
    if (folded != 0) return folded < 0;
    const int c = compareUnits(text + ra.text, ra.codeSize, text + rb.text, rb.codeSize);
    if (c != 0) return c < 0;
    if (ra.market != rb.market) return marketRank[ra.market] < marketRank[rb.market];
    if (ra.typeBit != rb.typeBit) return ra.typeBit < rb.typeBit;
    return a < b;  // data-set order: the first of a duplicate comes first
  };
  // Most codes differ in their first eight units: those, packed, decide most
  // comparisons of the sort with two integer compares.
  std::vector<CodeKey> keys(records.size());
  for (std::uint32_t i = 0; i < records.size(); ++i) {
    keys[i] = codeKeyOf(text + records[i].text, records[i].codeSize);
    keys[i].record = i;
  }
  std::sort(keys.begin(), keys.end(), [&](const CodeKey& a, const CodeKey& b) {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    return byCode(a.record, b.record);
  });
  std::vector<std::uint32_t> order(records.size());
  for (std::size_t k = 0; k < keys.size(); ++k) order[k] = keys[k].record;
  keys = std::vector<CodeKey>();
  if (cancelled(cancel)) return nullptr;

  // Duplicates (same code, market and type) are adjacent now; keep the first.
  std::vector<char> keep(records.size(), 1);
  for (std::size_t i = 1; i < order.size(); ++i) {
    const Record& a = records[order[i - 1]];
    const Record& b = records[order[i]];
    if (a.market == b.market && a.typeBit == b.typeBit &&
        compareUnits(text + a.text, a.codeSize, text + b.text, b.codeSize) == 0)
      keep[order[i]] = 0;
  }

  // The within-class order, packed: name length, the trading type's place,
  // then the place in the code order (which stands for the whole code
  // tie-break), so one integer sort does it.
  int typeOrder[32];
  for (int bit = 0; bit < 32; ++bit) typeOrder[bit] = quicksearch::tradeTypeOrder(1 << bit);
  std::vector<std::uint64_t> rankKeys;
  rankKeys.reserve(records.size());
  for (std::uint32_t k = 0; k < order.size(); ++k) {
    const std::uint32_t i = order[k];
    if (!keep[i]) continue;
    rankKeys.push_back(std::uint64_t(records[i].nameSize) << 38 |
                       std::uint64_t(typeOrder[records[i].typeBit]) << 32 | k);
  }
  std::sort(rankKeys.begin(), rankKeys.end());
  std::vector<std::uint32_t> ranked(rankKeys.size());
  for (std::size_t k = 0; k < rankKeys.size(); ++k)
    ranked[k] = order[static_cast<std::uint32_t>(rankKeys[k])];
  rankKeys = std::vector<std::uint64_t>();
  if (cancelled(cancel)) return nullptr;

  std::vector<std::uint32_t> position(records.size(), 0);
  index->m_records.reserve(ranked.size());
  index->m_signatures.reserve(ranked.size());
  for (std::uint32_t i = 0; i < ranked.size(); ++i) {
    position[ranked[i]] = i;
    index->m_records.push_back(records[ranked[i]]);
    index->m_signatures.push_back(signatures[ranked[i]]);
  }
  index->m_byCode.reserve(ranked.size());
  for (std::uint32_t i : order) {
    if (keep[i]) index->m_byCode.push_back(position[i]);
  }
  return index;
}

std::uint64_t CQuickSearchIndex::digest(const std::vector<Source>& sources, MarketNamer namer) {
  std::size_t digest = sources.size();
  const std::hash<std::string> hashText;
  const mxservice::CInstrumentDetail* lastMarket = nullptr;
  for (const Source& source : sources) {
    boost::hash_combine(digest, source.tradeType);
    if (!source.instrument) {
      boost::hash_combine(digest, 0);
      continue;
    }
    const mxservice::CInstrumentDetail& ins = *source.instrument;
    boost::hash_combine(digest, hashText(ins.marketId));
    boost::hash_combine(digest, hashText(ins.exchangeName));
    boost::hash_combine(digest, hashText(ins.code));
    boost::hash_combine(digest, hashText(ins.name));
    // The market's display name, as build() asks for it: once per run of
    // one market.
    if (!lastMarket || lastMarket->marketId != ins.marketId ||
        lastMarket->exchangeName != ins.exchangeName) {
      if (namer) boost::hash_combine(digest, qHash(namer(ins.marketId, source.instrument)));
      lastMarket = &ins;
    }
  }
  return digest;
}

std::vector<CQuickSearchMatch> CQuickSearchIndex::search(const QString& text, int limit) const {
  std::vector<CQuickSearchMatch> rows;
  if (text.isEmpty() || limit <= 0) return rows;
  const quicksearch::CQuery query = quicksearch::makeQuery(text);
  const std::size_t wanted =
      std::min<std::size_t>(static_cast<std::size_t>(limit), m_records.size());
  std::vector<std::uint32_t> found[kClassCount];
  std::size_t counts[kClassCount] = {};
  int maxClass = kClassCount - 1;
  // Records come in within-class order: once classes 0..maxClass hold
  // `wanted` matches, a later record of maxClass or above cannot beat any.
  auto lowerCutoff = [&] {
    std::size_t total = 0;
    for (int k = 0; k <= maxClass; ++k) total += counts[k];
    while (maxClass >= 0 && total >= wanted) {
      total -= counts[maxClass];
      --maxClass;
    }
  };

  // The code classes from the permutation by folded code: the codes that
  // start with the text are one range, the equal ones at its front.
  const ushort* q = query.units();
  const int qn = query.folded.size();
  auto codeBelow = [&](std::uint32_t i, int) {
    const Record& r = m_records[i];
    return compareFolded(codeOf(r), std::min<int>(r.codeSize, qn), q, qn) < 0;
  };
  auto prefixEnd = [&](int, std::uint32_t i) {
    const Record& r = m_records[i];
    return compareFolded(codeOf(r), std::min<int>(r.codeSize, qn), q, qn) > 0;
  };
  const auto first = std::lower_bound(m_byCode.begin(), m_byCode.end(), 0, codeBelow);
  const auto last = std::upper_bound(first, m_byCode.end(), 0, prefixEnd);
  auto exactEnd = first;
  while (exactEnd != last && m_records[*exactEnd].codeSize == qn) ++exactEnd;
  found[0].assign(first, exactEnd);
  found[1].assign(exactEnd, last);
  keepBest(found[0], wanted);
  keepBest(found[1], wanted);
  counts[0] = found[0].size();
  counts[1] = found[1].size();
  lowerCutoff();

  // The other classes by a walk over the records. A code that starts with
  // the text is in classes 0-1 already; rankClassOf() answers those first.
  const Record* records = m_records.data();
  const std::uint64_t* signatures = m_signatures.data();
  const std::size_t size = m_records.size();
  // Without the text's signature only the spelt pinyin can match (see
  // rankClassOf), and only a name whose first character stands for the
  // text's first letter: most records end here, without a call. The test
  // runs without branches over a block of signatures, gathering the records
  // that pass, as which ones pass is too random for branch prediction.
  const std::uint64_t spelt = query.bitParallel ? query.firstBit : query.signature;
  constexpr std::size_t kBlock = 512;
  std::uint32_t passed[kBlock];
  for (std::size_t base = 0; base < size && maxClass >= 2; base += kBlock) {
    // maxClass only falls during a block, which the class test itself heeds.
    const std::uint64_t needed = query.latin && maxClass >= 4 ? spelt : query.signature;
    const std::size_t end = std::min(size, base + kBlock);
    std::size_t count = 0;
    for (std::size_t i = base; i < end; ++i) {
      passed[count] = static_cast<std::uint32_t>(i);
      count += (needed & ~signatures[i]) == 0;
    }
    for (std::size_t k = 0; k < count && maxClass >= 2; ++k) {
      const std::uint32_t i = passed[k];
      const Record& r = records[i];
      // A code of digits only matches no text with another character in
      // any class: the class test sees it as empty and reads only the name.
      const int codeSize = r.digitCode && !query.digits ? 0 : r.codeSize;
      const int c = quicksearch::rankClassOf(query, codeOf(r), codeSize, nameOf(r), r.nameSize,
                                             signatures[i], maxClass);
      if (c < 2) continue;
      found[c].push_back(i);
      ++counts[c];
      lowerCutoff();
    }
  }
  rows.reserve(wanted);
  for (int c = 0; c < kClassCount && rows.size() < wanted; ++c) {
    for (std::uint32_t i : found[c]) {
      if (rows.size() == wanted) break;
      rows.push_back(makeMatch(m_records[i], c));
    }
  }
  return rows;
}

bool CQuickSearchIndex::lookup(const QString& key, int tradeType, CQuickSearchMatch* match) const {
  const int bit = bitIndex(tradeType);
  const int dot = key.lastIndexOf(QLatin1Char('.'));
  if (bit < 0 || dot < 0) return false;
  const ushort* code = key.utf16();
  const int codeSize = dot;
  const QStringRef market = key.midRef(dot + 1);
  auto first =
      std::lower_bound(m_byCode.begin(), m_byCode.end(), 0u, [&](std::uint32_t i, std::uint32_t) {
        const Record& r = m_records[i];
        return compareFolded(codeOf(r), r.codeSize, code, codeSize) < 0;
      });
  for (auto it = first; it != m_byCode.end(); ++it) {
    const Record& r = m_records[*it];
    if (compareFolded(codeOf(r), r.codeSize, code, codeSize) != 0) break;
    if (r.typeBit == bit && m_markets[r.market].id == market &&
        compareUnits(codeOf(r), r.codeSize, code, codeSize) == 0) {
      if (match) *match = makeMatch(r, 0);
      return true;
    }
  }
  return false;
}

CQuickSearchMatch CQuickSearchIndex::makeMatch(const Record& r, int rankClass) const {
  CQuickSearchMatch m;
  m.code = QString(reinterpret_cast<const QChar*>(codeOf(r)), r.codeSize);
  m.name = QString(reinterpret_cast<const QChar*>(nameOf(r)), r.nameSize);
  const Market& market = m_markets[r.market];
  m.key = GU::nqStockKey(market.id, m.code);
  m.marketName = market.name;
  m.tradeType = 1 << r.typeBit;
  m.listTitle = tradeTypeListTitle(m.tradeType);
  m.rankClass = rankClass;
  return m;
}

std::size_t CQuickSearchIndex::memoryBytes() const {
  std::size_t bytes =
      sizeof(*this) + m_records.capacity() * sizeof(Record) +
      m_signatures.capacity() * sizeof(std::uint64_t) + m_arena.capacity() * sizeof(ushort) +
      m_byCode.capacity() * sizeof(std::uint32_t) + m_markets.capacity() * sizeof(Market);
  for (const Market& m : m_markets)
    bytes += static_cast<std::size_t>(m.id.capacity() + m.name.capacity()) * sizeof(QChar);
  return bytes;
}

}  // namespace LW
