#pragma once
// The tag of an instrument: the small badge (and its tooltip) that the stock
// lists show beside a name or code for boards and layers traders must notice
// before ordering: delisting arrangement, NEEQ layers, Beijing exchange,
// professional-investor bonds, growth-enterprise board, sci-tech board,
// depositary receipts, innovative enterprises.
//
// Classification is a pure function of the record and the host's market
// predicates (any thread).

#include "host/data/instrumentdetail.h"

#include <QString>

class QPixmap;

namespace LW {

enum class EInstrumentTag : quint8 {
  None = 0,
  DelistingArrangement,
  NeeqInnovation,
  NeeqBasic,
  BeijingExchange,
  QualifiedInvestor,
  GrowthEnterprise,
  SciTechDepositaryReceipt,
  DepositaryReceipt,
  SciTech,
  InnovativeEnterprise,
};

// The first rule that applies, or None. A null record is untagged.
EInstrumentTag classifyInstrumentTag(const mxservice::CInstrumentDetailPtr& instrument);

// The UI resource key of the tag's pixmap; empty for None.
QString tagPixmapKey(EInstrumentTag tag);
// The tooltip; empty for None.
QString tagTip(EInstrumentTag tag);
// The pixmap from the UI resource cache (owned by it, valid for the process);
// null for None. Ask for it when painting: before the GUI thread has painted
// the badges, another thread may be handed a blank pixmap.
const QPixmap* tagPixmap(EInstrumentTag tag);

}  // namespace LW
