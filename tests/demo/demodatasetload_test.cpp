// The demo's data-set load off the GUI thread: progress arrives on the GUI
// thread and only grows to the end, the errors of bad lines still arrive
// with the set, and closing the loading window or destroying the load
// mid-way stops it without anything reaching a destroyed object.
#include "demodatasetload.h"
#include "demoloadprogress.h"

#include <gtest/gtest.h>

#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <fstream>
#include <memory>

namespace {

// A set large enough for several progress batches (about 12 MB of
// instruments), with a bad line every 5,000.
void writeSet(const QString& dir, int lines) {
  const std::string path = dir.toStdString();
  std::ofstream(path + "/exchanges.jsonl") << "{\"marketId\": \"SH\"}\n";
  std::ofstream out(path + "/instruments.jsonl", std::ios::binary);
  const std::string filler(300, 'z');
  for (int i = 1; i <= lines; ++i) {
    if (i % 5000 == 0) {
      out << "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"" << i << "\"\n";
      continue;
    }
    out << "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"" << (100000 + i)
        << "\", \"productName\": \"" << filler << "\"}\n";
  }
  for (const char* name : {"fundplans.jsonl", "interbank_bonds.jsonl", "tender_bonds.jsonl",
                           "order_commands.jsonl", "bond_trade_infos.jsonl"})
    std::ofstream(path + "/" + name) << "";
  std::ofstream(path + "/config.json") << "{}";
  std::ofstream(path + "/enums.json") << "{}";
}

}  // namespace

TEST(DemoDataSetLoad, progressGrowsOnTheGuiThreadAndTheErrorsArriveWithTheSet) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  writeSet(dir.path(), 40000);
  demo::CDemoDataSetLoad load;
  std::vector<mxservice::DataSetLoadProgress> seen;
  bool offThread = false;
  QObject::connect(&load, &demo::CDemoDataSetLoad::sigProgress, [&] {
    offThread |= QThread::currentThread() != load.thread();
    seen.push_back(load.progress());
  });
  QSignalSpy finished(&load, &demo::CDemoDataSetLoad::sigFinished);
  load.start(dir.path());
  ASSERT_TRUE(finished.wait(120000));
  EXPECT_TRUE(load.isFinished());
  EXPECT_FALSE(offThread);
  ASSERT_FALSE(seen.empty());
  for (std::size_t i = 1; i < seen.size(); ++i) {
    EXPECT_GE(seen[i].records, seen[i - 1].records) << i;
    EXPECT_GE(seen[i].bytesRead, seen[i - 1].bytesRead) << i;
    EXPECT_GE(seen[i].filesDone, seen[i - 1].filesDone) << i;
  }
  // The last progress is posted before the result: by sigFinished it is in.
  EXPECT_EQ(load.progress().filesDone, load.progress().filesTotal);
  EXPECT_EQ(load.progress().records, 40001u);
  EXPECT_EQ(load.progress().errors, 8u);

  const mxservice::DataSet set = load.takeDataSet();
  EXPECT_EQ(set.instruments.size(), 40000u - 8u);
  ASSERT_EQ(set.errors.size(), 8u);
  EXPECT_EQ(set.errors.front().rfind("instruments.jsonl:5000: invalid JSON", 0), 0u)
      << set.errors.front();
  EXPECT_TRUE(load.takeDataSet().instruments.empty()) << "the set is handed over once";
}

TEST(DemoDataSetLoad, stoppingMidLoadReachesNothingDestroyed) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  writeSet(dir.path(), 80000);
  struct Case {
    const char* name;
    bool closeWindow;  // else the load object is destroyed directly
  };
  for (const Case c : {Case{"window closed", true}, Case{"load destroyed", false}}) {
    SCOPED_TRACE(c.name);
    auto load = std::make_unique<demo::CDemoDataSetLoad>();
    auto window = std::make_unique<demo::CDemoLoadProgress>(load.get(), dir.path(), 0);
    QSignalSpy progressed(load.get(), &demo::CDemoDataSetLoad::sigProgress);
    QSignalSpy closed(window.get(), &demo::CDemoLoadProgress::sigClosed);
    load->start(dir.path());
    ASSERT_TRUE(progressed.wait(60000));
    if (c.closeWindow) {
      QTRY_VERIFY_WITH_TIMEOUT(window->isVisible(), 5000);
      window->close();
      EXPECT_EQ(closed.count(), 1);
    }
    // As main() does when the window is closed: the window, then the load.
    window.reset();
    load.reset();  // closes its posts, stops the load and joins its thread
    // Posts queued before the destruction must find nothing to reach.
    QTest::qWait(100);
    QCoreApplication::processEvents();
  }
}
