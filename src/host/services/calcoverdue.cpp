#include "host/services/calcoverdue.h"

#include "host/core/annotatedmutex.h"
#include "host/core/singleton.h"
#include "host/services/markethelper.h"
#include "host/services/servicelog.h"

#include <QString>
#include <map>

namespace LW {

namespace {
bool isTradingDay(const QDate& day) { return day.dayOfWeek() <= 5; }

QDate onOrAfterTradingDay(QDate day) {
  while (!isTradingDay(day)) day = day.addDays(1);
  return day;
}

QDate nextTradingDay(const QDate& day) { return onOrAfterTradingDay(day.addDays(1)); }

QDate parseDate(const std::string& text) {
  if (text.size() != 8) return QDate();
  return QDate::fromString(QString::fromLatin1(text.data(), 8), QStringLiteral("yyyyMMdd"));
}
}  // namespace

CCalcOverdue::CCalcOverdue() = default;
CCalcOverdue::~CCalcOverdue() = default;

CCalcOverdue* CCalcOverdue::instance() {
  return utils::CManualSingletonT<CCalcOverdue>::instance();
}

int CCalcOverdue::repoTermDays(const std::string& market, const std::string& code) {
  if (!mxservice::isRepoCode(market, code)) return 0;
  if (market == "SH") return std::stoi(code.substr(3));  // six digits, checked above
  static const std::map<std::string, int> shenzhenTerms = {
      {"131810", 1},  {"131811", 2},  {"131800", 3},  {"131809", 4},  {"131801", 7},
      {"131802", 14}, {"131803", 28}, {"131805", 91}, {"131806", 182}};
  auto it = shenzhenTerms.find(code);
  return it == shenzhenTerms.end() ? 0 : it->second;
}

int CCalcOverdue::occupationDays(const QDate& tradeDay, int termDays) {
  if (!tradeDay.isValid() || termDays <= 0) return 0;
  // A repo cannot be placed on a non-trading day; one entered then counts
  // from the next trading day.
  const QDate placed = onOrAfterTradingDay(tradeDay);
  const QDate firstSettlement = nextTradingDay(placed);
  const QDate maturity = onOrAfterTradingDay(placed.addDays(termDays));
  const QDate maturitySettlement = nextTradingDay(maturity);
  return static_cast<int>(firstSettlement.daysTo(maturitySettlement));
}

int CCalcOverdue::getCapOccupationDaysByCode(const std::string& market, const std::string& code,
                                             const std::string& tradeDate, bool actualDays) const {
  const int term = repoTermDays(market, code);
  if (term <= 0) return 0;
  if (!actualDays) return term;
  QDate day = parseDate(tradeDate);
  if (!day.isValid()) day = tradingDate();
  return occupationDays(day, term);
}

void CCalcOverdue::setTradingDate(const std::string& yyyyMMdd) {
  QDate day = parseDate(yyyyMMdd);
  if (!yyyyMMdd.empty() && !day.isValid()) {
    mxservice::servicelog::warning("LW::CCalcOverdue::setTradingDate",
                                   "invalid trading date '" + yyyyMMdd + "'; using today");
  }
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_tradingDate = day;
}

QDate CCalcOverdue::tradingDate() const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  return m_tradingDate.isValid() ? m_tradingDate : QDate::currentDate();
}

}  // namespace LW
