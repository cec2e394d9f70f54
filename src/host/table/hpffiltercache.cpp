#include "host/table/hpffiltercache.h"

#include "host/table/ibasehpftabledata.h"

#include <QStringMatcher>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace GU {

namespace {

const std::size_t kNotFound = static_cast<std::size_t>(-1);

bool hasSurrogate(const QString& text) {
  for (const QChar c : text) {
    if (c.isSurrogate()) return true;
  }
  return false;
}

// The filter text folded as the table's matcher folds it.
struct SNeedle {
  std::vector<char16_t> units;

  explicit SNeedle(const QString& text) {
    units.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) units.push_back(static_cast<char16_t>(c.toCaseFolded().unicode()));
  }

  // First position >= from of the needle in text[0, end), or kNotFound.
  // Filter texts are short (a few typed characters), so rather than skip
  // ahead the scan tests eight positions at a time for the first two units
  // and compares the rest only where both are there.
  std::size_t findIn(const char16_t* text, std::size_t from, std::size_t end) const {
    const std::size_t m = units.size();
    if (end < m || from > end - m) return kNotFound;
    const std::size_t last = end - m;  // the last possible start
    const char16_t* needle = units.data();
    const auto matchesAt = [&](std::size_t at) {
      return std::memcmp(text + at, needle, m * sizeof(char16_t)) == 0;
    };
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi16(static_cast<short>(needle[0]));
    const __m128i second = _mm_set1_epi16(static_cast<short>(m > 1 ? needle[1] : 0));
    // Starts i .. i + 7 are all possible, and with m >= 2 the unit after the
    // eighth start is inside the text.
    for (; i + 7 <= last; i += 8) {
      __m128i hits =
          _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i)), first);
      if (m > 1) {
        hits = _mm_and_si128(
            hits, _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + 1)),
                                  second));
      }
      unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
      while (mask != 0) {
        const unsigned bit = static_cast<unsigned>(__builtin_ctz(mask));
        const std::size_t at = i + bit / 2;
        if (m <= 2 || matchesAt(at)) return at;
        mask &= ~(3u << bit);
      }
    }
#endif
    for (; i <= last; ++i) {
      if (text[i] == needle[0] && matchesAt(i)) return i;
    }
    return kNotFound;
  }
};

}  // namespace

void CHpfFilterCache::clear() {
  m_rows.reset();
  m_columnIds.clear();
  std::vector<SColumn>().swap(m_columns);
  std::vector<SRawRow>().swap(m_rawRows);
}

bool CHpfFilterCache::isBuiltFor(const HpfRowSnapshot& rows,
                                 const std::vector<int>& columns) const {
  return m_rows && m_rows == rows && m_columnIds == columns;
}

void CHpfFilterCache::build(const HpfRowSnapshot& rows, const std::vector<int>& columns) {
  clear();
  if (!rows) return;
  m_rows = rows;
  m_columnIds = columns;
  m_columns.resize(columns.size());
  const std::size_t count = rows->size();
  for (SColumn& column : m_columns) {
    column.start.reserve(count + 1);
    column.start.push_back(0);
  }
  std::vector<QString> texts(columns.size());
  for (std::size_t r = 0; r < count; ++r) {
    const HpfRowPtr& row = (*rows)[r];
    bool raw = false;
    for (std::size_t c = 0; c < columns.size(); ++c) {
      texts[c] = row ? row->getFilterQString(columns[c]) : QString();
      raw = raw || hasSurrogate(texts[c]);
    }
    for (std::size_t c = 0; c < columns.size(); ++c) {
      SColumn& column = m_columns[c];
      // A raw row keeps empty cells here: it is matched from its own texts.
      if (!raw) {
        for (const QChar ch : texts[c])
          column.text.push_back(static_cast<char16_t>(ch.toCaseFolded().unicode()));
      }
      column.start.push_back(static_cast<std::uint32_t>(column.text.size()));
    }
    if (raw) m_rawRows.push_back(SRawRow{static_cast<int>(r), texts});
  }
  for (SColumn& column : m_columns) column.text.shrink_to_fit();
}

bool CHpfFilterCache::match(const QString& filter, std::vector<int>& order) const {
  if (!m_rows || filter.isEmpty() || hasSurrogate(filter)) return false;
  const std::size_t count = m_rows->size();
  std::vector<unsigned char> matched(count, 0);
  const SNeedle needle(filter);
  const std::size_t m = needle.units.size();
  for (const SColumn& column : m_columns) {
    const char16_t* text = column.text.data();
    const std::size_t end = column.text.size();
    std::size_t row = 0;
    std::size_t from = 0;
    for (;;) {
      const std::size_t at = needle.findIn(text, from, end);
      if (at == kNotFound) break;
      // The row holding the hit; hits only move forward.
      while (column.start[row + 1] <= at) ++row;
      const std::size_t rowEnd = column.start[row + 1];
      if (at + m <= rowEnd) {
        matched[row] = 1;
        from = rowEnd;  // this row is in: on to the next one
      } else {
        from = at + 1;  // the hit runs into the next row's text
      }
    }
  }
  if (!m_rawRows.empty()) {
    const QStringMatcher matcher(filter, Qt::CaseInsensitive);
    for (const SRawRow& raw : m_rawRows) {
      for (const QString& text : raw.texts) {
        if (matcher.indexIn(text) >= 0) {
          matched[static_cast<std::size_t>(raw.row)] = 1;
          break;
        }
      }
    }
  }
  for (std::size_t r = 0; r < count; ++r) {
    if (matched[r]) order.push_back(static_cast<int>(r));
  }
  return true;
}

std::size_t CHpfFilterCache::memoryBytes() const {
  std::size_t bytes = m_columnIds.capacity() * sizeof(int);
  for (const SColumn& column : m_columns)
    bytes +=
        column.text.capacity() * sizeof(char16_t) + column.start.capacity() * sizeof(std::uint32_t);
  for (const SRawRow& raw : m_rawRows)
    for (const QString& text : raw.texts) bytes += static_cast<std::size_t>(text.capacity()) * 2;
  return bytes;
}

}  // namespace GU
