#include "model/instrumentsearchcache.h"

#include "host/core/stockkey.h"
#include "host/text/pinyinmatch.h"
#include "model/lwlog.h"
#include "model/pinyinsignature.h"
#include "model/pricedecimals.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace LW {

namespace {

constexpr char kFieldEnd = '\xFF';

bool isAscii(const std::string& s) {
  for (unsigned char c : s) {
    if (c >= 0x80) return false;
  }
  return true;
}

// Appends text upper-cased as QString::toUpper would, as UTF-8. Codes and
// market ids are ASCII, so they skip the UTF-16 round trip; names are not.
void appendUpper(std::string& out, const std::string& text) {
  if (isAscii(text)) {
    const std::size_t at = out.size();
    out += text;
    for (std::size_t i = at; i < out.size(); ++i) {
      if (out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
    }
  } else {
    const QByteArray upper = GU::sToQs(text).toUpper().toUtf8();
    out.append(upper.constData(), static_cast<std::size_t>(upper.size()));
  }
  out.push_back(kFieldEnd);
}

}  // namespace

bool CInstrumentSearchCache::sync(RecordList records) {
  return syncShared(std::make_shared<const RecordList>(std::move(records)));
}

bool CInstrumentSearchCache::syncShared(RecordListPtr records) {
  if (!records) records = std::make_shared<const RecordList>();
  if (records == m_records) return false;
  if (records->size() == m_records->size() &&
      std::equal(records->begin(), records->end(), m_records->begin(),
                 [](const mxservice::CInstrumentDetailPtr& a,
                    const mxservice::CInstrumentDetailPtr& b) { return a.get() == b.get(); })) {
    // The same records in another list: hold the new list, so that the
    // next query answered with it is recognised at once.
    m_records = std::move(records);
    return false;
  }

  clear();
  m_records = std::move(records);
  const std::size_t n = m_records->size();
  m_textStart.reserve(n + 1);
  m_nameStart.reserve(n + 1);
  m_signatures.reserve(n);
  m_decimals.reserve(n);
  m_tags.reserve(n);
  m_text.reserve(n * 32);
  m_names.reserve(n * 6);

  constexpr std::size_t kOffsetLimit = std::numeric_limits<std::uint32_t>::max();
  bool overflowLogged = false;
  m_textStart.push_back(0);
  m_nameStart.push_back(0);
  for (std::size_t i = 0; i < n; ++i) {
    const mxservice::CInstrumentDetail* record = (*m_records)[i].get();
    quint64 signature = 0;
    if (record) {
      const std::size_t textAt = m_text.size();
      const std::size_t nameAt = m_names.size();
      appendUpper(m_text, record->code);
      appendUpper(m_text, record->name);
      appendUpper(m_text, record->productCode);
      appendUpper(m_text, record->marketId);
      const QString name = GU::sToQs(record->name);
      m_names.append(reinterpret_cast<const char16_t*>(name.utf16()),
                     static_cast<std::size_t>(name.size()));
      signature = pinyinTextSignature(name);
      if (m_text.size() > kOffsetLimit || m_names.size() > kOffsetLimit) {
        // Gigabytes of instrument texts mean a broken feed; the records past
        // this point stay listed but are only found by an empty filter.
        m_text.resize(textAt);
        m_names.resize(nameAt);
        signature = 0;
        if (!overflowLogged) {
          overflowLogged = true;
          LW_LOG_WARN(this, "LW::CInstrumentSearchCache::sync",
                      "instrument texts too large to index from record %1%", i);
        }
      }
    }
    m_textStart.push_back(static_cast<std::uint32_t>(m_text.size()));
    m_nameStart.push_back(static_cast<std::uint32_t>(m_names.size()));
    m_signatures.push_back(signature);
    m_decimals.push_back(
        static_cast<std::int8_t>(record ? computePriceDecimals(record->priceTick) : 2));
    m_tags.push_back(static_cast<std::uint8_t>(classifyInstrumentTag((*m_records)[i])));
  }
  return true;
}

void CInstrumentSearchCache::clear() {
  m_records = std::make_shared<const RecordList>();
  m_text.clear();
  m_textStart.clear();
  m_names.clear();
  m_nameStart.clear();
  m_signatures.clear();
  m_decimals.clear();
  m_tags.clear();
}

QString CInstrumentSearchCache::nameOf(std::size_t i) const {
  const std::uint32_t at = m_nameStart[i];
  return QString::fromRawData(reinterpret_cast<const QChar*>(m_names.data() + at),
                              static_cast<int>(m_nameStart[i + 1] - at));
}

void CInstrumentSearchCache::match(const QString& filter,
                                   std::vector<std::uint32_t>* selected) const {
  selected->clear();
  const RecordList& records = *m_records;
  const std::size_t n = records.size();
  if (filter.isEmpty()) {
    selected->reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
      if (records[i]) selected->push_back(static_cast<std::uint32_t>(i));
    }
    return;
  }

