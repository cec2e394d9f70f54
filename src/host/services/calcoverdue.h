#pragma once
// Capital-occupation days of pledged repos.
//
// A repo placed on trading day T with a term of N days pays interest for the
// days the money is actually out: from the first settlement (the trading day
// after T) to the maturity settlement (the trading day after the maturity
// date, where the maturity date is T + N calendar days, moved to the next
// trading day when it falls on a non-trading day). So a 1-day repo placed
// on a Thursday occupies 3 days (Friday to Monday) and one placed on a
// Friday 1 day. Trading days are the weekdays.
//
// Repo codes and terms: SH 204xxx, the last three digits are the term in
// days (204001 one day, 204007 seven, 204182 one hundred and eighty-two);
// SZ 1318xx by the exchange's table: 131810 1, 131811 2, 131800 3, 131809 4,
// 131801 7, 131802 14, 131803 28, 131805 91, 131806 182 days.
//
// Reached as utils::CManualSingletonT<LW::CCalcOverdue>::instance() (or
// instance()). Thread-safe: the trading date is guarded by m_mutex.

#include "lwhost_data_export.h"

#include "host/core/annotatedmutex.h"

#include <QDate>
#include <string>

namespace LW {

class LWHOST_DATA_EXPORT CCalcOverdue {
public:
  CCalcOverdue();
  ~CCalcOverdue();

  static CCalcOverdue* instance();

  // The capital-occupation days of a repo placed on the trading date; 0 for
  // a code that is not a repo (or a repo code with an unknown term).
  // tradeDate: a "yyyyMMdd" trading date to use instead of the configured
  // one; empty (the usual) or invalid uses the configured date.
  // actualDays: true gives the calendar-adjusted days described above,
  // false the nominal term.
  int getCapOccupationDaysByCode(const std::string& market, const std::string& code,
                                 const std::string& tradeDate, bool actualDays) const;

  // The nominal term in days of a repo code; 0 when it is none.
  static int repoTermDays(const std::string& market, const std::string& code);
  // The capital-occupation days of a term placed on tradeDay.
  static int occupationDays(const QDate& tradeDay, int termDays);

  // Host side: the current trading date, "yyyyMMdd"; empty means today.
  // An invalid text is logged and treated as empty.
  void setTradingDate(const std::string& yyyyMMdd);
  // The date in use: the configured one, or today.
  QDate tradingDate() const;

private:
  mutable utils::CMutex m_mutex;
  QDate m_tradingDate LW_GUARDED_BY(m_mutex);  // null: today
};

}  // namespace LW
