#pragma once
// One tender search: the values the search bar hands to the model, copied so
// that the user may change the bar while the search runs on the model's
// worker, and the rule that decides whether a tender bond is listed.

#include "host/data/tenderbondinfodetail.h"

#include <QMetaType>
#include <boost/shared_ptr.hpp>
#include <string>

namespace LW {

struct TenderSearchQuery {
  // The field is one of the seven date fields: match by the date range,
  // else by the text.
  bool isDateField = false;
  // The search field's item text (UTF-8), e.g. "招标日" or "债券简称".
  std::string field;
  // "yyyyMMdd"; read in both modes, used only in date mode.
  std::string startDate;
  std::string endDate;
  // UTF-8; read in both modes, used only in text mode.
  std::string text;
  // Keep only bonds whose internal report amount is above 1e-5.
  bool internalOnly = false;
};

// The search fields in the order the search bar offers them; the first
// kTenderDateFieldCount are the date fields.
constexpr int kTenderSearchFieldCount = 20;
constexpr int kTenderDateFieldCount = 7;
// The item text (UTF-8) of field index 0 .. kTenderSearchFieldCount-1.
const char* tenderSearchFieldText(int index);
// The index of an item text compared byte for byte; -1 when it is none.
int tenderSearchFieldIndex(const std::string& field);

// Whether the tender search described by query lists detail (null: never).
// In both modes a bond must pass the internal-amount filter when it is on.
// Date mode: startDate <= the named date member <= endDate, compared as byte
// strings. Text mode: the named member's text, or the registry name of the
// named enum member, contains the query text case-sensitively; an empty text
// is contained in every text. An unknown field matches nothing.
// Any thread. For many bonds build a CTenderBondMatcher once instead.
bool matchTenderBond(const boost::shared_ptr<mxservice::CTenderBondInfoDetail>& detail,
                     const TenderSearchQuery& query);

}  // namespace LW

// Carried by CTenderSearchBar::sigSearchRequested(), also across threads and
// into signal spies.
Q_DECLARE_METATYPE(LW::TenderSearchQuery)
