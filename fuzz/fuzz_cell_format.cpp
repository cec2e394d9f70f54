// Every cell of every column set, for records filled from arbitrary BSON.
//
// The bytes fill an instrument detail, a fund plan, an inter-bank bond and a
// tender bond detail with the host's generic readers (so every value a server
// could send, including the extremes the readers let through: huge numbers,
// odd texts, partly filled records). Each record then becomes a row under
// every trading type it can appear in, and every cell of the type's column
// set (and the ids just outside it) is produced, formatted, sorted against
// the sample rows and asked for its icon, as the table would.
//
// Checked:
// - the cells of numeric columns never paint more than 64 characters and
//   never spell NaN or infinity (such values show as "非法值");
// - the model's sort comparison is reflexive and antisymmetric on these rows
//   (a table sort with an inconsistent comparison corrupts its order).

#include "fuzzsupport.h"
#include "host/bson/bsonobj.h"
#include "host/core/tradertypes.h"
#include "host/data/datasetloader.h"
#include "host/data/instrumentdetail.h"
#include "host/data/interbankbond.h"
#include "host/data/otcfundplaninfo.h"
#include "host/data/tenderbondinfodetail.h"
#include "host/services/hostservices.h"
#include "model/columncatalogue.h"
#include "model/instrumentdata.h"
#include "model/instrumentmodel.h"

#include <boost/make_shared.hpp>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using mxservice::ENqTraderType;

// Every trading type with an instrument list, and two without.
const ENqTraderType kTypes[] = {
    mxservice::NQ_TRADER_NONE,         mxservice::NQ_TRADER_STOCK,
    mxservice::NQ_TRADER_FUTURE,       mxservice::NQ_TRADER_GOLD,
    mxservice::NQ_TRADER_CREDIT,       mxservice::NQ_TRADER_FUTURE_OPTION,
    mxservice::NQ_TRADER_STOCK_OPTION, mxservice::NQ_TRADER_OUTER_FUTURE,
    mxservice::NQ_TRADER_HK_CONNECT,   mxservice::NQ_TRADER_NEEQ,
    mxservice::NQ_TRADER_OTC_FUND,     mxservice::NQ_TRADER_FUTURE_SPEC,
    mxservice::NQ_TRADER_OUTER_STOCK,  mxservice::NQ_TRADER_FOREX,
    mxservice::NQ_TRADER_REPO,         mxservice::NQ_TRADER_HK_STOCK,
    mxservice::NQ_TRADER_INTER_BANK,   mxservice::NQ_TRADER_SPOT,
    mxservice::NQ_TRADER_OUTER_OPTION, mxservice::NQ_TRADER_OUTER_SPOT,
    mxservice::NQ_TRADER_FICC,         mxservice::NQ_TRADER_MIXED,
    mxservice::NQ_TRADER_SWAP,         mxservice::NQ_TRADER_INTER_BANK_FX,
    mxservice::NQ_TRADER_BOND_TENDER,  mxservice::NQ_TRADER_MIXED_ALL,
};

// Numbers are at most 18 integer digits (the formatters' limit), a point
// and 15 decimals, with sign, grouping or unit: far below this.
constexpr int kMaxNumericCellLength = 64;

struct TypeFixture {
  boost::shared_ptr<LW::CHpfInsModel> model;
  int columnCount = 0;
  std::vector<GU::HpfRowPtr> references;  // sample rows and an empty record's row
};

std::map<int, TypeFixture>& fixtures() {
  static std::map<int, TypeFixture> map;
  return map;
}

std::string show(const QString& text) { return lwfuzz::printable(text.toStdString()); }

int sign(int v) { return (v > 0) - (v < 0); }

void checkNumericText(ENqTraderType type, int column, const QString& text) {
  const int kind = LW::columnValueKind(type, column);
  if (kind != LW::COLUMN_KIND_INT && kind != LW::COLUMN_KIND_DOUBLE) return;
  const std::string where =
      "type " + std::to_string(static_cast<int>(type)) + " column " + std::to_string(column) + ": ";
  LW_FUZZ_CHECK(text.size() <= kMaxNumericCellLength, where + "painted " + show(text));
  const QString lower = text.toLower();
  LW_FUZZ_CHECK(!lower.contains(QStringLiteral("nan")) && !lower.contains(QStringLiteral("inf")),
                where + "painted " + show(text));
}

