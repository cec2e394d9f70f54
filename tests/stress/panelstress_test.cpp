// The panels under load from every side at once. Three host threads push
// order commands (new, changed, withdrawn, and records that belong to no
// tender), hand the tender panel new report and winning-bid amounts, push
// command statuses and raise the host's announcements, while the GUI thread
// types searches, clicks rows, presses the tender buttons and opens and
// closes panels with the trade server's answers still on their way.
//
// Then every tender panel runs its last search and the host threads play a
// closing burst of order-command changes, which reaches the lists only
// through the panels' subscriptions. Once everything has drained, every
// panel still open must show exactly what the final host data gives by the
// list, search and status rules, and no host callback may have reached a
// panel after its destructor returned.
//
// Size: LW_STRESS_SCALE multiplies the counts, LW_STRESS_SECONDS bounds the
// busy phase (see stresssupport.h).

#include "stresshost.h"
#include "stresssupport.h"

#include "bondinfo/bondinfopanel.h"
#include "host/core/singleton.h"
#include "host/services/accountdata.h"
#include "host/services/exchangeclient.h"
#include "host/services/hostservices.h"
#include "host/services/tradeclient.h"
#include "host/services/tradercenter.h"
#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "host/table/hpfdatatable.h"
#include "host/ui/checkbox.h"
#include "host/ui/combobox.h"
#include "host/ui/lineedit.h"
#include "host/ui/messagebox.h"
#include "host/ui/searchtextlineedit.h"
#include "host/ui/smallnonormalbutton.h"
#include "host/ui/softcalendarlineedit.h"
#include "model/instrumentdata.h"
#include "model/instrumentmodel.h"
#include "panel/hpfinstable.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDate>
#include <QPointer>
#include <QTest>
#include <atomic>
#include <chrono>
#include <cstring>
#include <iostream>
#include <random>
#include <vector>

using namespace stresstest;

namespace {

using Clock = std::chrono::steady_clock;
using mxservice::ENqTraderType;

const auto kTender = mxservice::NQ_TRADER_BOND_TENDER;
const ENqTraderType kInstrumentTypes[] = {
    mxservice::NQ_TRADER_STOCK, mxservice::NQ_TRADER_FUTURE, mxservice::NQ_TRADER_OUTER_FUTURE,
    mxservice::NQ_TRADER_OTC_FUND, mxservice::NQ_TRADER_INTER_BANK};
const int kActionColumn = 3;
const int kStatusColumn = 4;
const int kBondCodeField = 7;  // "债券代码" in the search bar's field list
// The trade server's answer delay: long enough that answers are often still
// queued when a panel closes. A press that is meant to outlive its panel
// waits much longer, so that the close surely comes first.
const std::chrono::milliseconds kServerLatency(3);
const std::chrono::milliseconds kLateAnswerLatency(150);
const int kMaxShortLivedPanels = 5;

// Opens the tender search bar to the run.
class StressPanel : public LW::CInstrumentsPanel {
public:
  using LW::CInstrumentsPanel::CInstrumentsPanel;
  using LW::CInstrumentsPanel::endDateEdit;
  using LW::CInstrumentsPanel::internalOnlyCheck;
  using LW::CInstrumentsPanel::queryButton;
  using LW::CInstrumentsPanel::searchFieldCombo;
  using LW::CInstrumentsPanel::searchTextEdit;
  using LW::CInstrumentsPanel::startDateEdit;
};

enum EKind { KIND_INSTRUMENTS, KIND_TENDER, KIND_BOND_INFO };

struct OpenPanel {
  EKind kind = KIND_INSTRUMENTS;
  int ledgerId = -1;  // instruments and tender panels
  StressPanel* panel = nullptr;
  LW::CBondInfoPanel* bondInfo = nullptr;
  bool survivor = false;
  QWidget* widget() const {
    return panel ? static_cast<QWidget*>(panel) : static_cast<QWidget*>(bondInfo);
  }
};

struct GuiCounts {
  int actions = 0;
  int instrumentSearches = 0;
  int tenderSearches = 0;
  int bondInfoSearches = 0;
  int rowClicks = 0;
  int buttonPresses = 0;
  int lockPresses = 0;
  int unlockPresses = 0;
  int revokePresses = 0;
  int pressesThenClosed = 0;
  int panelsCreated = 0;
  int panelsDestroyed = 0;
};

mxservice::CAccountDataPtr currentAccount() {
  return mxservice::TraderCenter::instance()->getDataCenter()->getAccountData(std::string());
}

boost::shared_ptr<GU::CBaseTableColumnMultiButtonsDelegate> actionButtons(LW::CHpfInsTable* table) {
  return boost::dynamic_pointer_cast<GU::CBaseTableColumnMultiButtonsDelegate>(
      table->columnDelegate(kActionColumn));
}

std::vector<std::string> viewKeys(GU::CBaseHighPerformanceTable* table) {
  std::vector<std::string> keys;
  for (int viewRow = 0; viewRow < table->viewRowCount(); ++viewRow) {
    GU::HpfRowPtr row = table->viewRowData(viewRow);
    keys.push_back(row ? row->key() : std::string("<null>"));
  }
  return keys;
}

class PanelStressTest : public ::testing::Test {
protected:
  void SetUp() override {
    mxservice::CHostServices::reset();
    utils::CManualSingletonT<LW::CTradeClient>::reset(new CAuditedTradeClient(&m_ledger));
    const QByteArray directory = qgetenv("LW_SAMPLE_DATA");
    ASSERT_FALSE(directory.isEmpty()) << "LW_SAMPLE_DATA is not set";
    mxservice::CHostServices::installFromDirectory(directory.toStdString());
    GU::CMessageBox::resetRecord();
    GU::CMessageBox::setAutoAnswer(QMessageBox::Ok);
    m_failures.reset(new CAnswerFailureListener(&m_ledger));
    LW::CTradeClient* client = LW::CTradeClient::instance();
    client->setLatency(kServerLatency);
    // Some answers fail: their error path runs under the same load.
    client->failEveryNthRequest(13, 3, "timeout");
  }

