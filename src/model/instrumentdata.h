#pragma once
// One row of the instruments table. A row wraps exactly one host record (an
// instrument, an inter-bank bond, an over-the-counter fund plan or a tender
// bond) together with the trading type of its table, and answers the table's
// per-cell questions for a column id of that trading type's catalogue.
//
// Ownership: rows are shared (boost::shared_ptr) between the host table model
// and its snapshots. The four record references are shared with the host's
// data centre; a row never copies or changes a record. Exactly one of them is
// set by the constructor; the others stay null.
//
// Threads: rows are built on the model's worker and read on the GUI thread
// (and by sorts on other threads). Every member is written only by the
// constructor, so a row holds no lock; cell texts are worked out on every
// request, so a record the host updates in place shows at the next repaint.

#include "host/core/tradertypes.h"
#include "host/data/instrumentdetail.h"
#include "host/data/interbankbond.h"
#include "host/data/otcfundplaninfo.h"
#include "host/data/tenderbondinfodetail.h"
#include "host/table/ibasehpftabledata.h"
#include "model/cellvalue.h"
#include "model/columntable.h"
#include "model/instrumenttag.h"

#include <QString>
#include <string>

namespace LW {

class CInstrumentData : public GU::IBaseHpfTableData {
public:
  using CellValue = LW::CellValue;

  // An instrument row: works out the price decimals from the price tick and
  // the tag from the host's board and layer predicates, and takes the
  // columns of the edition the client configuration reports now
  // (LW::getConfig()->isBrokerEdition()), as a table made now would. In the
  // fund list (trading type 512) a fund plan (mxservice::COTCFundPlanInfo)
  // handed over as an instrument detail, as the data centre lists it, makes a
  // fund row, the same as the fund constructor below.
  CInstrumentData(mxservice::ENqTraderType tradeType,
                  const mxservice::CInstrumentDetailPtr& instrument);
  // The same with decimals and tag already worked out (by the model's
  // per-list cache), which keeps a reload of 100,000 rows cheap, and the
  // edition of the catalogue of the row's table (CColumnCatalogue), which was
  // fixed when the table was made. A fund plan in the fund list makes a fund
  // row here too; decimals and tag are then not used.
  CInstrumentData(mxservice::ENqTraderType tradeType,
                  const mxservice::CInstrumentDetailPtr& instrument, int priceDecimals,
                  EInstrumentTag tag, bool brokerEdition);
  CInstrumentData(mxservice::ENqTraderType tradeType, const mxservice::CInterBankBondPtr& bond);
  CInstrumentData(mxservice::ENqTraderType tradeType, const mxservice::COTCFundPlanInfoPtr& fund);
  CInstrumentData(mxservice::ENqTraderType tradeType,
                  const mxservice::CTenderBondInfoDetailPtr& tender);
  ~CInstrumentData() override;

  // --- GU::IBaseHpfTableData -------------------------------------------------
  // The painted text of the cell.
  QString getDisplayQString(int column) override;
  // The text, number and integer of the cell's CellValue.
  QString getQString(int column) override;
  int getInt(int column) override;
  double getDouble(int column) override;
  // No 64-bit values in this table: always the 64-bit no-value marker.
  long long getInt64(int column) override;
  // "clr_text_default" for every cell.
  const QColor* getTextColor(int column) override;
  // The tender bond's data key for a tender row of trading type 0x8000000;
  // else the data key of the first record set among instrument, inter-bank
  // bond and fund; "" when none is.
  std::string key() override;
  // The tag pixmap and tooltip in the trading type's tag column (see
  // tagIconColumn()); null / empty elsewhere and for untagged rows.
  const QPixmap* getIcon(int column) override;
  QString getIconTip(int column) override;

  // --- cells -----------------------------------------------------------------
  // The value of a cell, from the column table's description of the column
  // in the row's edition; the default CellValue when the row's record is not
  // the kind the trading type's list wraps, and in the favourites column.
  CellValue cellValue(int column) const;
  // The painted text of a cell, from cellValue(); empty when the column has
  // no display rule (e.g. the favourites column).
  QString displayText(int column) const;

  // --- state -----------------------------------------------------------------
  int priceDecimals() const { return m_priceDecimals; }
  mxservice::ENqTraderType tradeType() const { return m_tradeType; }
  // Whether the row answers the broker edition's columns: there the
  // foreign-futures set (64, 2048) has no pricing-unit column and id 13 is the
  // favourites column, whose cell holds no value.
  bool brokerEdition() const { return m_brokerEdition; }
  const mxservice::CInstrumentDetailPtr& instrument() const { return m_instrument; }
  const mxservice::CInterBankBondPtr& interBankBond() const { return m_interBankBond; }
  const mxservice::COTCFundPlanInfoPtr& otcFund() const { return m_otcFund; }
  const mxservice::CTenderBondInfoDetailPtr& tenderBond() const { return m_tenderBond; }
  EInstrumentTag tag() const { return m_tag; }
  // Owned by the UI resource cache; null when untagged.
  const QPixmap* tagIcon() const;
  QString tagTip() const;

private:
  // The value of column, and with text non-null its painted text (the
  // column table's source and format); false when the row's record has no
  // cell there (another list's record, the favourites column, an id outside
  // the set).
  bool produce(int column, CellValue* value, QString* text) const;

  int m_priceDecimals = 2;
  mxservice::ENqTraderType m_tradeType;
  bool m_brokerEdition = false;
  EColumnSet m_columnSet;  // of m_tradeType, looked up once: cells ask per call
  mxservice::CInstrumentDetailPtr m_instrument;
  mxservice::CInterBankBondPtr m_interBankBond;
  mxservice::COTCFundPlanInfoPtr m_otcFund;
  mxservice::CTenderBondInfoDetailPtr m_tenderBond;
  EInstrumentTag m_tag = EInstrumentTag::None;
};

}  // namespace LW