  // UTF-16 containment and UTF-8 containment agree for valid text, so the
  // scan runs over bytes. A filter with a lone surrogate can match half of a
  // surrogate pair in UTF-16, which UTF-8 cannot express.
  std::vector<std::uint32_t> textHits;
  if (filter.isValidUtf16()) {
    matchText(filter, &textHits);
  } else {
    matchTextSlow(filter, &textHits);
  }

  // Every record that the texts did not select gets the pinyin test; the
  // signatures keep the full matcher off nearly all of them. Null records
  // have an empty name, which a non-empty filter never matches.
  const quint64 requirement = pinyinFilterRequirement(filter);
  auto nextHit = textHits.cbegin();
  for (std::size_t i = 0; i < n; ++i) {
    if (nextHit != textHits.cend() && *nextHit == i) {
      selected->push_back(static_cast<std::uint32_t>(i));
      ++nextHit;
      continue;
    }
    if (!mayMatchByPinyin(m_signatures[i], requirement)) continue;
    if (GU::isInByPy(nameOf(i), filter)) selected->push_back(static_cast<std::uint32_t>(i));
  }
}

void CInstrumentSearchCache::matchText(const QString& filter,
                                       std::vector<std::uint32_t>* hits) const {
  const QByteArray needle = filter.toUtf8();
  const char* base = m_text.data();
  const std::size_t end = m_text.size();
  std::size_t from = 0;
  // One pass over all texts; after a hit the scan resumes at the next
  // record, so a record is looked up once however often it contains filter.
  while (from < end) {
    const void* hit = memmem(base + from, end - from, needle.constData(),
                             static_cast<std::size_t>(needle.size()));
    if (!hit) break;
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
    const auto next =
        std::upper_bound(m_textStart.begin(), m_textStart.end(), static_cast<std::uint32_t>(at));
    const std::size_t record = static_cast<std::size_t>(next - m_textStart.begin()) - 1;
    hits->push_back(static_cast<std::uint32_t>(record));
    from = m_textStart[record + 1];
  }
}

void CInstrumentSearchCache::matchTextSlow(const QString& filter,
                                           std::vector<std::uint32_t>* hits) const {
  for (std::size_t i = 0; i < m_records->size(); ++i) {
    std::size_t at = m_textStart[i];
    const std::size_t end = m_textStart[i + 1];
    while (at < end) {
      const std::size_t fieldEnd = m_text.find(kFieldEnd, at);
      const QString field = QString::fromUtf8(m_text.data() + at, static_cast<int>(fieldEnd - at));
      if (field.contains(filter)) {
        hits->push_back(static_cast<std::uint32_t>(i));
        break;
      }
      at = fieldEnd + 1;
    }
  }
}

std::size_t CInstrumentSearchCache::memoryBytes() const {
  return sizeof(*this) + m_records->capacity() * sizeof(mxservice::CInstrumentDetailPtr) +
         m_text.capacity() + m_textStart.capacity() * sizeof(std::uint32_t) +
         m_names.capacity() * sizeof(char16_t) + m_nameStart.capacity() * sizeof(std::uint32_t) +
         m_signatures.capacity() * sizeof(quint64) + m_decimals.capacity() + m_tags.capacity();
}

}  // namespace LW
