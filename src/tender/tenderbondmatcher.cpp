#include "tender/tenderbondmatcher.h"

#include "host/core/tradertypes.h"
#include "host/services/typemanager.h"

#include <cmath>

namespace LW {

namespace {

// Internal report amounts at or below this are rounding dust of a cleared
// amount, not a report.
constexpr double kInternalAmountEpsilon = 1e-5;

// The registry names of enums are the same for every trading type; the
// search asks with the stock type, as the status column does not depend on
// it either.
constexpr int kEnumNameTradeType = 1;

// The date member behind date field index 0-6; null for any other index.
const std::string* dateMember(const mxservice::CTenderBondInfoDetail& d, int index) {
  switch (index) {
    case 0:
      return &d.tenderDate;
    case 1:
      return &d.tenderEndDate;
    case 2:
      return &d.issueStartDate;
    case 3:
      return &d.issueEndDate;
    case 4:
      return &d.valueDate;
    case 5:
      return &d.paymentDate;
    case 6:
      return &d.listingDate;
    default:
      return nullptr;
  }
}

std::string enumName(const char* enumType, int value) {
  return mxservice::TypeManager::instance()->getEnumItemName(enumType, value, kEnumNameTradeType);
}

// The text that field index 0-19 searches in (UTF-8): the member's text, or
// the registry name of an enum member.
std::string searchedText(const mxservice::CTenderBondInfoDetail& d, int index) {
  if (const std::string* date = dateMember(d, index)) return *date;
  switch (index) {
    case 7:
      return d.bondCode;
    case 8:
      return d.shortName;
    case 9:
      return d.fullName;
    case 10:
      return d.trader();
    case 11:
      return enumName("mxservice::EIbBondType", d.bondType);
    case 12:
      return enumName("mxservice::EIbBondTypeDetail", d.bondTypeDetail);
    case 13:
      return d.leadUnderwriter;
    case 14:
      return enumName("mxservice::ETenderPreMarket", d.preMarket);
    case 15:
      return d.issuerName;
    case 16:
      return enumName("mxservice::EIbBondIssuer", d.issuerAttribute);
    case 17:
      return d.industry;
    case 18:
      return enumName("mxservice::ETenderTarget", d.tenderTarget);
    case 19:
      return enumName("mxservice::ETenderingType", d.tenderingType);
    default:
      return std::string();
  }
}

}  // namespace

CTenderBondMatcher::CTenderBondMatcher(const TenderSearchQuery& query)
    : m_query(query),
      m_fieldIndex(tenderSearchFieldIndex(query.field)),
      m_text(QString::fromStdString(query.text)) {}

bool CTenderBondMatcher::matches(const mxservice::CTenderBondInfoDetail* detail) const {
  if (!detail) return false;
  if (m_query.internalOnly && !passesInternalOnly(*detail)) return false;
  return m_query.isDateField ? matchesDate(*detail) : matchesText(*detail);
}

bool CTenderBondMatcher::passesInternalOnly(const mxservice::CTenderBondInfoDetail& detail) const {
  const double amount = detail.internalAmount();
  // The no-value marker (DBL_MAX) means "nothing reported" and infinities
  // are damaged data: neither is a report amount, though both compare above
  // the threshold. NaN fails the comparison by itself.
  if (amount == mxservice::kNoValueDouble || !std::isfinite(amount)) return false;
  return amount > kInternalAmountEpsilon;
}

bool CTenderBondMatcher::matchesDate(const mxservice::CTenderBondInfoDetail& detail) const {
  const std::string* member = dateMember(detail, m_fieldIndex);
  if (!member) return false;
  // "yyyyMMdd" texts order chronologically byte by byte; an empty member is
  // below every non-empty start date, so undated bonds drop out.
  return m_query.startDate <= *member && *member <= m_query.endDate;
}

bool CTenderBondMatcher::matchesText(const mxservice::CTenderBondInfoDetail& detail) const {
  if (m_fieldIndex < 0) return false;
  // Only the named member is looked at: its enum name is the only one the
  // decision can depend on, and the registry lookups of the other five enum
  // members would cost a lock each for nothing.
  if (m_text.isEmpty()) return true;
  return QString::fromStdString(searchedText(detail, m_fieldIndex))
      .contains(m_text, Qt::CaseSensitive);
}

}  // namespace LW