void checkCompare(const TypeFixture& fixture, const GU::HpfRowPtr& row, int column) {
  const LW::CHpfInsModel& model = *fixture.model;
  LW_FUZZ_CHECK(model.compare(row, row, column) == 0,
                "a row differs from itself in column " + std::to_string(column));
  for (const GU::HpfRowPtr& other : fixture.references) {
    const int forward = model.compare(row, other, column);
    const int backward = model.compare(other, row, column);
    LW_FUZZ_CHECK(sign(forward) == -sign(backward),
                  "compare is not antisymmetric in column " + std::to_string(column) + ": " +
                      std::to_string(forward) + " and " + std::to_string(backward));
  }
}

void exerciseRow(ENqTraderType type, const boost::shared_ptr<LW::CInstrumentData>& row) {
  const TypeFixture& fixture = fixtures()[static_cast<int>(type)];
  (void)row->key();
  for (int column = -1; column <= fixture.columnCount; ++column) {
    const QString text = row->getDisplayQString(column);
    checkNumericText(type, column, text);
    (void)row->getQString(column);
    (void)row->getInt(column);
    (void)row->getDouble(column);
    (void)row->getInt64(column);
    (void)row->getTextColor(column);
    (void)row->getIcon(column);
    (void)row->getIconTip(column);
    checkCompare(fixture, row, column);
  }
}

template <class R>
boost::shared_ptr<R> readRecord(const bson::BSONObj& document) {
  auto record = boost::make_shared<R>();
  std::string errors;
  record->bsonValueFromObj(document, false, &errors);
  return record;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  lwfuzz::quietHostLog();
  lwfuzz::ensureApplication();  // tag icons are pixmaps
  const std::string sample = lwfuzz::sampleDataDirectory();
  // Exchange names, enum texts, pricing units and the trading day come from
  // the host services, as in the client.
  mxservice::CHostServices::installFromDirectory(sample);
  const mxservice::DataSet set = mxservice::loadDataSet(sample);
  for (ENqTraderType type : kTypes) {
    TypeFixture& fixture = fixtures()[static_cast<int>(type)];
    fixture.model = boost::make_shared<LW::CHpfInsModel>(type);
    fixture.columnCount = fixture.model->columnCount();
    int taken = 0;
    for (const auto& instrument : set.instruments) {
      if (instrument->tradeType != static_cast<int>(type) || taken == 3) continue;
      fixture.references.push_back(boost::make_shared<LW::CInstrumentData>(type, instrument));
      ++taken;
    }
    fixture.references.push_back(boost::make_shared<LW::CInstrumentData>(
        type, boost::make_shared<mxservice::CInstrumentDetail>()));
    fixture.references.push_back(GU::HpfRowPtr());  // the sort meets missing rows too
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  bson::BSONObj document;
  try {
    document = bson::BSONObj::fromBytes(data, size);
  } catch (const bson::BSONError&) {
    return 0;
  }
  const auto instrument = readRecord<mxservice::CInstrumentDetail>(document);
  const auto fund = readRecord<mxservice::COTCFundPlanInfo>(document);
  const auto interBank = readRecord<mxservice::CInterBankBond>(document);
  const auto tender = readRecord<mxservice::CTenderBondInfoDetail>(document);

  for (ENqTraderType type : kTypes) {
    exerciseRow(type, boost::make_shared<LW::CInstrumentData>(type, instrument));
  }
  exerciseRow(mxservice::NQ_TRADER_OTC_FUND,
              boost::make_shared<LW::CInstrumentData>(mxservice::NQ_TRADER_OTC_FUND, fund));
  exerciseRow(mxservice::NQ_TRADER_INTER_BANK,
              boost::make_shared<LW::CInstrumentData>(mxservice::NQ_TRADER_INTER_BANK, interBank));
  exerciseRow(
      mxservice::NQ_TRADER_INTER_BANK_FX,
      boost::make_shared<LW::CInstrumentData>(mxservice::NQ_TRADER_INTER_BANK_FX, interBank));
  exerciseRow(mxservice::NQ_TRADER_BOND_TENDER,
              boost::make_shared<LW::CInstrumentData>(mxservice::NQ_TRADER_BOND_TENDER, tender));
  return 0;
}
