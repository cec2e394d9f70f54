#include "model/instrumentdata.h"

#include "host/services/config.h"
#include "host/ui/uiresource.h"
#include "model/celltext.h"
#include "model/cellvalues.h"
#include "model/columncatalogue.h"
#include "model/pricedecimals.h"

namespace LW {

using mxservice::ENqTraderType;

namespace {

// The fund plan behind an instrument pointer, when the row belongs to the fund
// list. The data centre lists fund plans under 512 as instrument details, so
// a host that builds rows from that list hands them over as instruments; the
// instrument rules have no column for the fund list and would leave every
// cell empty. Elsewhere a fund plan is simply an instrument.
mxservice::COTCFundPlanInfoPtr fundOfFundList(ENqTraderType tradeType,
                                              const mxservice::CInstrumentDetailPtr& instrument) {
  if (tradeType != mxservice::NQ_TRADER_OTC_FUND) return mxservice::COTCFundPlanInfoPtr();
  return boost::dynamic_pointer_cast<mxservice::COTCFundPlanInfo>(instrument);
}

}  // namespace

CInstrumentData::CInstrumentData(ENqTraderType tradeType,
                                 const mxservice::CInstrumentDetailPtr& instrument)
    : m_tradeType(tradeType),
      m_brokerEdition(getConfig()->isBrokerEdition()),
      m_columnSet(columnSetOf(tradeType)),
      m_otcFund(fundOfFundList(tradeType, instrument)) {
  if (m_otcFund) return;
  m_instrument = instrument;
  if (m_instrument) {
    m_priceDecimals = computePriceDecimals(m_instrument->priceTick);
    m_tag = classifyInstrumentTag(m_instrument);
  }
}

CInstrumentData::CInstrumentData(ENqTraderType tradeType,
                                 const mxservice::CInstrumentDetailPtr& instrument,
                                 int priceDecimals, EInstrumentTag tag, bool brokerEdition)
    : m_tradeType(tradeType),
      m_brokerEdition(brokerEdition),
      m_columnSet(columnSetOf(tradeType)),
      m_otcFund(fundOfFundList(tradeType, instrument)) {
  if (m_otcFund) return;
  m_priceDecimals = priceDecimals;
  m_instrument = instrument;
  m_tag = tag;
}

CInstrumentData::CInstrumentData(ENqTraderType tradeType, const mxservice::CInterBankBondPtr& bond)
    : m_tradeType(tradeType), m_columnSet(columnSetOf(tradeType)), m_interBankBond(bond) {}

CInstrumentData::CInstrumentData(ENqTraderType tradeType,
                                 const mxservice::COTCFundPlanInfoPtr& fund)
    : m_tradeType(tradeType), m_columnSet(columnSetOf(tradeType)), m_otcFund(fund) {}

CInstrumentData::CInstrumentData(ENqTraderType tradeType,
                                 const mxservice::CTenderBondInfoDetailPtr& tender)
    : m_tradeType(tradeType), m_columnSet(columnSetOf(tradeType)), m_tenderBond(tender) {}

CInstrumentData::~CInstrumentData() = default;

bool CInstrumentData::produce(int column, CellValue* value, QString* text) const {
  const CColumnSetDesc& set = columnSetDesc(m_columnSet);
  const CColumnDesc* desc = set.column(column, m_brokerEdition);
  if (!desc || desc->source == ECellSource::Favourite) return false;
  const CCellPlace place{m_tradeType, column};
  switch (set.record) {
    case ERecordKind::Instrument:
      if (!m_instrument) return false;
      *value = instrumentCellValue(*desc, m_instrument, place);
      break;
    case ERecordKind::Fund:
      if (!m_otcFund) return false;
      *value = fundCellValue(*desc, *m_otcFund, place);
      break;
    case ERecordKind::InterBank:
      if (!m_interBankBond) return false;
      *value = interBankCellValue(*desc, *m_interBankBond);
      break;
    case ERecordKind::Tender:
      if (!m_tenderBond) return false;
      *value = tenderCellValue(*desc, *m_tenderBond, place);
      break;
    case ERecordKind::None:
      return false;
  }
  if (set.textCells) {
    *value = CellValue::ofText(cellText(desc->format, *value, m_priceDecimals));
    if (text) *text = value->text;
  } else if (text) {
    *text = cellText(desc->format, *value, m_priceDecimals);
  }
  return true;
}

CellValue CInstrumentData::cellValue(int column) const {
  CellValue value;
  produce(column, &value, nullptr);
  return value;
}

QString CInstrumentData::displayText(int column) const {
  CellValue value;
  QString text;
  produce(column, &value, &text);
  return text;
}

QString CInstrumentData::getDisplayQString(int column) { return displayText(column); }

QString CInstrumentData::getQString(int column) { return cellValue(column).text; }

int CInstrumentData::getInt(int column) { return cellValue(column).integer; }

double CInstrumentData::getDouble(int column) { return cellValue(column).number; }

long long CInstrumentData::getInt64(int) { return mxservice::kNoValueInt64; }

const QColor* CInstrumentData::getTextColor(int) {
  return GU::CUiResource::instance()->getColor(QStringLiteral("clr_text_default"));
}

std::string CInstrumentData::key() {
  if (m_tradeType == mxservice::NQ_TRADER_BOND_TENDER && m_tenderBond) {
    return m_tenderBond->getKey();
  }
  if (m_instrument) return m_instrument->getKey();
  if (m_interBankBond) return m_interBankBond->getKey();
  if (m_otcFund) return m_otcFund->getKey();
  return std::string();
}

const QPixmap* CInstrumentData::tagIcon() const { return tagPixmap(m_tag); }

QString CInstrumentData::tagTip() const { return LW::tagTip(m_tag); }

const QPixmap* CInstrumentData::getIcon(int column) {
  if (column < 0 || column != tagIconColumn(m_tradeType)) return nullptr;
  return tagIcon();
}

QString CInstrumentData::getIconTip(int column) {
  if (column < 0 || column != tagIconColumn(m_tradeType)) return QString();
  return tagTip();
}

}  // namespace LW
