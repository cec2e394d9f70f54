// The demo window as the panels' host: panel creation, the saved layout and
// panel settings, the selected stock, the favourites loop back to the
// type-64 buttons, the signal log and the simulated host events.
#include "demotestsupport.h"
#include "eventwait.h"

#include "demologpane.h"
#include "demoscreenshot.h"
#include "demosimulator.h"
#include "demotranslation.h"

#include "host/services/calcoverdue.h"
#include "host/services/config.h"
#include "host/services/exchangeclient.h"
#include "host/services/tradeclient.h"
#include "host/services/userconfig.h"
#include "host/services/usermanager.h"
#include "host/table/ibasehpftabledata.h"
#include "host/ui/dockmanager.h"
#include "host/ui/searchtextlineedit.h"
#include "model/instrumentmodel.h"
#include "panel/hpfinstable.h"
#include "panel/instrumentspanel.h"
#include "quicksearch/quicksearchengine.h"
#include "quicksearch/quicksearchpopup.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDockWidget>
#include <QFile>
#include <QImage>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <atomic>

namespace demotest {
namespace {

class DemoWindowTest : public DemoTest {
protected:
  void TearDown() override {
    LW::CTradeClient::instance()->clearFailures();
    QCoreApplication::processEvents();
  }
};

TEST_F(DemoWindowTest, opensTheChosenPanelsInOrder) {
  demo::CDemoWindow window(optionsWithPanels("1,0x8000000,bif,64"), layoutFile());
  window.resize(1200, 800);
  window.openPanels();
  const QList<LW::ITradeDockableWidget*> panels = window.panels();
  ASSERT_EQ(panels.size(), 4);
  EXPECT_EQ(panels[0]->key(), QStringLiteral("itm"));
  EXPECT_EQ(static_cast<int>(panels[0]->tradeType()), 1);
  EXPECT_EQ(static_cast<int>(panels[1]->tradeType()), 0x8000000);
  EXPECT_EQ(panels[2]->key(), QStringLiteral("bif"));
  EXPECT_EQ(static_cast<int>(panels[3]->tradeType()), 64);
  // Tender lists go right of the exchange lists; bond information below.
  LW::CDockManager* docks = window.dockManager();
  EXPECT_EQ(window.dockWidgetArea(docks->dockOf(panels[0])), Qt::LeftDockWidgetArea);
  EXPECT_EQ(window.dockWidgetArea(docks->dockOf(panels[1])), Qt::RightDockWidgetArea);
  EXPECT_EQ(window.dockWidgetArea(docks->dockOf(panels[2])), Qt::BottomDockWidgetArea);
  window.show();
  EXPECT_TRUE(waitForRows(window));
}

// A list that stays empty (here the foreign futures of a broker-edition user
// allowed no product group) once made the screenshot wait out its whole
// timeout for rows that would never come.
TEST_F(DemoWindowTest, theScreenshotWaitsForTheLoadsNotForRows) {
  LW::getConfig()->setBrokerEdition(true);
  LW::getUserConfig()->setBrokerEditionUserType(0);
  demo::CDemoWindow window(optionsWithPanels("1,0x8000000,bif,64"), layoutFile());
  window.resize(1200, 800);
  window.openPanels();
  window.show();
  const int timeoutMs = 60000;
  const demo::SScreenshotResult shot =
      demo::takeScreenshot(&window, m_dir.filePath("shot.png"), timeoutMs);
  EXPECT_TRUE(shot.saved) << qPrintable(shot.error);
  EXPECT_TRUE(shot.loadingTables.isEmpty()) << qPrintable(shot.loadingTables.join(", "));
  EXPECT_LT(shot.waitedMs, timeoutMs / 2);

  // Every load reached its table before the picture: the other lists show
  // their rows without another turn of the event loop.
  LW::CInstrumentsPanel* foreign = instrumentsPanel(window, 64);
  ASSERT_TRUE(foreign);
  EXPECT_EQ(foreign->table()->model()->rowCount(), 0);
  EXPECT_EQ(foreign->table()->viewRowCount(), 0);
  int listed = 0;
  for (LW::CHpfDataTable* table : window.findChildren<LW::CHpfDataTable*>()) {
    if (table == foreign->table()) continue;
    EXPECT_GT(table->viewRowCount(), 0);
    ++listed;
  }
  EXPECT_EQ(listed, 3);
  LW::getConfig()->setBrokerEdition(false);
}

TEST_F(DemoWindowTest, theLayoutAndPanelSettingsAreSavedOnCloseAndRestoredAtTheNextStart) {
  QString savedParam;
  {
    demo::CDemoWindow window(optionsWithPanels("2,bif"), layoutFile());
    window.openPanels();
    window.show();
    ASSERT_TRUE(waitForRows(window));
    LW::CInstrumentsPanel* futures = instrumentsPanel(window, 2);
    ASSERT_TRUE(futures && futures->table());
    // A layout the user made: the second column hidden, sorted by the first.
    LW::CHpfInsTable* table = futures->table();
    table->setColumnHidden(table->columnID(1), true);
    table->sortByColumn(table->columnID(0), false);
    savedParam = futures->param();
    ASSERT_FALSE(savedParam.isEmpty());
    QSignalSpy saved(window.dockManager(), SIGNAL(sigLayoutSaved(QString)));
    window.close();
    EXPECT_EQ(saved.count(), 1);
  }
  ASSERT_TRUE(QFile::exists(layoutFile()));

  demo::CDemoOptions options;  // no --panels: the saved layout wins
  demo::CDemoWindow restored(options, layoutFile());
  restored.openPanels();
  const QList<LW::ITradeDockableWidget*> panels = restored.panels();
  ASSERT_EQ(panels.size(), 2);
  EXPECT_EQ(panels[0]->key(), QStringLiteral("itm"));
  EXPECT_EQ(static_cast<int>(panels[0]->tradeType()), 2);
  EXPECT_EQ(panels[1]->key(), QStringLiteral("bif"));
  EXPECT_EQ(panels[0]->param(), savedParam);
  LW::CHpfInsTable* table = instrumentsPanel(restored, 2)->table();
  EXPECT_TRUE(table->isColumnHidden(table->columnID(1)));
  EXPECT_TRUE(logContains(restored, QStringLiteral("恢复自")));

  // --reset-layout (like --panels) builds the default panels instead.
  demo::CDemoOptions reset;
  reset.resetLayout = true;
  demo::CDemoWindow fresh(reset, layoutFile());
  fresh.openPanels();
  EXPECT_EQ(fresh.panels().size(), static_cast<int>(demo::CDemoOptions::defaultPanels().size()));
}

TEST_F(DemoWindowTest, anUnusableLayoutFileGivesTheChosenPanels) {
  const QByteArray contents[] = {
      "not json",
      R"({"version": 1, "docks": [{"key": "itm", "id": 1, "tradeType": 3, "param": ""}]})",
      R"({"version": 1, "docks": [{"key": "zzz", "id": 1, "tradeType": 1}]})",
  };
  for (const QByteArray& content : contents) {
    SCOPED_TRACE(content.constData());
    QFile file(layoutFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();
    demo::CDemoOptions options;
    options.panels = {demo::SPanelChoice{demo::SPanelChoice::INSTRUMENTS, 1}};
    demo::CDemoWindow window(options, layoutFile());
    window.openPanels();
    ASSERT_EQ(window.panels().size(), 1);
    EXPECT_EQ(static_cast<int>(window.panels()[0]->tradeType()), 1);
  }
}

TEST_F(DemoWindowTest, theWindowShowsTheSelectedStockKey) {
  demo::CDemoWindow window(optionsWithPanels("1"), layoutFile());
  window.openPanels();
  window.show();
  ASSERT_TRUE(waitForRows(window));
  LW::CInstrumentsPanel* stocks = instrumentsPanel(window, 1);
  ASSERT_TRUE(stocks);
  LW::CHpfInsTable* table = stocks->table();
  // A real click on the first row.
  const QRect cell = table->visualCellRect(0, table->columnID(0));
  ASSERT_FALSE(cell.isEmpty());
  QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
  const QString key = QString::fromStdString(table->viewRowData(0)->key());
  EXPECT_EQ(window.selectedStockKey(), key);
  EXPECT_TRUE(window.windowTitle().contains(key));
  EXPECT_TRUE(logContains(window, QStringLiteral("sigSelectStock(%1)").arg(key)));
}

// Typing into a list opens the quick search popup; typing into a text field
// does not. A pick is logged, selects the instrument and is remembered in the
// demo's settings for the next window.
TEST_F(DemoWindowTest, typingIntoTheWindowOpensTheQuickSearchAndItsPickIsLoggedAndKept) {
  QString pickedKey;
  {
    demo::CDemoWindow window(optionsWithPanels("1"), layoutFile());
    window.openPanels();
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(waitForRows(window));
    LW::CQuickSearchPopup* popup = window.quickSearch();
    ASSERT_TRUE(popup);
    ASSERT_TRUE(testsupport::waitFor([&] { return popup->engine()->isReady(); }, 20000));

    LW::CInstrumentsPanel* stocks = instrumentsPanel(window, 1);
    ASSERT_TRUE(stocks && stocks->searchEdit());
    stocks->searchEdit()->setFocus();
    ASSERT_TRUE(testsupport::waitFor([&] { return QApplication::focusWidget() != nullptr; }));
    QTest::keyClick(QApplication::focusWidget(), '6');
    EXPECT_FALSE(popup->isVisible()) << "typing into the search field stays there";

    stocks->table()->setFocus();
    ASSERT_TRUE(testsupport::waitFor([&] { return QApplication::focusWidget() != nullptr; }));
    QTest::keyClick(QApplication::focusWidget(), '6');
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->text(), QStringLiteral("6"));
    ASSERT_GT(popup->rowCount(), 0);
    QTest::keyClick(popup->lineEdit(), Qt::Key_Return);
    EXPECT_FALSE(popup->isVisible());
    ASSERT_EQ(popup->recentPicks().size(), 1);
    const QStringList pick = popup->recentPicks().first().split('|');
    pickedKey = pick.first();
    EXPECT_EQ(window.selectedStockKey(), pickedKey);
    EXPECT_TRUE(logContains(window, QStringLiteral("sigSelectStock(%1)").arg(pickedKey)));
    EXPECT_TRUE(logContains(
        window, QStringLiteral("sigSelectInstrument(%1, %2)").arg(pickedKey, pick.last())));
  }
  demo::CDemoWindow next(optionsWithPanels("1"), layoutFile());
  ASSERT_EQ(next.quickSearch()->recentPicks().size(), 1);
  EXPECT_TRUE(next.quickSearch()->recentPicks().first().startsWith(pickedKey + "|"));
}

// The popup is a window of its own: a screenshot of the main window alone
// would leave it out, so the picture paints it in where it sits.
TEST_F(DemoWindowTest, aQuickSearchScreenshotShowsThePopupWhereItSits) {
  demo::CDemoWindow window(optionsWithPanels("1,2"), layoutFile());
  window.resize(1200, 800);
  window.openPanels();
  window.show();
  const QString file = m_dir.filePath("quicksearch.png");
  const demo::SScreenshotResult shot = demo::takeScreenshot(&window, file, 60000, "60");
  ASSERT_TRUE(shot.saved) << qPrintable(shot.error);
  EXPECT_GT(shot.quickSearchRows, 1);
  LW::CQuickSearchPopup* popup = window.quickSearch();
  ASSERT_TRUE(popup->isVisible());
  EXPECT_EQ(popup->rowCount(), shot.quickSearchRows);

  const QImage picture(file);
  const QImage alone = popup->grab().toImage().convertToFormat(picture.format());
  const QPoint at = popup->mapToGlobal(QPoint(0, 0)) - window.mapToGlobal(QPoint(0, 0));
  ASSERT_TRUE(QRect(QPoint(0, 0), picture.size()).contains(QRect(at, alone.size())));
  int same = 0;
  int sampled = 0;
  for (int y = 0; y < alone.height(); y += 3)
    for (int x = 0; x < alone.width(); x += 3, ++sampled)
      if (picture.pixel(at.x() + x, at.y() + y) == alone.pixel(x, y)) ++same;
  // All but the text cursor, which may blink between the two grabs.
  EXPECT_GT(same, sampled * 97 / 100) << same << " of " << sampled;
}

TEST_F(DemoWindowTest, theFavouritesButtonOfAForeignFuturesListFollowsTheHostsFavourites) {
  demo::CDemoWindow window(optionsWithPanels("64"), layoutFile());
  window.openPanels();
  window.show();
  ASSERT_TRUE(waitForRows(window));
  LW::CInstrumentsPanel* panel = instrumentsPanel(window, 64);
  ASSERT_TRUE(panel);
  LW::CUserConfig* config = LW::getUserConfig();
  // A listed instrument that is not a favourite yet.
  std::string key;
  for (int row = 0; row < panel->table()->viewRowCount() && key.empty(); ++row) {
    const std::string candidate = panel->table()->viewRowData(row)->key();
    if (!config->getCodeSetByTradeType(64).contains(QString::fromStdString(candidate)))
      key = candidate;
  }
  ASSERT_FALSE(key.empty());
  ASSERT_EQ(favouriteButtonState(panel, key), 1);

  // What the panel emits when its favourites button is pressed.
  emit panel->sigSingleCodeOption(64, 0, QString::fromStdString(key));
  EXPECT_TRUE(config->getCodeSetByTradeType(64).contains(QString::fromStdString(key)));
  EXPECT_EQ(favouriteButtonState(panel, key), 0);
  EXPECT_TRUE(logContains(
      window, QStringLiteral("sigSingleCodeOption(64, 0, %1)").arg(QString::fromStdString(key))));

  // Pressing again changes nothing; clearing the favourites enables it.
  emit panel->sigSingleCodeOption(64, 0, QString::fromStdString(key));
  EXPECT_TRUE(logContains(window, QStringLiteral("自选未变")));
  QAction* clear = menuAction(window, QStringLiteral("模拟"), QStringLiteral("清空自选"));
  ASSERT_TRUE(clear);
  clear->trigger();
  EXPECT_TRUE(config->getCodeSetByTradeType(64).isEmpty());
  EXPECT_EQ(favouriteButtonState(panel, key), 1);
}

TEST_F(DemoWindowTest, everyTenderStateSignalAndTheCommandPanelRefreshAreLogged) {
  demo::CDemoWindow window(optionsWithPanels("0x8000000"), layoutFile());
  window.openPanels();
  LW::CInstrumentsPanel* panel = instrumentsPanel(window, 0x8000000);
  ASSERT_TRUE(panel);
  const QMetaObject* meta = panel->metaObject();
  int logged = 0;
  for (int index = meta->methodOffset(); index < meta->methodCount(); ++index) {
    const QMetaMethod method = meta->method(index);
    const QByteArray name = method.name();
    if (method.methodType() != QMetaMethod::Signal || method.parameterCount() != 1 ||
        !(name.endsWith("TenderBond") || name == "sigRefreshCommandPanel"))
      continue;
    const QString payload = QStringLiteral("019547|%1").arg(index);
    QMetaObject::invokeMethod(panel, name.constData(), Qt::DirectConnection,
                              Q_ARG(QString, payload));
    EXPECT_TRUE(
        logContains(window, QStringLiteral("%1(%2)").arg(QString::fromLatin1(name), payload)))
        << name.constData();
    ++logged;
  }
  EXPECT_EQ(logged, 13);
}

TEST_F(DemoWindowTest, anInjectedFailureHitsExactlyTheNextTradeRequest) {
  demo::CDemoWindow window(optionsWithPanels("bif"), layoutFile());
  window.openPanels();
  QAction* fail = menuAction(window, QStringLiteral("模拟"), QStringLiteral("下一个交易请求失败"));
  ASSERT_TRUE(fail);
  fail->trigger();

  LW::CTradeClient* client = LW::CTradeClient::instance();
  const mxservice::TenderBondInfoDetailMap details =
      LW::CExchangeClient::instance()->getTenderBondInfoDetails();
  ASSERT_FALSE(details.empty());
  const auto detail = details.begin()->second;
  std::atomic<int> first{-1};
  std::atomic<int> second{-1};
  client->updateTenderBondDetails(
      detail, [&first](const utils::MXError& e, bson::BSONObj) { first = e.errorID(); }, 0, 0);
  ASSERT_TRUE(client->waitForIdle());
  // The window notices the failed answer on its own schedule.
  EXPECT_TRUE(testsupport::waitFor([&] {
    return logContains(window,
                       QStringLiteral("失败 (%1)").arg(demo::CDemoSimulator::kInjectedErrorId));
  }));
  client->updateTenderBondDetails(
      detail, [&second](const utils::MXError& e, bson::BSONObj) { second = e.errorID(); }, 0, 0);
  ASSERT_TRUE(client->waitForIdle());
  EXPECT_EQ(first.load(), demo::CDemoSimulator::kInjectedErrorId);
  EXPECT_EQ(second.load(), 0);
  EXPECT_TRUE(testsupport::waitFor([&] { return logContains(window, QStringLiteral("成功")); }));
}

TEST_F(DemoWindowTest, simulatedHostEventsReachThePanels) {
  demo::CDemoWindow window(optionsWithPanels("1,bif"), layoutFile());
  window.openPanels();
  window.show();
  ASSERT_TRUE(waitForRows(window));

  const QDate before = LW::CCalcOverdue::instance()->tradingDate();
  QAction* newDay = menuAction(window, QStringLiteral("模拟"), QStringLiteral("新交易日"));
  ASSERT_TRUE(newDay);
  newDay->trigger();
  const QDate after = LW::CCalcOverdue::instance()->tradingDate();
  EXPECT_GT(after, before.isValid() ? before : QDate::currentDate().addDays(-1));
  EXPECT_LE(after.dayOfWeek(), 5);

  QAction* bondInfo = menuAction(window, QStringLiteral("模拟"), QStringLiteral("债券信息就绪"));
  ASSERT_TRUE(bondInfo);
  bondInfo->trigger();
  EXPECT_TRUE(logContains(window, QStringLiteral("sigInitBondInfo()")));

  for (const char* text :
       {"股票列表到达", "股票列表变化", "银行间数据加载完成", "招标数据加载完成"}) {
    QAction* action = menuAction(window, QStringLiteral("模拟"), QString::fromUtf8(text));
    ASSERT_TRUE(action) << text;
    action->trigger();
  }
  EXPECT_TRUE(waitForRows(window));
}

// --lang en: the demo's menus, the panels' titles and their dock titles
// are English, and the source texts come back with a Chinese locale.
TEST_F(DemoWindowTest, theEnglishTranslationReachesTheMenusPanelsAndDocks) {
  struct Case {
    QLocale locale;
    const char* fileMenu;
    const char* simulate;
    const char* clearFavourites;
    const char* stockTitle;
  };
  const Case cases[] = {
      {QLocale(QLocale::English), "File", "Simulate", "Clear watchlist", "Stock list"},
      {QLocale(QLocale::Chinese, QLocale::China), "文件", "模拟", "清空自选", "股票列表"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fileMenu);
    EXPECT_EQ(demo::installDemoTranslations(c.locale), QStringList());
    demo::CDemoWindow window(optionsWithPanels("1"), layoutFile());
    window.openPanels();
    ASSERT_FALSE(window.menuBar()->actions().isEmpty());
    EXPECT_EQ(window.menuBar()->actions().first()->text(), QString::fromUtf8(c.fileMenu));
    EXPECT_NE(
        menuAction(window, QString::fromUtf8(c.simulate), QString::fromUtf8(c.clearFavourites)),
        nullptr);
    LW::CInstrumentsPanel* stocks = instrumentsPanel(window, 1);
    ASSERT_NE(stocks, nullptr);
    EXPECT_EQ(stocks->windowTitle(), QString::fromUtf8(c.stockTitle));
    ASSERT_NE(stocks->dock(), nullptr);
    EXPECT_EQ(stocks->dock()->windowTitle(), QString::fromUtf8(c.stockTitle));
  }
  // A language without translations keeps the source texts and says which.
  const QStringList missing = demo::installDemoTranslations(QLocale(QLocale::French));
  EXPECT_TRUE(missing.contains(QStringLiteral("instrumentspanel")))
      << qPrintable(missing.join(','));
  EXPECT_TRUE(missing.contains(QStringLiteral("demo")));
  demo::CDemoWindow window(optionsWithPanels("1"), layoutFile());
  EXPECT_EQ(window.menuBar()->actions().first()->text(), QString::fromUtf8("文件"));
  demo::installDemoTranslations(QLocale(QLocale::Chinese));
}

}  // namespace
}  // namespace demotest
