#pragma once
// The instruments picked last in the quick search popup, most recent first,
// and their persisted form. A pick is an instrument key with its trading
// type: the same key may be listed under several trading types (a stock in
// the stock list and in the credit list), and each is a pick of its own.
//
// The list keeps at most capacity() picks without duplicates; a pick made
// again moves to the front. Nothing here looks at the instruments: a pick
// whose instrument is gone stays in the list (it may come back with the next
// trading day) and the popup skips it when it shows the list.
//
// Persisted form: one text per pick, "<key>|<trading type in decimal>", e.g.
// "600000.SH|1". fromStringList() takes whatever a settings file holds and
// ignores every entry it cannot read.
//
// Threads: not synchronised; the popup uses it on the GUI thread only.
// Internal to the quick search folder: hosts see the persisted form only
// (CQuickSearchPopup::recentPicks()).

#include <QString>
#include <QStringList>
#include <vector>

namespace LW {

struct SQuickSearchPick {
  QString key;        // the instrument key ("600000.SH")
  int tradeType = 0;  // one bit of the trading types

  bool operator==(const SQuickSearchPick& other) const {
    return tradeType == other.tradeType && key == other.key;
  }
  bool operator!=(const SQuickSearchPick& other) const { return !(*this == other); }
};

class CQuickSearchRecent {
public:
  static constexpr int kDefaultCapacity = 10;
  // Beyond this a "recent" list stops being a short list to pick from.
  static constexpr int kMaxCapacity = 100;
  // Longer keys come from damaged settings, never from an instrument.
  static constexpr int kMaxKeyLength = 64;

  int capacity() const { return m_capacity; }
  // Clamped to 0 .. kMaxCapacity; the oldest picks beyond it are dropped.
  // 0 keeps no picks at all.
  void setCapacity(int capacity);

  // Most recent first.
  const std::vector<SQuickSearchPick>& picks() const { return m_picks; }
  // Puts pick first, removing an earlier equal pick and the oldest pick
  // beyond the capacity. An invalid pick (see isValid) is ignored; returns
  // whether the list took it.
  bool add(const SQuickSearchPick& pick);
  void clear() { m_picks.clear(); }

  // The picks in their persisted form, most recent first.
  QStringList toStringList() const;
  // Replaces the list with the readable entries of entries, in their order,
  // dropping repeats of an earlier entry and everything beyond the capacity.
  // Returns the number of entries ignored as unreadable.
  int fromStringList(const QStringList& entries);

  // A key that is not empty, at most kMaxKeyLength long, with no '|', blank
  // or control character, and a trading type of exactly one bit.
  static bool isValid(const SQuickSearchPick& pick);
  // "<key>|<type>"; parse() reads it back. parse() accepts exactly that form
  // (a decimal type without sign or blanks) for a valid pick.
  static QString format(const SQuickSearchPick& pick);
  static bool parse(const QString& entry, SQuickSearchPick* pick);

private:
  int m_capacity = kDefaultCapacity;
  std::vector<SQuickSearchPick> m_picks;
};

}  // namespace LW