  void TearDown() override {
    for (const OpenPanel& open : m_open) {
      if (open.ledgerId >= 0) m_ledger.closing(open.ledgerId);
      delete open.widget();
    }
    m_open.clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    LW::CTradeClient::instance()->waitForIdle(std::chrono::seconds(30));
    // The audited client goes before the ledger it reports to.
    utils::CManualSingletonT<LW::CTradeClient>::reset();
    m_failures.reset();
    mxservice::CHostServices::reset();
    GU::CMessageBox::setAutoAnswer(std::nullopt);
  }

  OpenPanel& open(EKind kind, ENqTraderType type, bool survivor) {
    OpenPanel entry;
    entry.kind = kind;
    entry.survivor = survivor;
    const int widgetId = ++m_gui.panelsCreated;
    if (kind == KIND_BOND_INFO) {
      entry.bondInfo = new LW::CBondInfoPanel(widgetId, nullptr);
    } else {
      entry.panel = new StressPanel(widgetId, kind == KIND_TENDER ? kTender : type, nullptr);
      entry.ledgerId = m_ledger.add(entry.panel);
    }
    entry.widget()->resize(1400, 420);
    entry.widget()->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(entry.widget()));
    m_open.push_back(entry);
    return m_open.back();
  }

  enum ECloseHow { CLOSE_NOW, CLOSE_NOW_OR_LATER };

  void close(std::size_t index, ECloseHow how = CLOSE_NOW_OR_LATER) {
    const OpenPanel entry = m_open[index];
    m_open.erase(m_open.begin() + static_cast<std::ptrdiff_t>(index));
    if (entry.ledgerId >= 0) m_ledger.closing(entry.ledgerId);
    if (how == CLOSE_NOW_OR_LATER && m_random() % 3 == 0) {
      // As a dock does it: the panel goes when the event loop comes back.
      m_deferred.push_back(entry.widget());
      entry.widget()->deleteLater();
    } else {
      delete entry.widget();
    }
    ++m_gui.panelsDestroyed;
  }

  int shortLivedCount() const {
    int count = 0;
    for (const OpenPanel& entry : m_open) count += entry.survivor ? 0 : 1;
    return count;
  }

  // A random open panel of kind; null when there is none.
  OpenPanel* anyOpen(EKind kind) {
    std::vector<OpenPanel*> candidates;
    for (OpenPanel& entry : m_open) {
      if (entry.kind == kind) candidates.push_back(&entry);
    }
    return candidates.empty() ? nullptr : candidates[m_random() % candidates.size()];
  }

