#include "quicksearch/quicksearchrecent.h"

#include <algorithm>

namespace LW {

void CQuickSearchRecent::setCapacity(int capacity) {
  m_capacity = std::clamp(capacity, 0, kMaxCapacity);
  if (static_cast<int>(m_picks.size()) > m_capacity) m_picks.resize(m_capacity);
}

bool CQuickSearchRecent::add(const SQuickSearchPick& pick) {
  if (!isValid(pick) || m_capacity == 0) return false;
  m_picks.erase(std::remove(m_picks.begin(), m_picks.end(), pick), m_picks.end());
  m_picks.insert(m_picks.begin(), pick);
  if (static_cast<int>(m_picks.size()) > m_capacity) m_picks.resize(m_capacity);
  return true;
}

QStringList CQuickSearchRecent::toStringList() const {
  QStringList entries;
  entries.reserve(static_cast<int>(m_picks.size()));
  for (const SQuickSearchPick& pick : m_picks) entries << format(pick);
  return entries;
}

int CQuickSearchRecent::fromStringList(const QStringList& entries) {
  m_picks.clear();
  int ignored = 0;
  for (const QString& entry : entries) {
    SQuickSearchPick pick;
    if (!parse(entry, &pick)) {
      ++ignored;
      continue;
    }
    // The first entry is the most recent; a repeat further down is older.
    if (std::find(m_picks.begin(), m_picks.end(), pick) != m_picks.end()) continue;
    if (static_cast<int>(m_picks.size()) < m_capacity) m_picks.push_back(pick);
  }
  return ignored;
}

bool CQuickSearchRecent::isValid(const SQuickSearchPick& pick) {
  if (pick.tradeType <= 0 || (pick.tradeType & (pick.tradeType - 1)) != 0) return false;
  if (pick.key.isEmpty() || pick.key.size() > kMaxKeyLength) return false;
  for (const QChar c : pick.key) {
    // Surrogates are fine in pairs only; a key never holds either, so any
    // surrogate is a sign of damage.
    if (c == QLatin1Char('|') || c.isSpace() || c.category() == QChar::Other_Control ||
        c.isSurrogate())
      return false;
  }
  return true;
}

QString CQuickSearchRecent::format(const SQuickSearchPick& pick) {
  return pick.key + QLatin1Char('|') + QString::number(pick.tradeType);
}

bool CQuickSearchRecent::parse(const QString& entry, SQuickSearchPick* pick) {
  const int bar = entry.lastIndexOf(QLatin1Char('|'));
  if (bar <= 0) return false;
  const QString typeText = entry.mid(bar + 1);
  // toInt() would take blanks and a sign; the persisted form has neither.
  if (typeText.isEmpty() || typeText.size() > 10) return false;
  for (const QChar c : typeText)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  bool ok = false;
  const int type = typeText.toInt(&ok);
  if (!ok) return false;
  SQuickSearchPick read;
  read.key = entry.left(bar);
  read.tradeType = type;
  if (!isValid(read)) return false;
  *pick = read;
  return true;
}

}  // namespace LW
