// Writes the seed inputs that are binary or that only the code itself can
// produce: BSON documents of tender parameters, order commands and instrument
// records, and the layout texts real instrument tables save. Run once after a
// change of those formats; its output is kept under fuzz/corpus/.
//
//   lw_fuzz_seedgen <corpus directory>
//
// The text seeds (data-set lines, search texts) are written by hand.

#include "fuzzsupport.h"
#include "host/bson/bsonobj.h"
#include "host/core/tradertypes.h"
#include "host/data/datasetloader.h"
#include "host/services/hostservices.h"
#include "model/instrumentmodel.h"
#include "panel/hpfinstable.h"

#include <QCoreApplication>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

fs::path g_root;

void writeSeed(const char* target, const std::string& name, const std::string& bytes) {
  const fs::path dir = g_root / target;
  fs::create_directories(dir);
  std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string bytesOf(const bson::BSONObj& obj) {
  return std::string(reinterpret_cast<const char*>(obj.objdata()), obj.objsize());
}

bson::BSONObj tenderParam(const std::string& code, const std::string& direction, double rate,
                          double volume) {
  bson::BSONObjBuilder b;
  b.append("bondCode", code).append("direction", direction).append("bidRate", rate);
  b.append("bidVolume", volume);
  return b.obj();
}

bson::BSONObj withField(const std::string& name, const bson::BSONObj& value) {
  bson::BSONObjBuilder b;
  b.append(name, value);
  return b.obj();
}

void tenderSeeds(const mxservice::DataSet& set) {
  const char* t = "fuzz_tender_param";
  const bson::BSONObj good = tenderParam("2680019", "execution", 3.6, 2.1);
  writeSeed(t, "params-execution.bson", bytesOf(withField("btdparam", good)));
  writeSeed(t, "params-allocation.bson",
            bytesOf(withField("btdparam", tenderParam("260328", "allocation", 2.47, 0.1))));
  {
    bson::BSONObjBuilder b;
    b.append("accountId", "88000021").append("btdparam", good);
    writeSeed(t, "params-with-account.bson", bytesOf(b.obj()));
  }
  {
    bson::BSONObjBuilder b;
    b.append("btdparam", "2680019");  // a text, not a document
    writeSeed(t, "btdparam-text.bson", bytesOf(b.obj()));
  }
  {
    bson::BSONObjBuilder b;
    b.appendArray("btdparam", {1, 2, 3});
    writeSeed(t, "btdparam-array.bson", bytesOf(b.obj()));
  }
  {
    bson::BSONObjBuilder b;
    b.appendNull("btdparam");
    writeSeed(t, "btdparam-null.bson", bytesOf(b.obj()));
  }
  {
    bson::BSONObjBuilder inner;
    inner.append("bondCode", 2680019).append("bidRate", "3.6");
    writeSeed(t, "fields-wrong-types.bson", bytesOf(withField("btdparam", inner.obj())));
  }
  {
    bson::BSONObjBuilder inner;
    inner.appendNull("bondCode").append("bidRate", std::numeric_limits<double>::quiet_NaN());
    inner.append("bidVolume", std::numeric_limits<double>::infinity());
    writeSeed(t, "fields-null-nan-inf.bson", bytesOf(withField("btdparam", inner.obj())));
  }
  {
    bson::BSONObjBuilder inner;
    inner.append("bondCode", "260221").append("bondCode", "260322").append("direction", "");
    inner.append("bidRate", DBL_MAX).append("bidVolume", -0.0);
    writeSeed(t, "fields-repeated-extreme.bson", bytesOf(withField("btdparam", inner.obj())));
  }
  {
    bson::BSONObjBuilder inner;
    inner
        .append("bondCode", std::string("26\0"
                                        "0221",
                                        7))
        .append("bidRate", 1LL << 60);
    writeSeed(t, "code-with-nul.bson", bytesOf(withField("btdparam", inner.obj())));
  }
  {
    bson::BSONObjBuilder b;
    b.append("btdparam", good).append("btdparam", bson::BSONObj());
    writeSeed(t, "btdparam-twice.bson", bytesOf(b.obj()));
  }
  writeSeed(t, "btdparam-nested.bson", bytesOf(withField("btdparam", withField("btdparam", good))));
  writeSeed(t, "empty.bson", bytesOf(bson::BSONObj()));
  // Whole order commands of the sample set, tender and plain ones.
  int tender = 0;
  int plain = 0;
  for (const auto& command : set.orderCommands) {
    const bool isTender = command->tradeType == mxservice::NQ_TRADER_BOND_TENDER;
    int& count = isTender ? tender : plain;
    if (count == (isTender ? 4 : 2)) continue;
    ++count;
    writeSeed(t, "command-" + std::to_string(command->commandId) + ".bson",
              bytesOf(command->toBsonObj()));
  }
}

void cellSeeds(const mxservice::DataSet& set) {
  const char* t = "fuzz_cell_format";
  // One instrument of each trading type of the sample set.
  std::set<int> seen;
  for (const auto& instrument : set.instruments) {
    if (!seen.insert(instrument->tradeType).second) continue;
    writeSeed(
        t, "instrument-" + std::to_string(instrument->tradeType) + "-" + instrument->code + ".bson",
        bytesOf(instrument->toBsonObj()));
  }
  int n = 0;
  for (const auto& entry : set.interBankBonds) {
    if (n++ == 2) break;
    writeSeed(t, "interbank-" + entry.second->bondCode + ".bson",
              bytesOf(entry.second->toBsonObj()));
  }
  n = 0;
  for (const auto& entry : set.tenderBonds) {
    if (n++ == 3) break;
    writeSeed(t, "tender-" + entry.second->bondCode + ".bson", bytesOf(entry.second->toBsonObj()));
  }
  // Values at the edges of what the readers let through.
  {
    bson::BSONObjBuilder b;
    b.append("tradeType", 1).append("marketId", "SH").append("code", "600000");
    b.append("name", "极值").append("priceTick", 1e-300).append("preClose", 9.9e17);
    b.append("upperLimit", 1e18).append("lowerLimit", -DBL_MAX).append("floatCapital", 1e308);
    b.append("totalCapital", -0.0).append("faceValue", DBL_MIN);
    b.append("maxLimitOrderVolume", INT_MAX - 1).append("volumeMultiple", INT_MIN);
    b.append("attributeFlags", LLONG_MIN);
    writeSeed(t, "instrument-extremes.bson", bytesOf(b.obj()));
  }
  {
    bson::BSONObjBuilder commission;
    commission.append("mode", 2).append("open", 1e17).append("close", -1.0);
    commission.append("intradayOpen", 0.0).append("intradayClose", 5e-324);
    bson::BSONObjBuilder b;
    b.append("tradeType", 2).append("marketId", "SHFE").append("code", "cu2501");
    b.append("volumeMultiple", 0).append("priceTick", 0.0).append("preSettlement", 1e15);
    b.append("longMarginRate", 1e10).append("commission", commission.obj());
    writeSeed(t, "future-commission-extremes.bson", bytesOf(b.obj()));
  }
  {
    bson::BSONObjBuilder b;
    b.append("tradeType", 64).append("marketId", "CME").append("code", "ES2503");
    b.append("priceTick", 0.25).append("contractUnit", 50.0).append("marginUnit", 1e19);
    b.append("exchangeCode", "CME").append("currency", "USD").append("strikePrice", 3.0);
    writeSeed(t, "outer-future.bson", bytesOf(b.obj()));
  }
  {
    bson::BSONObjBuilder b;
    b.append("tradeType", 512).append("marketId", "OTC").append("code", "001445");
    b.append("fundType", 99).append("prStatus", -1).appendArray("bonusTypes", {0, 1, 7});
    b.append("latestNetValue", 1e300).append("supportConversion", true);
    writeSeed(t, "fund-odd.bson", bytesOf(b.obj()));
  }
  writeSeed(t, "empty.bson", bytesOf(bson::BSONObj()));
}

// Layout texts as the instrument tables save them, after the changes a user
// makes: moved, resized and hidden columns and a sort.
void layoutSeeds() {
  const char* t = "fuzz_table_layout";
  const mxservice::ENqTraderType types[] = {mxservice::NQ_TRADER_STOCK,
                                            mxservice::NQ_TRADER_OUTER_FUTURE,
                                            mxservice::NQ_TRADER_BOND_TENDER};
  for (mxservice::ENqTraderType type : types) {
    LW::CHpfInsTable table(type, nullptr);
    table.setTradeType(type);
    const std::string prefix = "layout-" + std::to_string(static_cast<int>(type));
    writeSeed(t, prefix + "-default.txt", table.saveConfigStr().toStdString());
    const int count = table.columnCount();
    if (count < 3) continue;
    table.moveColumn(table.columnID(count - 1), 0);
    table.setColumnWidth(table.columnID(1), 200);
    writeSeed(t, prefix + "-moved.txt", table.saveConfigStr().toStdString());
    table.setColumnHidden(table.columnID(2), true);
    table.sortByColumn(table.columnID(1), false);
    writeSeed(t, prefix + "-hidden-sorted.txt", table.saveConfigStr().toStdString());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <corpus directory>\n", argv[0]);
    return 2;
  }
  g_root = argv[1];
  lwfuzz::quietHostLog();
  lwfuzz::ensureApplication();
  const mxservice::DataSet set = mxservice::loadDataSet(lwfuzz::sampleDataDirectory());
  mxservice::CHostServices::install(set);
  tenderSeeds(set);
  cellSeeds(set);
  layoutSeeds();
  return 0;
}
