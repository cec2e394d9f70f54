// The instrument table widget on its own, under a parent that records what
// the table delivers upwards.

#include "paneltestsupport.h"

#include "host/core/stockkey.h"
#include "host/services/config.h"
#include "host/services/exchangeclient.h"
#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "host/table/hpftypes.h"
#include "host/ui/eventids.h"
#include "model/instrumentdata.h"
#include "model/instrumentmodel.h"
#include "tender/tendermodel.h"

#include <QSignalSpy>
#include <QTest>
#include <boost/make_shared.hpp>
#include <memory>

using namespace paneltest;

namespace {

const auto kStock = mxservice::NQ_TRADER_STOCK;
const auto kOuterFuture = mxservice::NQ_TRADER_OUTER_FUTURE;
const auto kTender = mxservice::NQ_TRADER_BOND_TENDER;

class HpfInsTableTest : public HostFixture {
protected:
  void SetUp() override {
    HostFixture::SetUp();
    mxservice::DataSet set;
    set.instruments = {instrument(kStock, "SH", "600000", "浦发银行"),
                       instrument(kStock, "SZ", "000001", "平安银行"),
                       instrument(kOuterFuture, "CME", "NQM7", "纳指期货"),
                       instrument(kOuterFuture, "CME", "ESM7", "标普期货"),
                       instrument(kOuterFuture, "CME", "ZBH7", "美债期货")};
    set.config.favourites[kOuterFuture] = {"NQM7.CME", "ZBH7.CME"};
    install(set);
  }

  // A table under a recording parent; the parent owns it.
  LW::CHpfInsTable* makeTable(mxservice::ENqTraderType type) {
    m_parent = std::make_unique<EventRecorder>();
    auto* table = new LW::CHpfInsTable(type, m_parent.get());
    return table;
  }

  // Adds a tender row by hand: tender rows normally come from the tender
  // search, which these tests do not need.
  mxservice::CTenderBondInfoDetailPtr addTenderRow(LW::CHpfInsTable* table,
                                                   const std::string& code) {
    auto detail = boost::make_shared<mxservice::CTenderBondInfoDetail>();
    detail->bondCode = code;
    table->model()->addData(boost::make_shared<LW::CInstrumentData>(kTender, detail));
    return detail;
  }

  boost::shared_ptr<GU::CBaseTableColumnMultiButtonsDelegate> favouritesDelegate(
      LW::CHpfInsTable* table) {
    return boost::dynamic_pointer_cast<GU::CBaseTableColumnMultiButtonsDelegate>(
        table->columnDelegate(table->model()->favoriteColumn()));
  }

  void load(LW::CHpfInsTable* table, const QString& filter = QString()) {
    table->model()->refresh(filter);
    settle(table);
  }