  void openShortLived() {
    if (shortLivedCount() >= kMaxShortLivedPanels) {
      closeShortLived();
      return;
    }
    switch (m_random() % 4) {
      case 0:
        open(KIND_TENDER, kTender, false);
        break;
      case 1:
        open(KIND_BOND_INFO, kTender, false);
        break;
      default:
        open(KIND_INSTRUMENTS, kInstrumentTypes[m_random() % 5], false);
        break;
    }
  }

  void closeShortLived() {
    std::vector<std::size_t> candidates;
    for (std::size_t i = 0; i < m_open.size(); ++i) {
      if (!m_open[i].survivor) candidates.push_back(i);
    }
    if (!candidates.empty()) close(candidates[m_random() % candidates.size()]);
  }

  QString randomText(const char* alphabet, int maxLength) {
    const int length = 1 + static_cast<int>(m_random() % maxLength);
    const int size = static_cast<int>(std::strlen(alphabet));
    QString text;
    for (int i = 0; i < length; ++i) text += QLatin1Char(alphabet[m_random() % size]);
    return text;
  }

  // Typing, deleting and clearing in a search field that filters as it
  // changes.
  void editSearch(GU::CSearchTextLineEdit* edit) {
    const int pick = static_cast<int>(m_random() % 10);
    if (pick < 2 || edit->getText().size() > 4) {
      edit->clearAction()->trigger();
    } else if (pick < 4 && !edit->getText().isEmpty()) {
      QTest::keyClick(edit, Qt::Key_Backspace);
    } else {
      QTest::keyClicks(edit, randomText("0123456789abcnqAESM", 2));
    }
  }

  void instrumentSearch() {
    if (OpenPanel* entry = anyOpen(KIND_INSTRUMENTS)) {
      editSearch(entry->panel->searchEdit());
      ++m_gui.instrumentSearches;
    }
  }

  void bondInfoSearch() {
    if (OpenPanel* entry = anyOpen(KIND_BOND_INFO)) {
      auto* edit = entry->bondInfo->findChild<GU::CSearchTextLineEdit*>();
      ASSERT_NE(edit, nullptr);
      editSearch(edit);
      ++m_gui.bondInfoSearches;
    }
  }

  // The tender search bar as a user drives it: a text field with a typed
  // text and Enter, a date field with a range (sometimes reversed, which
  // Enter refuses), the internal-amount box, the query button.
  void tenderSearch(StressPanel* panel) {
    const int pick = static_cast<int>(m_random() % 10);
    if (pick < 5) {
      const int textFields[] = {7, 8, 10};  // bond code, short name, trader
      panel->searchFieldCombo->setCurrentIndex(textFields[m_random() % 3]);
      panel->searchTextEdit->clear();
      QTest::keyClicks(panel->searchTextEdit, randomText("0123456", 2));
      QTest::keyClick(panel->searchTextEdit, Qt::Key_Return);
    } else if (pick < 8) {
      panel->searchFieldCombo->setCurrentIndex(static_cast<int>(m_random() % 7));
      const QDate today = QDate::currentDate();
      panel->startDateEdit->setDate(today.addDays(-static_cast<int>(m_random() % 6)));
      panel->endDateEdit->setDate(today.addDays(static_cast<int>(m_random() % 12) - 2));
      QTest::keyClick(panel->endDateEdit, Qt::Key_Return);
    } else {
      if (panel->internalOnlyCheck && m_random() % 2) {
        panel->internalOnlyCheck->setChecked(!panel->internalOnlyCheck->isChecked());
      }
      QTest::mouseClick(panel->queryButton, Qt::LeftButton);
    }
    ++m_gui.tenderSearches;
  }

  // A click on a shown row (column 0): a selection in every list.
  void clickRow(LW::CHpfInsTable* table) {
    const int rows = table->viewRowCount();
    if (rows == 0) return;
    const int viewRow = static_cast<int>(m_random() % rows);
    table->scrollToViewRow(viewRow);
    const QRect cell = table->visualCellRect(viewRow, table->columnID(0));
    if (cell.isEmpty()) return;
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    ++m_gui.rowClicks;
  }

