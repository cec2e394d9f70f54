// The models filter and format on their worker threads while the GUI thread
// paints cells with the same functions: both must be free of shared mutable
// state. Run under ThreadSanitizer, a cache or lazily built table added
// later without a lock shows up here.
#include <gtest/gtest.h>

#include <QStringList>
#include <QVector>
#include <atomic>
#include <thread>
#include <vector>

#include "host/text/numberformat.h"
#include "host/text/pinyinmatch.h"
#include "instrumentnames.h"

namespace {

TEST(TextThreads, matchAndFormatGiveTheSameResultsOnEveryThread) {
  const QStringList filters = {"ZG", "payh", "CJDL", "50ETF", "YH", "ZZ", "安", "Q"};
  QVector<QString> names;
  for (const InstrumentName& n : kInstrumentNames) names.append(QString::fromUtf8(n.name));

  // Reference results from this thread, before any other thread runs.
  QVector<bool> expectedMatches;
  for (const QString& filter : filters)
    for (const QString& name : names) expectedMatches.append(GU::isInByPy(name, filter));
  QVector<QString> expectedTexts;
  for (int i = 0; i < 500; ++i)
    expectedTexts.append(GU::formatDoubleNumber(i * 1.005, i % 6, 0, false, "x") +
                         GU::formatIntNumber(i * 1001, 8, utils::FORMAT_NUMBER_THOUSANDS));

  std::atomic<int> mismatches{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 20; ++round) {
        int k = 0;
        for (const QString& filter : filters) {
          for (const QString& name : names) {
            if (GU::isInByPy(name, filter) != expectedMatches[k++]) ++mismatches;
          }
        }
        for (int i = t; i < 500; i += 4) {
          const QString text = GU::formatDoubleNumber(i * 1.005, i % 6, 0, false, "x") +
                               GU::formatIntNumber(i * 1001, 8, utils::FORMAT_NUMBER_THOUSANDS);
          if (text != expectedTexts[i]) ++mismatches;
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(mismatches.load(), 0);
  EXPECT_GT(expectedMatches.count(true), 50);
}

}  // namespace
