// The loader's threads, blocks, progress and cancelling: a file of several
// blocks gives the same records and error lines (with the right line
// numbers across block ends) on any number of threads and on either reader;
// progress only grows and reaches the end; a cancelled load stops early and
// returns what it has.
#include "datasetdump.h"

#include "host/data/datasetloader.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

#include <atomic>
#include <fstream>
#include <set>
#include <thread>

using namespace dataset_test;

namespace {

const QDate kToday(2027, 3, 10);

void writeFile(const std::string& dir, const char* name, const std::string& content) {
  std::ofstream out(dir + "/" + name, std::ios::binary);
  out << content;
}

// A data set whose instruments.jsonl spans several read blocks (over 8 MB),
// with a damaged line every 997 lines and one line longer than a block.
// Returns the line numbers that must be reported, by kind of damage.
constexpr int kLines = 12000;

struct LargeSet {
  std::set<int> badLines;  // reported "line skipped" or "record skipped"
  int goodRecords = 0;
};

LargeSet writeLargeSet(const std::string& dir) {
  writeFile(dir, "exchanges.jsonl", "{\"marketId\": \"SH\"}\n{\"marketId\": \"SZ\"}\n");
  LargeSet set;
  std::string text = "\xEF\xBB\xBF";
  const std::string padding(220, 'x');
  for (int line = 1; line <= kLines; ++line) {
    const std::string code = std::to_string(100000 + line);
    const std::string good = "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"" + code +
                             "\", \"name\": \"名称" + code + "\", \"productName\": \"" + padding +
                             "\", \"preClose\": 12.5}";
    if (line == 6000) {
      // Longer than a read block: the block grows to hold it.
      text += "{\"tradeType\": 1, \"marketId\": \"SZ\", \"code\": \"" + code + "\", \"name\": \"" +
              std::string(5u << 20, 'y') + "\"}\n";
      ++set.goodRecords;
      continue;
    }
    switch (line % 997 == 0 ? (line / 997) % 5 : -1) {
      case 0:  // truncated
        text += good.substr(0, good.size() / 2) + "\n";
        set.badLines.insert(line);
        break;
      case 1:  // blank, CRLF
        text += "  \r\n";
        break;
      case 2:  // duplicate of line 1
        text += "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"100001\"}\r\n";
        set.badLines.insert(line);
        break;
      case 3:  // invalid UTF-8
        text += "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"\xff" + code + "\"}\n";
        set.badLines.insert(line);
        break;
      case 4:  // extended JSON: good, read through BSON
        text += "{\"tradeType\": {\"$numberInt\": \"1\"}, \"marketId\": \"SH\", \"code\": \"" +
                code + "\"}\n";
        ++set.goodRecords;
        break;
      default:
        text += good + (line % 2 ? "\n" : "\r\n");
        ++set.goodRecords;
        break;
    }
  }
  text.pop_back();  // the last line without its line end
  writeFile(dir, "instruments.jsonl", text);
  for (const char* name : {"fundplans.jsonl", "interbank_bonds.jsonl", "tender_bonds.jsonl",
                           "order_commands.jsonl", "bond_trade_infos.jsonl"})
    writeFile(dir, name, "");
  writeFile(dir, "config.json", "{}");
  writeFile(dir, "enums.json", "{}");
  return set;
}

// The line number of an error line "instruments.jsonl:<n>...".
int lineOf(const std::string& error) {
  const std::string prefix = "instruments.jsonl:";
  if (error.compare(0, prefix.size(), prefix) != 0) return -1;
  return std::atoi(error.c_str() + prefix.size());
}

}  // namespace