  // Presses one action button of a shown tender row with the mouse; false
  // when no shown row has one. Unlock's question is answered Ok mostly.
  bool pressTenderButton(const OpenPanel& entry) {
    LW::CHpfInsTable* table = entry.panel->table();
    const auto delegate = actionButtons(table);
    const int rows = table->viewRowCount();
    if (!delegate || rows == 0) return false;
    for (int attempt = 0; attempt < 8; ++attempt) {
      const int viewRow = static_cast<int>(m_random() % rows);
      const GU::HpfRowPtr row = table->viewRowData(viewRow);
      if (!row) continue;
      table->scrollToViewRow(viewRow);
      const QRect cell = table->visualCellRect(viewRow, kActionColumn);
      if (cell.isEmpty()) continue;
      const QVector<QRect> buttons = delegate->buttonRects(cell, row->key());
      if (buttons.isEmpty()) continue;
      const int which = static_cast<int>(m_random() % buttons.size());
      // Read before the press, which may change them; only for the tally.
      const QVector<GU::ButtonData> shown = delegate->itemButtons(row->key());
      GU::CMessageBox::setAutoAnswer(m_random() % 4 ? QMessageBox::Ok : QMessageBox::Cancel);
      m_ledger.setPressing(entry.ledgerId);
      QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, buttons[which].center());
      m_ledger.setPressing(-1);
      ++m_gui.buttonPresses;
      const int id = which < shown.size() ? shown[which].id : 0;
      m_gui.lockPresses += id == 26 ? 1 : 0;
      m_gui.unlockPresses += id == 27 ? 1 : 0;
      m_gui.revokePresses += id == 16 ? 1 : 0;
      return true;
    }
    return false;
  }

  // Spins the event loop until done() or timeoutMs.
  bool spinUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done() && Clock::now() < until) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return done();
  }

  // A tender panel that lists every bond, one button pressed, and the panel
  // closed at once: the answer arrives for a panel that is gone.
  void pressThenClose() {
    OpenPanel& entry = open(KIND_TENDER, kTender, false);
    StressPanel* panel = entry.panel;
    panel->searchFieldCombo->setCurrentIndex(kBondCodeField);  // with no text: every bond
    panel->searchTextEdit->clear();
    QTest::mouseClick(panel->queryButton, Qt::LeftButton);
    boost::shared_ptr<LW::CHpfInsModel> model = panel->table()->model();
    spinUntil(
        [&] {
          return model->waitForIdle(0) && panel->table()->viewRowCount() == model->rowCount() &&
                 model->rowCount() > 0;
        },
        5000);
    LW::CTradeClient::instance()->setLatency(kLateAnswerLatency);
    const bool pressed = pressTenderButton(entry);
    close(m_open.size() - 1, CLOSE_NOW);
    LW::CTradeClient::instance()->setLatency(kServerLatency);
    if (pressed) ++m_gui.pressesThenClosed;
  }

  void guiAction(int pick) {
    switch (pick) {
      case 0:
        openShortLived();
        break;
      case 1:
        closeShortLived();
        break;
      case 2:
        pressThenClose();
        break;
      case 3:
        instrumentSearch();
        break;
      case 4:
        if (OpenPanel* entry = anyOpen(KIND_TENDER)) tenderSearch(entry->panel);
        break;
      case 5:
        bondInfoSearch();
        break;
      case 6:
        if (OpenPanel* entry = anyOpen(m_random() % 2 ? KIND_TENDER : KIND_INSTRUMENTS)) {
          clickRow(entry->panel->table());
        }
        break;
      case 7:
        if (OpenPanel* entry = anyOpen(KIND_TENDER)) pressTenderButton(*entry);
        break;
      default:
        QTest::qWait(static_cast<int>(m_random() % 4));
        break;
    }
  }

  // Picks an action by weight: tender work and searches most often.
  int randomAction() {
    const int weights[] = {8, 7, 2, 18, 15, 6, 14, 22, 8};
    int pick = static_cast<int>(m_random() % 100);
    for (int action = 0; action < 9; ++action) {
      if (pick < weights[action]) return action;
      pick -= weights[action];
    }
    return 8;
  }

  // Waits until the trade server, the account's deliveries, every model and
  // the GUI thread's queue have nothing left, three times in a row with no
  // new request handled in between (an answer pushes statuses, which are
  // delivered, which rebuild rows). Returns what did not come to rest, or
  // an empty text.
  std::string drain() {
    LW::CTradeClient* client = LW::CTradeClient::instance();
    const mxservice::CAccountDataPtr account = currentAccount();
    const std::chrono::seconds patience(30);
    std::size_t lastHandled = static_cast<std::size_t>(-1);
    int quietRounds = 0;
    for (int round = 0; round < 400 && quietRounds < 3; ++round) {
      if (!client->waitForIdle(patience)) return "the trade server";
      if (!account->waitForDeliveries(patience)) return "the account's deliveries";
      for (const OpenPanel& entry : m_open) {
        if (entry.panel && !entry.panel->table()->model()->waitForIdle(30000)) {
          return "the model of panel " + std::to_string(entry.ledgerId);
        }
      }
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QCoreApplication::processEvents();
      bool quiet = client->waitForIdle(std::chrono::milliseconds(0)) &&
                   account->waitForDeliveries(std::chrono::milliseconds(0));
      for (const OpenPanel& entry : m_open) {
        if (entry.panel) quiet = quiet && entry.panel->table()->model()->waitForIdle(0);
      }
      const std::size_t handled = client->handledRequests().size();
      quietRounds = quiet && handled == lastHandled ? quietRounds + 1 : 0;
      lastHandled = handled;
    }
    return quietRounds >= 3 ? std::string() : std::string("the run as a whole (400 rounds)");
  }

  void expectInstrumentPanelShowsTheFinalList(const OpenPanel& entry) {
    StressPanel* panel = entry.panel;
    const ENqTraderType type = panel->tradeType();
    SCOPED_TRACE("instruments panel of type " + std::to_string(static_cast<long long>(type)) +
                 ", filter '" + panel->filterText().toStdString() + "'");
    EXPECT_EQ(panel->filterText(), panel->searchEdit()->getText().toUpper());
    const std::vector<std::string> expected = expectedInstrumentKeys(type, panel->filterText());
    std::vector<std::string> modelKeys;
    for (const GU::HpfRowPtr& row : panel->table()->model()->getAllDatas()) {
      modelKeys.push_back(row ? row->key() : std::string("<null>"));
    }
    EXPECT_EQ(modelKeys, expected);
    EXPECT_EQ(viewKeys(panel->table()), expected);
  }

  void expectTenderPanelShowsTheFinalStatuses(const OpenPanel& entry) {
    StressPanel* panel = entry.panel;
    LW::TenderSearchQuery query;
    query.field = panel->searchFieldCombo->currentText().toUtf8().toStdString();
    const int fieldIndex = LW::tenderSearchFieldIndex(query.field);
    query.isDateField = fieldIndex >= 0 && fieldIndex < LW::kTenderDateFieldCount;
    query.startDate = panel->startDateEdit->getDateTime().toString("yyyyMMdd").toStdString();
    query.endDate = panel->endDateEdit->getDateTime().toString("yyyyMMdd").toStdString();
    query.text = panel->searchTextEdit->toString().toUtf8().toStdString();
    query.internalOnly = panel->internalOnlyCheck && panel->internalOnlyCheck->isChecked();
    SCOPED_TRACE("tender panel " + std::to_string(entry.ledgerId) + ", field '" + query.field +
                 "', text '" + query.text + "', dates " + query.startDate + ".." + query.endDate);

    const std::vector<std::string> expected = expectedTenderCodes(query);
    std::vector<std::string> listed;
    std::vector<mxservice::CTenderBondInfoDetailPtr> details;
    for (const GU::HpfRowPtr& row : panel->table()->model()->getAllDatas()) {
      auto data = boost::dynamic_pointer_cast<LW::CInstrumentData>(row);
      listed.push_back(data && data->tenderBond() ? data->tenderBond()->bondCode : "<none>");
      details.push_back(data ? data->tenderBond() : nullptr);
    }
    EXPECT_EQ(listed, expected);
    std::vector<std::string> expectedKeys;
    for (const std::string& code : expected) expectedKeys.push_back("TB." + code);
    ASSERT_EQ(viewKeys(panel->table()), expectedKeys);

    const std::vector<mxservice::COrderCommandPtr> commands = currentAccount()->orderCommands();
    const auto delegate = actionButtons(panel->table());
    ASSERT_TRUE(delegate);
    for (std::size_t i = 0; i < details.size(); ++i) {
      if (!details[i]) continue;
      const std::string& code = details[i]->bondCode;
      const int status = expectedTenderStatus(commands, code);
      EXPECT_EQ(details[i]->status(), status) << code;
      std::vector<int> buttonIds;
      for (const GU::ButtonData& button : delegate->itemButtons("TB." + code)) {
        buttonIds.push_back(button.id);
      }
      EXPECT_EQ(buttonIds, expectedTenderButtonIds(status)) << code;
      EXPECT_TRUE(delegate->isItemVisible("TB." + code)) << code;
      EXPECT_EQ(panel->table()->cellText(static_cast<int>(i), kStatusColumn),
                tenderStatusLabel(status))
          << code;
    }
  }

  void expectBondInfoPanelShowsTheFinalList(const OpenPanel& entry) {
    auto* edit = entry.bondInfo->findChild<GU::CSearchTextLineEdit*>();
    auto* table = entry.bondInfo->findChild<LW::CHpfDataTable*>();
    ASSERT_TRUE(edit && table);
    const std::string text = edit->getText().toStdString();
    SCOPED_TRACE("bond info panel, search '" + text + "'");
    EXPECT_EQ(viewKeys(table), expectedBondInfoKeys(text));
  }

  void report(const char* name, long long value) {
    std::cout << "[stress] " << name << ": " << value << std::endl;
    RecordProperty(name, std::to_string(value));
  }

  CPanelLedger m_ledger;
  std::unique_ptr<CAnswerFailureListener> m_failures;
  std::vector<OpenPanel> m_open;
  std::vector<QPointer<QWidget>> m_deferred;
  std::mt19937 m_random{20240611};
  GuiCounts m_gui;
};

