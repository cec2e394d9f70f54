#pragma once
// The immutable index the quick search searches: every instrument of every
// trading type once, packed for a scan per keystroke. Internal to the quick
// search.
//
// Layout (50-60 bytes per instrument on generated mixed sets, see
// memoryBytes()): the codes and names as UTF-16 in one text arena; per
// instrument a 12-byte record (offset into the arena, the two lengths, the
// market, the trading type and whether the code is digits only) and an
// 8-byte signature (quicksearchtext.h), both stored in the within-class
// order of CQuickSearchEngine (shorter name, trading type order, code,
// market, type), so that the first matches a walk meets in a class are that
// class's best; and a permutation of the records sorted by folded code (4
// bytes). The arena stays in the data set's order: copying it into the
// records' order saved little per search and cost a sixth of the build.
//
// A search takes the exact-code and code-prefix classes from the permutation
// (one binary-searched range; the best `limit` of each by their place in the
// record order), then walks the records for the other classes. Per class it
// keeps the first `limit` matches it meets; once the classes up to some
// class c hold `limit` matches, no later record of class c or above can
// enter the result, so the walk stops testing those classes, and stops
// altogether once classes 0-1 are enough. The signature test runs over
// blocks of records without branches, so only the records it passes cost a
// class test; a Latin text needs only its first letter there while the
// spelt pinyin can still enter. Rows (QStrings) are made only for the
// matches returned.
//
// Threads: build() on any thread; an index is immutable once built, so any
// number of threads may search it at once.

#include "quicksearch/quicksearchmatch.h"

#include "host/data/instrumentdetail.h"

#include <QString>
#include <QVector>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace LW {

class CQuickSearchIndex {
public:
  // One instrument as listed under one trading type (one bit).
  struct Source {
    mxservice::CInstrumentDetailPtr instrument;  // shared with the data centre
    int tradeType = 0;
  };
  // The market names of the index: turns a market id (and the record, for its
  // own exchange name) into the display text. Called once per distinct
  // market and exchange name, on the building thread.
  using MarketNamer = QString (*)(const std::string& market,
                                  const mxservice::CInstrumentDetailPtr& instrument);

  // Builds the index of sources. Null instruments and trading types other
  // than one bit are skipped; an instrument listed twice under the same type
  // (same market and code) counts once, the first. Codes and names longer
  // than 65,535 UTF-16 units are cut there. Returns null when cancel becomes
  // true during the build (checked every few thousand instruments).
  static std::shared_ptr<const CQuickSearchIndex> build(const std::vector<Source>& sources,
                                                        MarketNamer namer,
                                                        const std::atomic<bool>* cancel = nullptr);

  // A 64-bit digest of everything build() reads from sources, in their
  // order: the trading type, market id, exchange name, code and name of
  // each, and the namer's text for each market. Equal digests mean build()
  // would make the same index (but for a hash collision, about 2^-64 for
  // data that changed). Far cheaper than a build: a host that announces
  // its list again unchanged need not rebuild.
  static std::uint64_t digest(const std::vector<Source>& sources, MarketNamer namer);

  CQuickSearchIndex(const CQuickSearchIndex&) = delete;
  CQuickSearchIndex& operator=(const CQuickSearchIndex&) = delete;

  // The best `limit` matches of text in rank order (see CQuickSearchEngine);
  // empty for an empty text or limit <= 0.
  std::vector<CQuickSearchMatch> search(const QString& text, int limit) const;
  // The instrument of key ("600000.SH") under tradeType, as a row of class
  // 0; false when the index has none.
  bool lookup(const QString& key, int tradeType, CQuickSearchMatch* match) const;

  int size() const { return static_cast<int>(m_records.size()); }
  // The bytes the index holds (records, arena, permutation, markets).
  std::size_t memoryBytes() const;

private:
  struct Record {
    std::uint32_t text;  // arena offset: the code, then the name
    std::uint16_t codeSize;
    std::uint16_t nameSize;
    std::uint16_t market;  // index into m_markets
    std::uint8_t typeBit;  // the trading type is 1 << typeBit
    // The code folds to ASCII digits only: no text with anything else can
    // equal, start or be found in it, so a search skips it for those.
    bool digitCode;
  };
  static_assert(sizeof(Record) == 12, "one packed record per instrument");
  struct Market {
    QString id;
    QString name;
  };

  CQuickSearchIndex() = default;
  const ushort* codeOf(const Record& r) const { return m_arena.data() + r.text; }
  const ushort* nameOf(const Record& r) const { return m_arena.data() + r.text + r.codeSize; }
  CQuickSearchMatch makeMatch(const Record& r, int rankClass) const;

  std::vector<Record> m_records;  // in within-class order
  // The signature of each record's code and name (quicksearchtext.h), in
  // m_records' order; apart from the records, so the walk reads a dense
  // array and skips most records after one load.
  std::vector<std::uint64_t> m_signatures;
  std::vector<ushort> m_arena;          // codes and names
  std::vector<std::uint32_t> m_byCode;  // record indices by folded code, code, market, type
  std::vector<Market> m_markets;
};

}  // namespace LW