  std::unique_ptr<EventRecorder> m_parent;
};

TEST_F(HpfInsTableTest, declaresItsSignalsAndStylesColumnsFromTheCatalogue) {
  LW::CHpfInsTable* table = makeTable(kOuterFuture);
  const QMetaObject* meta = table->metaObject();
  const int offset = meta->methodOffset();
  ASSERT_EQ(meta->methodCount() - offset, 3);
  EXPECT_EQ(meta->method(offset + 0).methodSignature(), QByteArray("sigSelectStock(QString)"));
  EXPECT_EQ(meta->method(offset + 1).methodSignature(), QByteArray("sigRefreshed()"));
  EXPECT_EQ(meta->method(offset + 2).methodSignature(), QByteArray("slotRefreshed()"));
  EXPECT_EQ(meta->method(offset + 2).access(), QMetaMethod::Protected);

  boost::shared_ptr<LW::CHpfInsModel> model = table->model();
  ASSERT_GT(table->columnCount(), 0);
  for (int index = 0; index < table->columnCount(); ++index) {
    const int id = table->columnID(index);
    EXPECT_EQ(table->isColumnBoldFont(id), model->numericColumns().contains(id)) << id;
    EXPECT_EQ(table->isColumnShowIcon(id), model->iconColumns().contains(id)) << id;
    EXPECT_TRUE(table->isColumnFilterable(id)) << id;
  }
  EXPECT_FALSE(table->appendSeq());
  EXPECT_TRUE(favouritesDelegate(table));
  // The host base and the table share the one model.
  EXPECT_EQ(table->getDataModel().get(), static_cast<GU::IBaseHpfTableModel*>(model.get()));
}

// A bond-tender table shows a tender model, whose rows come from tender
// searches; every other table an instrument model.
TEST_F(HpfInsTableTest, aTenderTableMakesATenderModel) {
  LW::CHpfInsTable* tender = makeTable(kTender);
  ASSERT_TRUE(tender->tenderModel());
  EXPECT_EQ(boost::static_pointer_cast<LW::CHpfInsModel>(tender->tenderModel()), tender->model());
  EXPECT_EQ(tender->model()->tradeType(), kTender);
  for (auto type : {kStock, kOuterFuture}) {
    LW::CHpfInsTable* other = makeTable(type);
    EXPECT_FALSE(other->tenderModel()) << type;
    EXPECT_EQ(other->model()->tradeType(), type);
  }
}

TEST_F(HpfInsTableTest, everyRowHasOneVisibleFavouritesButtonAfterEachLoad) {
  for (auto type : {kOuterFuture, kStock}) {
    LW::CHpfInsTable* table = makeTable(type);
    auto delegate = favouritesDelegate(table);
    ASSERT_TRUE(delegate) << type;
    // A key left over from an earlier list must not survive the reload.
    delegate->setItemButtons("stale", {}, false);

    load(table);
    const std::vector<std::string> keys = rowKeys(table);
    ASSERT_FALSE(keys.empty()) << type;
    EXPECT_EQ(delegate->itemCount(), static_cast<int>(keys.size())) << type;
    for (const std::string& key : keys) {
      const QVector<GU::ButtonData> buttons = delegate->itemButtons(key);
      ASSERT_EQ(buttons.size(), 1) << key;
      EXPECT_EQ(buttons[0].id, 10500);
      EXPECT_EQ(buttons[0].text, u8("添加自选"));
      EXPECT_EQ(buttons[0].type, GU::NORMAL_BUTTON_PRIMARY);
      EXPECT_FALSE(buttons[0].hideWhenDisabled);
      EXPECT_TRUE(buttons[0].tips.isEmpty());
      EXPECT_TRUE(delegate->isItemVisible(key)) << key;
    }

    // A narrower reload keeps exactly the rows it lists.
    load(table, QStringLiteral("NQM7"));
    if (type == kOuterFuture) {
      EXPECT_EQ(rowKeys(table), std::vector<std::string>{"NQM7.CME"});
      EXPECT_EQ(delegate->itemButtons("NQM7.CME").size(), 1);
      // ZBH7 keeps only its favourites state (disabled), without a button.
      EXPECT_TRUE(delegate->itemButtons("ESM7.CME").isEmpty());
      EXPECT_TRUE(delegate->itemButtons("ZBH7.CME").isEmpty());
    } else {
      EXPECT_TRUE(rowKeys(table).empty());
      EXPECT_EQ(delegate->itemCount(), 0);
    }
  }
}

TEST_F(HpfInsTableTest, favouritesButtonsFollowTheUsersFavouritesOnlyForForeignFutures) {
  struct Case {
    mxservice::ENqTraderType type;
    bool brokerEdition;
    bool follows;
  };
  const Case cases[] = {
      {kOuterFuture, false, true},
      {kOuterFuture, true, false},
      {kStock, false, false},
      {mxservice::NQ_TRADER_OUTER_STOCK, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.type << " broker " << c.brokerEdition);
    LW::getConfig()->setBrokerEdition(c.brokerEdition);
    LW::CHpfInsTable* table = makeTable(c.type);
    load(table);
    auto delegate = favouritesDelegate(table);
    ASSERT_TRUE(delegate);

    // Straight after the load: favourites disabled, the rest enabled.
    EXPECT_EQ(delegate->isItemEnabled("NQM7.CME"), !c.follows);
    EXPECT_EQ(delegate->isItemEnabled("ZBH7.CME"), !c.follows);
    EXPECT_TRUE(delegate->isItemEnabled("ESM7.CME"));

    // Leaving the favourites re-enables exactly the given codes; unknown
    // codes are skipped.
    table->updateFavoriteButtons({QStringLiteral("NQM7.CME"), QStringLiteral("XXXX.CME")}, false);
    EXPECT_TRUE(delegate->isItemEnabled("NQM7.CME"));
    EXPECT_EQ(delegate->isItemEnabled("ZBH7.CME"), !c.follows);
    EXPECT_EQ(delegate->itemCount(), static_cast<int>(rowKeys(table).size()));

    table->updateFavoriteButtons({QStringLiteral("ESM7.CME")}, true);
    EXPECT_EQ(delegate->isItemEnabled("ESM7.CME"), !c.follows);
  }
  LW::getConfig()->setBrokerEdition(false);
}

TEST_F(HpfInsTableTest, rowClickEmitsTheStockKeyAndForwardsOnlyTenderClicks) {
  LW::CHpfInsTable* table = makeTable(kStock);
  load(table);
  table->updateTable();
  const auto tender = addTenderRow(table, "250001");
  table->updateTable();
  const std::vector<std::string> keys = rowKeys(table);
  ASSERT_EQ(keys.size(), 3u);
  ASSERT_EQ(keys[2], tender->getKey());

  QSignalSpy selected(table, SIGNAL(sigSelectStock(QString)));
  GU::SHpfClickData onColumn3{3, 0};
  GU::SHpfClickData onColumn5{5, 0};

  // An instrument row: its stock key, nothing forwarded.
  EXPECT_TRUE(tableEvent(table, 43, GU::HPF_CLICK_LEFT, 0, QString(), &onColumn3));
  ASSERT_EQ(selected.count(), 1);
  EXPECT_EQ(selected.at(0).at(0).toString(), QString::fromStdString(keys[0]));
  EXPECT_TRUE(m_parent->eventsWithId(43).empty());

  // A tender row: no stock key (no instrument), forwarded with wParam 3 when
  // the block names column 3 and the received wParam otherwise.
  struct Case {
    void* data;
    int wParam;
    int expectedWParam;
  };
  const Case cases[] = {{&onColumn3, GU::HPF_CLICK_LEFT, 3},
                        {&onColumn5, GU::HPF_CLICK_DOUBLE, GU::HPF_CLICK_DOUBLE},
                        {nullptr, GU::HPF_CLICK_KEYBOARD, GU::HPF_CLICK_KEYBOARD}};
  for (const Case& c : cases) {
    m_parent->events.clear();
    EXPECT_TRUE(tableEvent(table, 43, c.wParam, 2, QStringLiteral("row text"), c.data));
    const auto forwarded = m_parent->eventsWithId(43);
    ASSERT_EQ(forwarded.size(), 1u);
    EXPECT_EQ(forwarded[0].wParam, c.expectedWParam);
    EXPECT_EQ(forwarded[0].lParam, 2);
    EXPECT_EQ(forwarded[0].text, QStringLiteral("row text"));
    EXPECT_EQ(forwarded[0].hadData, c.data != nullptr);
  }
  EXPECT_EQ(selected.count(), 1);

  // Unknown rows: consumed, nothing emitted or forwarded.
  m_parent->events.clear();
  for (int row : {-1, 3, 100000}) {
    EXPECT_TRUE(tableEvent(table, 43, 0, row, QString(), &onColumn3));
  }
  EXPECT_EQ(selected.count(), 1);
  EXPECT_TRUE(m_parent->events.empty());
}

TEST_F(HpfInsTableTest, buttonPressesBecomeFavouriteEventsOrAreForwardedUnchanged) {
  LW::CHpfInsTable* table = makeTable(kOuterFuture);
  load(table);
  const auto tender = addTenderRow(table, "250002");

  // Other buttons (the tender actions): forwarded as they came.
  EXPECT_TRUE(tableEvent(table, 228, 7, 26, QString::fromStdString(tender->getKey()), nullptr));
  auto forwarded = m_parent->eventsWithId(228);
  ASSERT_EQ(forwarded.size(), 1u);
  EXPECT_EQ(forwarded[0].wParam, 7);
  EXPECT_EQ(forwarded[0].lParam, 26);
  EXPECT_EQ(forwarded[0].text, QString::fromStdString(tender->getKey()));

  // The favourites button: event 1383 with the table's trading type.
  EXPECT_TRUE(tableEvent(table, 228, 7, 10500, QStringLiteral("NQM7.CME"), nullptr));
  auto favourites = m_parent->eventsWithId(1383);
  ASSERT_EQ(favourites.size(), 1u);
  EXPECT_EQ(favourites[0].wParam, 7);
  EXPECT_EQ(favourites[0].lParam, static_cast<int>(kOuterFuture));
  EXPECT_EQ(favourites[0].text, QStringLiteral("NQM7.CME"));
  EXPECT_FALSE(favourites[0].hadData);

  // The favourites button of an unknown key or of a row without an
  // instrument does nothing, but is consumed.
  m_parent->events.clear();
  EXPECT_TRUE(tableEvent(table, 228, 0, 10500, QStringLiteral("nope"), nullptr));
  EXPECT_TRUE(tableEvent(table, 228, 0, 10500, QString::fromStdString(tender->getKey()), nullptr));
  EXPECT_TRUE(tableEvent(table, 228, 0, 10500, QString(), nullptr));
  EXPECT_TRUE(m_parent->events.empty());

  // Any other event goes to the standard table, which hands it upwards.
  m_parent->consume = false;
  EXPECT_FALSE(tableEvent(table, 9999, 1, 2, QStringLiteral("x"), nullptr));
  ASSERT_EQ(m_parent->eventsWithId(9999).size(), 1u);
}

TEST_F(HpfInsTableTest, mouseClickOnFavouritesButtonReachesTheParent) {
  LW::CHpfInsTable* table = makeTable(kOuterFuture);
  m_parent->resize(900, 400);
  table->resize(900, 400);
  m_parent->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(m_parent.get()));
  load(table);
  table->updateTable();

