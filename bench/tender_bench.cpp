// The cost of the tender loop over realistic account sizes: a trading desk
// follows a few thousand tender bonds and holds ten order commands per bond.
//
// - TenderSearch: one search in text mode with an empty text, so every bond
//   is kept and needs its status; timed from the call until the worker is
//   idle (rows added, sigRefreshed emitted).
// - TenderRowUpdate: the row rebuild that follows one order-command change
//   (status derived over all commands of the account).
// - TenderStatus_OnePass / _PerBond: the status of every bond from the
//   commands alone, by the one-pass table and by the rule applied bond by
//   bond (the latter on small sizes only: it is quadratic).
//
// The data set is built and installed outside the timed loops.

#include "host/services/hostservices.h"
#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "tender/tendermodel.h"
#include "tender/tenderstatustable.h"

#include "qtbenchmarkmain.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QDate>
#include <boost/make_shared.hpp>
#include <string>
#include <vector>

namespace {

constexpr int kCommandsPerBond = 10;

int g_installedBonds = -1;
std::vector<mxservice::CTenderBondInfoDetailPtr> g_bonds;

std::string bondCode(int i) { return "T" + std::to_string(100000 + i) + ".IB"; }

bson::BSONObj tenderParams(const std::string& code, int i) {
  bson::BSONObjBuilder inner;
  inner.append("bondCode", code);
  inner.append("direction", i % 2 ? "execution" : "allocation");
  inner.append("bidRate", 2.5 + i % 7 * 0.01);
  inner.append("bidVolume", 1.0 + i % 5);
  bson::BSONObjBuilder outer;
  outer.append("btdparam", inner.obj());
  outer.append("remark", "tender");
  return outer.obj();
}

// bonds tender bonds, kCommandsPerBond commands each, interleaved as a desk
// enters them (bond by bond in rounds), mostly revoked with a deciding
// status late in the list.
void installTenders(int bonds) {
  if (g_installedBonds == bonds) return;
  mxservice::DataSet set;
  g_bonds.clear();
  const std::string today = QDate::currentDate().toString("yyyyMMdd").toStdString();
  for (int i = 0; i < bonds; ++i) {
    auto bond = boost::make_shared<mxservice::CTenderBondInfoDetail>();
    bond->bondCode = bondCode(i);
    bond->shortName = "22国开" + std::to_string(i);
    bond->fullName = "2022年第" + std::to_string(i) + "期金融债券";
    bond->basicBidUnit = 1000;
    bond->bondType = 3;
    bond->tenderDate = today;
    bond->setInternalAmount(i % 3);
    set.tenderBonds[bond->getKey()] = bond;
    g_bonds.push_back(bond);
  }
  const int statuses[] = {5, 5, 5, 5, 5, 5, 5, 2, 204, 201};
  int id = 1;
  for (int round = 0; round < kCommandsPerBond; ++round) {
    for (int i = 0; i < bonds; ++i, ++id) {
      auto command = boost::make_shared<mxservice::COrderCommand>();
      command->tradeType = mxservice::NQ_TRADER_BOND_TENDER;
      command->commandId = id;
      command->passBackText = "pb" + std::to_string(id);
      command->params = tenderParams(bondCode(i), id);
      command->setStatus(statuses[(round + i) % kCommandsPerBond]);
      set.orderCommands.push_back(command);
    }
  }
  set.enumNames["mxservice::EIbBondType"] = {{3, "金融债"}};
  mxservice::CHostServices::install(set);
  g_installedBonds = bonds;
}

boost::shared_ptr<LW::CTenderModel> tenderModel() {
  auto model = boost::make_shared<LW::CTenderModel>();
  // As a tender panel sets it up: the action buttons live in column 3.
  model->setColumnDelegate(
      3, boost::make_shared<GU::CBaseTableColumnMultiButtonsDelegate>(3, nullptr));
  return model;
}

void BM_TenderSearch(benchmark::State& state) {
  const int bonds = static_cast<int>(state.range(0));
  installTenders(bonds);
  auto model = tenderModel();
  for (auto _ : state) {
    model->searchTenderBonds(false, "债券代码", "", "", "", false);
    model->waitForIdle();
  }
  if (model->rowCount() != bonds) state.SkipWithError("not every bond was listed");
  state.counters["bonds"] = bonds;
  state.counters["commands"] = bonds * kCommandsPerBond;
}

void BM_TenderRowUpdate(benchmark::State& state) {
  const int bonds = static_cast<int>(state.range(0));
  installTenders(bonds);
  auto model = tenderModel();
  model->searchTenderBonds(false, "债券代码", "", "", "", false);
  model->waitForIdle();
  const mxservice::CTenderBondInfoDetailPtr bond = g_bonds[bonds / 2];
  for (auto _ : state) model->updateTenderRow(bond);
  state.counters["commands"] = bonds * kCommandsPerBond;
}

void BM_TenderStatus_OnePass(benchmark::State& state) {
  const int bonds = static_cast<int>(state.range(0));
  installTenders(bonds);
  for (auto _ : state) {
    const LW::CTenderStatusTable table(LW::currentOrderCommands());
    int sum = 0;
    for (const auto& bond : g_bonds) sum += table.status(bond->bondCode);
    benchmark::DoNotOptimize(sum);
  }
}

void BM_TenderStatus_PerBond(benchmark::State& state) {
  const int bonds = static_cast<int>(state.range(0));
  installTenders(bonds);
  for (auto _ : state) {
    const auto commands = LW::currentOrderCommands();
    int sum = 0;
    for (const auto& bond : g_bonds) sum += LW::tenderStatusOfBond(commands, bond->bondCode);
    benchmark::DoNotOptimize(sum);
  }
}

void BM_TenderCommandCopy(benchmark::State& state) {
  installTenders(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(LW::currentOrderCommands());
}

BENCHMARK(BM_TenderCommandCopy)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenderSearch)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenderRowUpdate)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenderStatus_OnePass)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenderStatus_PerBond)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  const int result = lwbench::runWithQApplication(argc, argv);
  g_bonds.clear();
  mxservice::CHostServices::reset();
  return result;
}
