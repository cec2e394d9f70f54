// Texts are translated on the models' workers (cell texts, fee units) while
// the GUI thread may install or remove a translation: each lookup must see
// either the source text or the translation, and nothing may race.
#include "host/ui/uitranslation.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <atomic>
#include <thread>
#include <vector>

namespace {

TEST(UiTranslationThreads, workersTranslateWhileTheGuiThreadSwitchesLanguage) {
  const QString source = QString::fromUtf8("选择日期");
  const QString english = QStringLiteral("Choose a date");
  std::atomic<bool> stop{false};
  std::atomic<int> lookups{0};
  std::atomic<int> strays{0};
  std::vector<std::thread> workers;
  for (int w = 0; w < 3; ++w) {
    workers.emplace_back([&] {
      while (!stop.load()) {
        const QString text = QCoreApplication::translate("GU::CSoftCalendarLineEdit", "选择日期");
        if (text != source && text != english) ++strays;
        ++lookups;
      }
    });
  }
  int englishSeen = 0;
  for (int round = 0; round < 60; ++round) {
    const bool toEnglish = round % 2 == 0;
    EXPECT_TRUE(GU::CUiTranslation::install(toEnglish ? QLocale(QLocale::English)
                                                      : QLocale(QLocale::Chinese)));
    const QString now = QCoreApplication::translate("GU::CSoftCalendarLineEdit", "选择日期");
    EXPECT_EQ(now, toEnglish ? english : source);
    if (now == english) ++englishSeen;
  }
  // Let the workers run past the last switch before stopping them.
  const int before = lookups.load();
  while (lookups.load() < before + 100) std::this_thread::yield();
  stop = true;
  for (std::thread& worker : workers) worker.join();
  EXPECT_EQ(strays.load(), 0);
  EXPECT_EQ(englishSeen, 30);
  GU::CUiTranslation::install(QLocale(QLocale::Chinese));
}

}  // namespace