TEST(DataSetLoadOptions, largeFileGivesTheSameResultOnEveryThreadCountAndReader) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const LargeSet expected = writeLargeSet(dir.path().toStdString());
  std::string reference;
  struct Variant {
    int threads;
    bool useJsonReader;
  };
  for (const Variant v : {Variant{1, false}, Variant{1, true}, Variant{2, true}, Variant{3, true},
                          Variant{5, false}}) {
    SCOPED_TRACE(std::to_string(v.threads) + (v.useJsonReader ? " json" : " bson"));
    mxservice::DataSetLoadOptions options;
    options.threads = v.threads;
    options.useJsonReader = v.useJsonReader;
    const mxservice::DataSet set =
        mxservice::loadDataSet(dir.path().toStdString(), kToday, options);
    EXPECT_EQ(set.instruments.size(), static_cast<std::size_t>(expected.goodRecords));
    std::set<int> reported;
    for (const std::string& error : set.errors) reported.insert(lineOf(error));
    EXPECT_EQ(reported, expected.badLines);
    ASSERT_FALSE(set.instruments.empty());
    EXPECT_EQ(set.instruments.front()->code, "100001");  // the byte order mark is gone
    EXPECT_EQ(set.instruments.back()->code, "112000");   // the line without a line end
    const std::string dump = dumpDataSet(set);
    if (reference.empty()) {
      reference = dump;
    } else {
      EXPECT_EQ(firstDifference(reference, dump), "");
    }
  }
}

TEST(DataSetLoadOptions, progressGrowsToTheEndAndCountsErrors) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const LargeSet large = writeLargeSet(dir.path().toStdString());
  std::vector<mxservice::DataSetLoadProgress> seen;
  const std::thread::id caller = std::this_thread::get_id();
  bool otherThread = false;
  mxservice::DataSetLoadOptions options;
  options.threads = 2;
  options.progress = [&](const mxservice::DataSetLoadProgress& p) {
    otherThread |= std::this_thread::get_id() != caller;
    seen.push_back(p);
  };
  const mxservice::DataSet set = mxservice::loadDataSet(dir.path().toStdString(), kToday, options);

  EXPECT_FALSE(otherThread) << "progress is reported on the loading thread";
  ASSERT_GE(seen.size(), 4u) << "several batches and files";
  for (std::size_t i = 1; i < seen.size(); ++i) {
    EXPECT_GE(seen[i].filesDone, seen[i - 1].filesDone) << i;
    EXPECT_GE(seen[i].records, seen[i - 1].records) << i;
    EXPECT_GE(seen[i].bytesRead, seen[i - 1].bytesRead) << i;
    EXPECT_GE(seen[i].errors, seen[i - 1].errors) << i;
    EXPECT_LE(seen[i].bytesRead, seen[i].bytesTotal) << i;
  }
  const mxservice::DataSetLoadProgress& last = seen.back();
  EXPECT_EQ(last.filesDone, last.filesTotal);
  EXPECT_EQ(last.filesTotal, 9u);
  EXPECT_EQ(last.bytesRead + 3, last.bytesTotal) << "everything but the byte order mark";
  EXPECT_EQ(last.errors, set.errors.size());
  EXPECT_EQ(last.errors, large.badLines.size());
  // Lines 997 * k, k = 1..12, are damaged by k % 5: two truncated, three
  // blank, three duplicates, two invalid UTF-8, two extended JSON. Non-blank
  // lines: the two exchanges and all instruments lines but the three blank.
  EXPECT_EQ(last.records, 2u + 12000u - 3u);
  // Through BSON: the truncated, invalid UTF-8 and extended JSON lines.
  EXPECT_EQ(last.bsonLines, 2u + 2u + 2u);
}

TEST(DataSetLoadOptions, cancellingStopsEarlyAndKeepsWhatWasRead) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const LargeSet large = writeLargeSet(dir.path().toStdString());
  struct Case {
    const char* name;
    bool before;  // cancelled before the load starts, else at the first batch
  };
  for (const Case c : {Case{"before", true}, Case{"during", false}}) {
    SCOPED_TRACE(c.name);
    std::atomic<bool> cancel{c.before};
    int calls = 0;
    mxservice::DataSetLoadOptions options;
    options.threads = 2;
    options.cancel = &cancel;
    options.progress = [&](const mxservice::DataSetLoadProgress& p) {
      ++calls;
      if (p.records > 2) cancel = true;
    };
    const mxservice::DataSet set =
        mxservice::loadDataSet(dir.path().toStdString(), kToday, options);
    EXPECT_LT(set.instruments.size(), static_cast<std::size_t>(large.goodRecords));
    if (c.before) {
      EXPECT_TRUE(set.instruments.empty());
      EXPECT_TRUE(set.exchanges.empty());
    } else {
      EXPECT_EQ(set.exchanges.size(), 2u);
      EXPECT_FALSE(set.instruments.empty());
    }
    EXPECT_GE(calls, 1) << "the end is still reported";
  }
}