TEST_F(PanelStressTest, panelsEndOnTheFinalDataAndNoCallbackReachesAClosedPanel) {
  const auto started = Clock::now();
  const auto deadline = started + std::chrono::seconds(budgetSeconds());

  // Open for the whole run: the host threads hand the tender panel its
  // amounts, so it must outlive them.
  StressPanel* tenderPanel = open(KIND_TENDER, kTender, true).panel;
  open(KIND_INSTRUMENTS, mxservice::NQ_TRADER_STOCK, true);
  open(KIND_INSTRUMENTS, mxservice::NQ_TRADER_INTER_BANK, true);
  open(KIND_BOND_INFO, kTender, true);

  const mxservice::CAccountDataPtr account = currentAccount();
  ASSERT_TRUE(account);
  HostScript base;
  base.iterations = scaled(4000);
  base.closingBurst = scaled(60);
  base.deadline = deadline;
  base.account = account;
  base.tenderPanel = tenderPanel;
  base.stockList = LW::CExchangeClient::instance()->stockListMap();
  for (const auto& entry : LW::CExchangeClient::instance()->getTenderBondInfoDetails()) {
    base.bondCodes.push_back(entry.second->bondCode);
  }
  for (const mxservice::COrderCommandPtr& command : account->orderCommands()) {
    if (command->tradeType == kTender) base.tenderCommandIds.push_back(command->commandId);
  }
  ASSERT_FALSE(base.bondCodes.empty());
  ASSERT_FALSE(base.tenderCommandIds.empty());
  const std::size_t commandsBefore = account->orderCommands().size();

  HostCounts host;
  CHostThreads hosts(base, 3, host);

  // Every kind of action once, then a random mix until the GUI's count is
  // done or the time is up; the host threads go on meanwhile.
  for (int action = 0; action < 8; ++action) {
    guiAction(action);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  const int guiActions = scaled(300);
  for (m_gui.actions = 8; m_gui.actions < guiActions && Clock::now() < deadline; ++m_gui.actions) {
    guiAction(randomAction());
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    if (m_gui.actions % 16 == 0) {
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }
  hosts.stopMixing();

  // The last search of every tender panel, with the internal-amount box
  // off: a row kept by the amounts at search time would otherwise not follow
  // the amounts refreshed later. Once those searches are done, the host's
  // closing burst of order-command changes reaches the lists only through
  // the panels' subscriptions, so the statuses checked below are the work
  // of the order-command deliveries and not of a search.
  // The long-lived panel lists every bond, so that each of them is checked.
  tenderPanel->searchFieldCombo->setCurrentIndex(kBondCodeField);
  tenderPanel->searchTextEdit->clear();
  for (const OpenPanel& entry : m_open) {
    if (entry.kind != KIND_TENDER) continue;
    if (entry.panel->internalOnlyCheck) entry.panel->internalOnlyCheck->setChecked(false);
    QTest::mouseClick(entry.panel->queryButton, Qt::LeftButton);
  }
  EXPECT_TRUE(spinUntil(
      [this] {
        for (const OpenPanel& entry : m_open) {
          if (entry.kind == KIND_TENDER && !entry.panel->table()->model()->waitForIdle(0)) {
            return false;
          }
        }
        return true;
      },
      30000));
  hosts.playClosingBurstAndJoin();
  const auto busy = Clock::now() - started;
  ASSERT_EQ(drain(), "") << "did not come to rest";
  for (const QPointer<QWidget>& widget : m_deferred) EXPECT_TRUE(widget.isNull());

  for (const OpenPanel& entry : m_open) {
    switch (entry.kind) {
      case KIND_INSTRUMENTS:
        expectInstrumentPanelShowsTheFinalList(entry);
        break;
      case KIND_TENDER:
        expectTenderPanelShowsTheFinalStatuses(entry);
        break;
      case KIND_BOND_INFO:
        expectBondInfoPanelShowsTheFinalList(entry);
        break;
    }
  }

  // Close the rest too, then let every answer still queued arrive.
  while (!m_open.empty()) close(m_open.size() - 1);
  ASSERT_EQ(drain(), "") << "did not come to rest";

  report("commands_pushed", host.commands());
  report("commands_new", host.newCommands);
  report("commands_changed", host.changedCommands);
  report("commands_withdrawn", host.withdrawnCommands);
  report("commands_foreign", host.foreignCommands);
  report("report_refreshes", host.reportRefreshes);
  report("win_bid_refreshes", host.winBidRefreshes);
  report("status_pushes", host.statusPushes);
  report("host_announcements", host.announcements);
  report("gui_actions", m_gui.actions);
  report("instrument_searches", m_gui.instrumentSearches);
  report("tender_searches", m_gui.tenderSearches);
  report("bond_info_searches", m_gui.bondInfoSearches);
  report("row_clicks", m_gui.rowClicks);
  report("instrument_selections", m_ledger.stockSelections());
  report("tender_row_selections", m_ledger.tenderSelections());
  report("tender_button_presses", m_gui.buttonPresses);
  report("lock_presses", m_gui.lockPresses);
  report("unlock_presses", m_gui.unlockPresses);
  report("revoke_presses", m_gui.revokePresses);
  report("unlock_questions", GU::CMessageBox::questionCount());
  report("panels_created", m_gui.panelsCreated);
  report("panels_destroyed", m_gui.panelsDestroyed);
  report("answers_handled", m_ledger.answersHandled());
  report("late_answers_dropped", m_ledger.lateAnswersDropped());
  report("answers_dropped_while_closing", m_ledger.answersDroppedWhileClosing());
  report("order_command_rebuilds", m_ledger.orderCommandRebuilds());
  report("busy_ms", std::chrono::duration_cast<std::chrono::milliseconds>(busy).count());

  auto* client = static_cast<CAuditedTradeClient*>(LW::CTradeClient::instance());
  int detailRequests = 0;
  for (const auto& request : client->handledRequests()) {
    if (request.kind == LW::CTradeClient::RequestRecord::TENDER_DETAILS) ++detailRequests;
  }
  for (const std::string& violation : m_ledger.violations()) ADD_FAILURE() << violation;
  EXPECT_EQ(client->unattributedRequests(), 0);
  // The server answered every request it was sent; each answer that carried
  // a callback went through the audit.
  EXPECT_EQ(detailRequests, m_ledger.answersDelivered() + client->requestsWithoutAnswer());
  EXPECT_EQ(m_ledger.answersRequested(), m_ledger.answersDelivered());
  // Every refresh of a known bond sent the detail once, without an answer;
  // one of an unknown bond sent nothing.
  EXPECT_EQ(client->requestsWithoutAnswer(),
            host.reportRefreshes + host.winBidRefreshes - host.unknownBondRefreshes);
  if (m_gui.pressesThenClosed > 0) {
    EXPECT_GE(m_ledger.lateAnswersDropped(), 1);
  }
  EXPECT_GT(m_ledger.answersHandled(), 0);
  EXPECT_GT(m_ledger.orderCommandRebuilds(), 0);
  EXPECT_GT(account->orderCommands().size(), commandsBefore);
}

}  // namespace
