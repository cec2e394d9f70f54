#pragma once
// matchTenderBond() prepared once for a whole search: the field is looked up
// and the query text converted to QString once, not once per bond.
//
// A matcher is immutable after construction; matches() may be called from
// any thread (the enum registry is thread-safe).

#include "host/data/tenderbondinfodetail.h"
#include "tender/tendersearchquery.h"

#include <QString>

namespace LW {

class CTenderBondMatcher {
public:
  explicit CTenderBondMatcher(const TenderSearchQuery& query);

  bool matches(const mxservice::CTenderBondInfoDetail* detail) const;

private:
  bool passesInternalOnly(const mxservice::CTenderBondInfoDetail& detail) const;
  bool matchesDate(const mxservice::CTenderBondInfoDetail& detail) const;
  bool matchesText(const mxservice::CTenderBondInfoDetail& detail) const;

  const TenderSearchQuery m_query;
  const int m_fieldIndex;  // -1: the field is not a search item
  const QString m_text;    // the query text as QString
};

}  // namespace LW
