#pragma once
// What the instrument filter and the row constructor need from each
// instrument, computed once per instrument list instead of once per
// keystroke: the upper-cased code, name, product code and market code, the
// name for the pinyin matcher with its initials signature, the price decimals
// and the tag.
//
// The cache holds the list it was built from (shared references to the host
// records) and is rebuilt only when the host hands out a different list: the
// host replaces a changed instrument by a new record, so the same pointers in
// the same order mean the same texts. Holding the references (rather than
// comparing raw addresses) rules out a freed record's address coming back for
// a new one.
//
// Threads: not synchronised. The instrument model owns one and touches it only
// from its serial worker. Safe to destroy when no job of the model runs.

#include "host/data/instrumentdetail.h"
#include "model/instrumenttag.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace LW {

class CInstrumentSearchCache {
public:
  using RecordList = std::vector<mxservice::CInstrumentDetailPtr>;
  using RecordListPtr = std::shared_ptr<const RecordList>;

  // Makes the cache describe records. Returns true when it had to rebuild.
  // Null records are kept (they never match).
  bool sync(RecordList records);
  // The same for a list the host shares: the very list the cache holds
  // costs nothing (no record is touched), another one is compared record by
  // record as above. A null list is an empty one.
  bool syncShared(RecordListPtr records);

  std::size_t size() const { return m_records->size(); }
  const mxservice::CInstrumentDetailPtr& record(std::size_t i) const { return (*m_records)[i]; }
  int priceDecimals(std::size_t i) const { return m_decimals[i]; }
  EInstrumentTag tag(std::size_t i) const { return static_cast<EInstrumentTag>(m_tags[i]); }

  // Replaces *selected with the positions, ascending, of the non-null
  // records that the filter text selects: the upper-cased code, name, product
  // code or market code contains filter (case-sensitive, so a filter with
  // lower-case letters can only match through pinyin), or else GU::isInByPy
  // matches the name. An empty filter selects every non-null record.
  void match(const QString& filter, std::vector<std::uint32_t>* selected) const;

  // Bytes held beyond the host records (for the memory report).
  std::size_t memoryBytes() const;

  // Drops everything (and the references to the host records).
  void clear();

private:
  // Appends, ascending, the positions whose texts contain filter.
  void matchText(const QString& filter, std::vector<std::uint32_t>* hits) const;
  void matchTextSlow(const QString& filter, std::vector<std::uint32_t>* hits) const;
  QString nameOf(std::size_t i) const;

  RecordListPtr m_records = std::make_shared<const RecordList>();
  // The four upper-cased fields of every record, UTF-8, each followed by the
  // byte 0xFF, which valid UTF-8 never contains, so a match of a valid
  // filter can neither straddle two fields nor two records.
  std::string m_text;
  std::vector<std::uint32_t> m_textStart;  // size()+1 offsets into m_text
  // The names as the pinyin matcher sees them, UTF-16, back to back.
  std::u16string m_names;
  std::vector<std::uint32_t> m_nameStart;  // size()+1 offsets into m_names
  // pinyinTextSignature of each name; 0 for a null record, whose empty name
  // the pinyin matcher never matches with a non-empty filter.
  std::vector<quint64> m_signatures;
  std::vector<std::int8_t> m_decimals;
  std::vector<std::uint8_t> m_tags;
};

}  // namespace LW