  const int viewRow = viewRowOfKey(table, "ESM7.CME");
  ASSERT_GE(viewRow, 0);
  const int column = table->model()->favoriteColumn();
  const QRect cell = table->visualCellRect(viewRow, column);
  ASSERT_FALSE(cell.isEmpty());
  const QVector<QRect> buttons = favouritesDelegate(table)->buttonRects(cell, "ESM7.CME");
  ASSERT_EQ(buttons.size(), 1);

  QSignalSpy selected(table, SIGNAL(sigSelectStock(QString)));
  QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, buttons[0].center());
  // The press selects the row (one stock key) and the release presses the
  // button.
  ASSERT_EQ(selected.count(), 1);
  EXPECT_EQ(selected.at(0).at(0).toString(), QStringLiteral("ESM7.CME"));
  const auto favourites = m_parent->eventsWithId(1383);
  ASSERT_EQ(favourites.size(), 1u);
  EXPECT_EQ(favourites[0].text, QStringLiteral("ESM7.CME"));
  EXPECT_EQ(favourites[0].lParam, 64);

  // A disabled button (a code already in the favourites) does not fire.
  m_parent->events.clear();
  const int favouriteRow = viewRowOfKey(table, "NQM7.CME");
  ASSERT_GE(favouriteRow, 0);
  const QRect favouriteCell = table->visualCellRect(favouriteRow, column);
  const QVector<QRect> disabled = favouritesDelegate(table)->buttonRects(favouriteCell, "NQM7.CME");
  ASSERT_EQ(disabled.size(), 1);
  QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, disabled[0].center());
  EXPECT_TRUE(m_parent->eventsWithId(1383).empty());
}

}  // namespace
