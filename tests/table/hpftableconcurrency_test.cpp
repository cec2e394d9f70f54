// A worker rebuilds the rows (clear + addData) over and over while the GUI
// thread updates and paints the table: the view only ever shows complete
// lists, and delegate state changes from the worker are safe.
#include "hpftestsupport.h"

#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "host/table/hpfdatatable.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <atomic>

using namespace hpftest;

TEST(HpfTableConcurrency, workerRebuildsWhileTheGuiUpdatesAndPaints) {
  const int kRows = 2000;
  const int kRebuilds = 40;
  auto model = boost::make_shared<CTestModel>();
  QWidget parent;
  parent.resize(600, 400);
  auto* table = new LW::CHpfDataTable(1, 550, &parent, GU::MENU_FLAG_ALL);
  table->setGeometry(0, 0, 600, 400);
  table->setDataModel(model);
  auto delegate = boost::make_shared<GU::CBaseTableColumnMultiButtonsDelegate>(COL_NAME, table);
  table->setColumnDelegate(COL_NAME, delegate);
  table->sortByColumn(COL_PRICE, false);

  std::atomic<int> finished{0};
  for (int generation = 1; generation <= kRebuilds; ++generation) {
    model->post([model, generation, &finished]() {
      model->clear();
      boost::shared_ptr<GU::CBaseTableColumnMultiButtonsDelegate> buttons =
          boost::dynamic_pointer_cast<GU::CBaseTableColumnMultiButtonsDelegate>(
              model->columnDelegate(COL_NAME));
      if (generation % 2) buttons->clear();
      for (int i = 0; i < kRows; ++i) {
        const std::string key = "k" + std::to_string(i);
        model->addData(row(key, (i * 7919) % 1000, i, QString(), generation));
        buttons->setItemButtons(
            key, {GU::ButtonData(10500, QStringLiteral("+"), GU::NORMAL_BUTTON_PRIMARY, false, {})},
            true);
        buttons->setItemEnabled(key, i % 3 != 0, true);
      }
      // Rows updated in place after the rebuild, as order updates do.
      for (int i = 0; i < kRows; i += 97)
        model->updateData(row("k" + std::to_string(i), 1, i, QString(), generation));
      ++finished;
    });
  }

  QImage canvas(600, 400, QImage::Format_ARGB32_Premultiplied);
  int checks = 0;
  int lastGeneration = 0;
  QElapsedTimer timer;
  timer.start();
  while ((finished < kRebuilds || table->viewRowCount() != kRows) && timer.elapsed() < 60000) {
    table->updateTable();
    const int shown = table->viewRowCount();
    ASSERT_TRUE(shown == 0 || shown == kRows) << shown;
    if (shown > 0) {
      // One consistent list: every shown row of the same rebuild, and the
      // rebuilds never go backwards.
      const int generation = static_cast<CTestRow*>(table->viewRowData(0).get())->generation();
      for (int i = 0; i < shown; i += 37) {
        ASSERT_EQ(static_cast<CTestRow*>(table->viewRowData(i).get())->generation(), generation);
      }
      ASSERT_GE(generation, lastGeneration);
      lastGeneration = generation;
      // Sorted descending by price, stably.
      for (int i = 1; i < shown; i += 53)
        ASSERT_GE(table->viewRowData(i - 1)->getDouble(COL_PRICE),
                  table->viewRowData(i)->getDouble(COL_PRICE));
    }
    table->scrollToViewRow((checks * 131) % kRows);
    QPainter painter(&canvas);
    table->render(&painter);
    painter.end();
    QCoreApplication::processEvents();
    ++checks;
  }
  ASSERT_TRUE(model->waitForIdle());
  table->updateTable();
  EXPECT_EQ(table->viewRowCount(), kRows);
  EXPECT_EQ(static_cast<CTestRow*>(table->viewRowData(0).get())->generation(), kRebuilds);
  EXPECT_GT(checks, 1);
  EXPECT_EQ(delegate->itemCount(), kRows);
  EXPECT_FALSE(delegate->isItemEnabled("k0"));
  EXPECT_TRUE(delegate->isItemEnabled("k1"));

  // The table goes while the model lives on: later commits reach no table.
  delete table;
  model->post([model]() { model->addData(row("after")); });
  ASSERT_TRUE(model->waitForIdle());
  QCoreApplication::processEvents();
}

TEST(HpfTableConcurrency, aTableLeftWhileAJobRunsTakesTheRowsWhenItCommits) {
  auto model = boost::make_shared<CTestModel>();
  QWidget parent;
  auto* table = new LW::CHpfDataTable(1, 550, &parent, GU::MENU_FLAG_ALL);
  table->setDataModel(model);
  std::mutex mutex;
  std::condition_variable cv;
  bool started = false, release = false;
  model->post([&]() {
    model->clear();
    for (int i = 0; i < 500; ++i) model->addData(row("r" + std::to_string(i)));
    std::unique_lock<std::mutex> lock(mutex);
    started = true;
    cv.notify_all();
    cv.wait(lock, [&]() { return release; });
  });
  {
    std::unique_lock<std::mutex> lock(mutex);
    cv.wait(lock, [&]() { return started; });
  }
  table->updateTable();  // the job is still building: nothing half-built shown
  EXPECT_EQ(table->viewRowCount(), 0);
  {
    std::lock_guard<std::mutex> lock(mutex);
    release = true;
    cv.notify_all();
  }
  ASSERT_TRUE(model->waitForIdle());
  QElapsedTimer timer;
  timer.start();
  while (table->viewRowCount() != 500 && timer.elapsed() < 10000) QCoreApplication::processEvents();
  EXPECT_EQ(table->viewRowCount(), 500);
}
