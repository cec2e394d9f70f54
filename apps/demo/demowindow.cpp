#include "demowindow.h"

#include "demologpane.h"
#include "demosimulator.h"
#include "demothememenu.h"

#include "bondinfo/bondinfopanel.h"
#include "host/data/datasetloader.h"
#include "host/services/userconfig.h"
#include "host/services/usermanager.h"
#include "host/ui/dockmanager.h"
#include "host/ui/tradedockablewidget.h"
#include "panel/instrumentspanel.h"
#include "quicksearch/quicksearchpopup.h"

#include <QAction>
#include <QCoreApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QSettings>
#include <QStatusBar>

namespace demo {

namespace {

const char* const kInstrumentsKey = LW::CInstrumentsPanel::kDockKey;
const char kRecentPicksKey[] = "quicksearch/recent";
const char* const kBondInfoKey = LW::CBondInfoPanel::kDockKey;

// The panel signals that carry one text: the tender workflow's state pairs
// and the command-panel refresh. All go to slotPanelSignal.
const char* const kTextSignals[] = {
    "sigBondExecutionLockedTenderBond",
    "sigBondAllocationLockedTenderBond",
    "sigBondExecutionDealFinishedTenderBond",
    "sigBondAllocationDealFinishedTenderBond",
    "sigBondExecutionApprovingTenderBond",
    "sigBondAllocationApprovingTenderBond",
    "sigBondExecutionRunningTenderBond",
    "sigBondAllocationRunningTenderBond",
    "sigBondExecutionStoppedTenderBond",
    "sigBondAllocationStoppedTenderBond",
    "sigBondExecutionSettleFinishedTenderBond",
    "sigBondAllocationSettleFinishedTenderBond",
    "sigRefreshCommandPanel",
};

struct STradeTypeName {
  int tradeType;
  const char* name;
};

// The lists the "面板" menu offers.
const STradeTypeName kOpenableTypes[] = {
    {mxservice::NQ_TRADER_STOCK, QT_TRANSLATE_NOOP("demo::CDemoWindow", "股票")},
    {mxservice::NQ_TRADER_FUTURE, QT_TRANSLATE_NOOP("demo::CDemoWindow", "期货")},
    {mxservice::NQ_TRADER_GOLD, QT_TRANSLATE_NOOP("demo::CDemoWindow", "黄金现货")},
    {mxservice::NQ_TRADER_CREDIT, QT_TRANSLATE_NOOP("demo::CDemoWindow", "融资融券")},
    {mxservice::NQ_TRADER_FUTURE_OPTION, QT_TRANSLATE_NOOP("demo::CDemoWindow", "期货期权")},
    {mxservice::NQ_TRADER_STOCK_OPTION, QT_TRANSLATE_NOOP("demo::CDemoWindow", "股票期权")},
    {mxservice::NQ_TRADER_OUTER_FUTURE, QT_TRANSLATE_NOOP("demo::CDemoWindow", "外盘期货")},
    {mxservice::NQ_TRADER_HK_CONNECT, QT_TRANSLATE_NOOP("demo::CDemoWindow", "港股通")},
    {mxservice::NQ_TRADER_NEEQ, QT_TRANSLATE_NOOP("demo::CDemoWindow", "股转")},
    {mxservice::NQ_TRADER_OTC_FUND, QT_TRANSLATE_NOOP("demo::CDemoWindow", "场外基金")},
    {mxservice::NQ_TRADER_FUTURE_SPEC, QT_TRANSLATE_NOOP("demo::CDemoWindow", "期货 (二)")},
    {mxservice::NQ_TRADER_OUTER_STOCK, QT_TRANSLATE_NOOP("demo::CDemoWindow", "外盘股票")},
    {mxservice::NQ_TRADER_HK_STOCK, QT_TRANSLATE_NOOP("demo::CDemoWindow", "港股")},
    {mxservice::NQ_TRADER_INTER_BANK, QT_TRANSLATE_NOOP("demo::CDemoWindow", "银行间")},
    {mxservice::NQ_TRADER_FICC, QT_TRANSLATE_NOOP("demo::CDemoWindow", "固收平台")},
    {mxservice::NQ_TRADER_INTER_BANK_FX, QT_TRANSLATE_NOOP("demo::CDemoWindow", "银行间外币")},
    {mxservice::NQ_TRADER_BOND_TENDER, QT_TRANSLATE_NOOP("demo::CDemoWindow", "债券招标")},
    {mxservice::NQ_TRADER_MIXED_ALL, QT_TRANSLATE_NOOP("demo::CDemoWindow", "全市场")},
};

// Lists of bonds, funds and tenders go to the right of the window, the
// exchange-traded lists to the left, so the two kinds can be seen together.
bool isBondSide(int tradeType) {
  return tradeType == mxservice::NQ_TRADER_BOND_TENDER ||
         tradeType == mxservice::NQ_TRADER_INTER_BANK ||
         tradeType == mxservice::NQ_TRADER_INTER_BANK_FX ||
         tradeType == mxservice::NQ_TRADER_FICC || tradeType == mxservice::NQ_TRADER_OTC_FUND;
}

bool isPanelTradeType(int tradeType) {
  return tradeType == mxservice::NQ_TRADER_MIXED_ALL || mxservice::isKnownTradeType(tradeType);
}

QString joinCodes(const QSet<QString>& codes) {
  QStringList list = codes.values();
  list.sort();
  return list.join(QStringLiteral(", "));
}

}  // namespace

CDemoWindow::CDemoWindow(const CDemoOptions& options, const QString& settingsFile, QWidget* parent)
    : QMainWindow(parent), m_options(options) {
  setObjectName(QStringLiteral("demoWindow"));
  setWindowTitle(QStringLiteral("instruments-demo"));
  setDockNestingEnabled(true);

  // The log dock exists before any layout is restored, so the saved window
  // state finds it by its object name.
  m_logPane = new CDemoLogPane(this);
  m_logDock = new QDockWidget(QCoreApplication::translate("demo::CDemoWindow", "信号日志"), this);
  m_logDock->setObjectName(QStringLiteral("demoLogDock"));
  m_logDock->setWidget(m_logPane);
  m_logDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  addDockWidget(Qt::BottomDockWidgetArea, m_logDock);

  m_selectedLabel = new QLabel(QCoreApplication::translate("demo::CDemoWindow", "选中: -"), this);
  statusBar()->addPermanentWidget(m_selectedLabel);

  m_simulator = new CDemoSimulator(this);
  connect(m_simulator, SIGNAL(sigLog(QString)), this, SLOT(slotLog(QString)));
  // A screenshot run writes nothing, the theme included.
  m_themeMenu = new CDemoThemeMenu(CDemoThemeMenu::settingsFileBeside(settingsFile),
                                   options.screenshotFile.isEmpty(), this);

  m_dockManager = new LW::CDockManager(this, settingsFile, this);
  connect(m_dockManager, SIGNAL(sigLayoutSaved(QString)), this, SLOT(slotLayoutSaved(QString)));
  for (const char* key : {kInstrumentsKey, kBondInfoKey}) {
    const QString dockKey = QString::fromLatin1(key);
    m_dockManager->registerFactory(
        dockKey, [this, dockKey](int id, mxservice::ENqTraderType tradeType, QWidget* parent) {
          return createPanel(dockKey, id, tradeType, parent);
        });
  }
  m_dockManager->setDefaultLayout([this](LW::CDockManager*) { buildDefaultLayout(); });

  createMenus();

  // The popup searches every list of the data centre with an engine of its
  // own, built from the data set installed before the window.
  m_quickSearch = new LW::CQuickSearchPopup(nullptr, this);
  m_quickSearch->setHostWindow(this);
  connect(m_quickSearch, SIGNAL(sigSelectStock(QString)), this, SLOT(slotSelectStock(QString)));
  connect(m_quickSearch, SIGNAL(sigSelectInstrument(QString, int)), this,
          SLOT(slotQuickSearchInstrument(QString, int)));
  if (options.screenshotFile.isEmpty()) {
    m_quickSearchSettings = CDemoThemeMenu::settingsFileBeside(settingsFile);
    const int ignored =
        m_quickSearch->setRecentPicks(QSettings(m_quickSearchSettings, QSettings::IniFormat)
                                          .value(kRecentPicksKey)
                                          .toStringList());
    if (ignored > 0)
      slotLog(
          QCoreApplication::translate("demo::CDemoWindow", "快速搜索: 忽略 %1 个无法读取的最近选择")
              .arg(ignored));
  }

  // The user configuration's favourites signal may fire on any thread and at
  // any time. A change on the GUI thread reaches the window at once. Changes
  // from other threads wait, reduced to the last operation per trading type
  // and code, and one queued call per burst brings them over: however fast
  // another thread changes favourites, the GUI thread handles one event and
  // at most two updates per trading type for everything that arrived
  // meanwhile, so it cannot fall ever further behind.
  using Post = utils::CCoalescedPost<FavouritesChanges>;
  m_favouritesPost = Post::create(
      this, Post::Mode::DirectOnReceiverThread,
      [this](FavouritesChanges&& changes) { deliverFavourites(changes); },
      [](FavouritesChanges& waiting, FavouritesChanges&& incoming) {
        for (auto& type : incoming) {
          std::map<QString, int>& last = waiting[type.first];
          for (const auto& change : type.second) last[change.first] = change.second;
        }
      });
  const std::shared_ptr<Post> post = m_favouritesPost;
  m_favouritesConnection = LW::getUserConfig()->favouritesChangedSignal.connect(
      [post](int tradeType, int operation, const QSet<QString>& codes) {
        FavouritesChanges change;
        std::map<QString, int>& last = change[tradeType];
        for (const QString& code : codes) last[code] = operation;
        post->post(std::move(change));
      });
}

CDemoWindow::~CDemoWindow() {
  m_favouritesConnection.disconnect();
  m_favouritesPost->close();
  // The panels go while this window is still whole: their last signals and
  // the docks' close handling may still reach its slots.
  m_dockManager->removeAll();
}

void CDemoWindow::createMenus() {
  QMenu* file = menuBar()->addMenu(QCoreApplication::translate("demo::CDemoWindow", "文件"));
  file->addAction(QCoreApplication::translate("demo::CDemoWindow", "保存布局"), this,
                  SLOT(slotSaveLayout()));
  file->addSeparator();
  file->addAction(QCoreApplication::translate("demo::CDemoWindow", "退出"), this, SLOT(close()));

  QMenu* panels = menuBar()->addMenu(QCoreApplication::translate("demo::CDemoWindow", "面板"));
  for (const STradeTypeName& type : kOpenableTypes) {
    const QString text = QStringLiteral("%1 (0x%2)")
                             .arg(QCoreApplication::translate("demo::CDemoWindow", type.name))
                             .arg(type.tradeType, 0, 16);
    QAction* action = panels->addAction(text, this, SLOT(slotOpenPanel()));
    action->setData(type.tradeType);
  }
  panels->addSeparator();
  QAction* bondInfo = panels->addAction(
      QCoreApplication::translate("demo::CDemoWindow", "债券信息"), this, SLOT(slotOpenPanel()));
  bondInfo->setData(QString::fromLatin1(kBondInfoKey));

  QMenu* simulate = menuBar()->addMenu(QCoreApplication::translate("demo::CDemoWindow", "模拟"));
  m_simulator->populateMenu(simulate);
  simulate->addAction(QCoreApplication::translate("demo::CDemoWindow", "清空自选"), this,
                      SLOT(slotClearFavourites()));

  m_themeMenu->populate(
      menuBar()->addMenu(QCoreApplication::translate("demo::CDemoWindow", "主题")));
}

void CDemoWindow::openPanels() {
  const bool fresh =
      m_options.panelsGiven || m_options.resetLayout || !m_options.screenshotFile.isEmpty();
  if (fresh) {
    m_dockManager->removeAll();
    buildDefaultLayout();
    slotLog(QCoreApplication::translate("demo::CDemoWindow", "布局: 默认"));
  } else if (m_dockManager->restoreLayout()) {
    slotLog(QCoreApplication::translate("demo::CDemoWindow", "布局: 恢复自 %1")
                .arg(m_dockManager->settingsFile()));
  } else {
    slotLog(QCoreApplication::translate("demo::CDemoWindow", "布局: 默认 (无可用的已保存布局)"));
  }
}

QList<LW::ITradeDockableWidget*> CDemoWindow::panels() const { return m_dockManager->dockables(); }

LW::ITradeDockableWidget* CDemoWindow::createPanel(const QString& key, int id,
                                                   mxservice::ENqTraderType tradeType,
                                                   QWidget* parent) {
  LW::ITradeDockableWidget* panel = nullptr;
  if (key == QLatin1String(kInstrumentsKey)) {
    // A layout file may name anything; an instruments panel of a trading
    // type without a list is refused here rather than shown empty.
    if (!isPanelTradeType(static_cast<int>(tradeType))) {
      slotLog(QCoreApplication::translate("demo::CDemoWindow", "跳过面板: 未知的交易类型 %1")
                  .arg(static_cast<int>(tradeType)));
      return nullptr;
    }
    panel = new LW::CInstrumentsPanel(id, tradeType, parent);
  } else if (key == QLatin1String(kBondInfoKey)) {
    panel = new LW::CBondInfoPanel(id, parent);
  }
  if (panel) connectPanel(panel);
  return panel;
}

void CDemoWindow::connectPanel(LW::ITradeDockableWidget* panel) {
  if (auto* instruments = qobject_cast<LW::CInstrumentsPanel*>(panel)) {
    connect(instruments, SIGNAL(sigSelectStock(QString)), this, SLOT(slotSelectStock(QString)));
    connect(instruments, SIGNAL(sigSingleCodeOption(int, int, QString)), this,
            SLOT(slotSingleCodeOption(int, int, QString)));
    for (const char* name : kTextSignals) {
      // What SIGNAL(name(QString)) would produce, for a list of names.
      const QByteArray signal = QByteArray::number(QSIGNAL_CODE) + name + "(QString)";
      connect(instruments, signal.constData(), this, SLOT(slotPanelSignal(QString)));
    }
  } else if (qobject_cast<LW::CBondInfoPanel*>(panel)) {
    connect(panel, SIGNAL(sigInitBondInfo()), this, SLOT(slotBondInfoLoaded()));
  }
}

void CDemoWindow::buildDefaultLayout() {
  QList<QDockWidget*> left;
  QList<QDockWidget*> right;
  QDockWidget* bondInfo = nullptr;
  for (const SPanelChoice& choice : m_options.panels) {
    if (choice.kind == SPanelChoice::BOND_INFO) {
      LW::ITradeDockableWidget* panel = m_dockManager->createDock(kBondInfoKey);
      if (panel) bondInfo = m_dockManager->dockOf(panel);
      continue;
    }
    LW::ITradeDockableWidget* panel = m_dockManager->createDock(
        kInstrumentsKey, static_cast<mxservice::ENqTraderType>(choice.tradeType));
    QDockWidget* dock = panel ? m_dockManager->dockOf(panel) : nullptr;
    if (!dock) continue;
    // The tender workflow is the richest list of its side: it goes in front.
    if (choice.tradeType == mxservice::NQ_TRADER_BOND_TENDER)
      right.prepend(dock);
    else
      (isBondSide(choice.tradeType) ? right : left).append(dock);
  }
  // One tab group per side, its first list in front.
  auto place = [this](const QList<QDockWidget*>& docks, Qt::DockWidgetArea area) {
    for (QDockWidget* dock : docks) {
      addDockWidget(area, dock);
      if (dock != docks.first()) tabifyDockWidget(docks.first(), dock);
    }
    if (!docks.isEmpty()) docks.first()->raise();
  };
  place(left, Qt::LeftDockWidgetArea);
  place(right, Qt::RightDockWidgetArea);
  addDockWidget(Qt::BottomDockWidgetArea, m_logDock);
  if (bondInfo) {
    addDockWidget(Qt::BottomDockWidgetArea, bondInfo);
    splitDockWidget(bondInfo, m_logDock, Qt::Horizontal);
  }

  if (!left.isEmpty() && !right.isEmpty())
    resizeDocks({left.first(), right.first()}, {width() * 45 / 100, width() * 55 / 100},
                Qt::Horizontal);
  if (bondInfo)
    resizeDocks({bondInfo, m_logDock}, {width() * 6 / 10, width() * 4 / 10}, Qt::Horizontal);
  resizeDocks({m_logDock}, {height() * 32 / 100}, Qt::Vertical);
}

void CDemoWindow::reportDataSet(const QString& directory,
                                const std::vector<std::string>& problems) {
  slotLog(QCoreApplication::translate("demo::CDemoWindow", "数据集: %1, %2 个问题")
              .arg(directory)
              .arg(problems.size()));
  // The first few tell what is wrong; the rest are in the host log.
  const std::size_t shown = std::min<std::size_t>(problems.size(), 20);
  for (std::size_t i = 0; i < shown; ++i)
    slotLog(QStringLiteral("  ") + QString::fromStdString(problems[i]));
}

void CDemoWindow::slotLog(const QString& line) { m_logPane->slotAppend(line); }

QString CDemoWindow::describe(const QObject* panel) {
  if (qobject_cast<const LW::CQuickSearchPopup*>(panel))
    return QCoreApplication::translate("demo::CDemoWindow", "快速搜索");
  const auto* dockable = qobject_cast<const LW::ITradeDockableWidget*>(panel);
  if (!dockable) return QStringLiteral("?");
  return QStringLiteral("%1#%2").arg(dockable->windowTitle()).arg(dockable->id());
}

void CDemoWindow::slotSelectStock(QString stockKey) {
  m_selectedStockKey = stockKey;
  m_selectedLabel->setText(
      QCoreApplication::translate("demo::CDemoWindow", "选中: %1").arg(stockKey));
  setWindowTitle(QStringLiteral("instruments-demo - %1").arg(stockKey));
  slotLog(QStringLiteral("[%1] sigSelectStock(%2)").arg(describe(sender()), stockKey));
}

void CDemoWindow::slotSingleCodeOption(int tradeType, int operation, QString stockKey) {
  slotLog(QStringLiteral("[%1] sigSingleCodeOption(%2, %3, %4)")
              .arg(describe(sender()))
              .arg(tradeType)
              .arg(operation)
              .arg(stockKey));
  LW::CUserConfig* config = LW::getUserConfig();
  const auto type = static_cast<mxservice::ENqTraderType>(tradeType);
  // The change comes back through the favourites signal, which updates the
  // panels; nothing is called on them from here.
  const bool changed = operation == LW::CUserConfig::FAVOURITE_REMOVED
                           ? config->removeFavourite(type, stockKey)
                           : config->addFavourite(type, stockKey);
  if (!changed)
    slotLog(QCoreApplication::translate("demo::CDemoWindow", "自选未变: %1").arg(stockKey));
}

void CDemoWindow::deliverFavourites(const FavouritesChanges& changes) {
  for (const auto& type : changes) {
    QSet<QString> removed;
    QSet<QString> added;
    for (const auto& change : type.second)
      (change.second == LW::CUserConfig::FAVOURITE_REMOVED ? removed : added).insert(change.first);
    if (!removed.isEmpty())
      onFavouritesChanged(type.first, LW::CUserConfig::FAVOURITE_REMOVED, removed);
    if (!added.isEmpty()) onFavouritesChanged(type.first, LW::CUserConfig::FAVOURITE_ADDED, added);
  }
}

void CDemoWindow::onFavouritesChanged(int tradeType, int operation, const QSet<QString>& codes) {
  slotLog(QCoreApplication::translate("demo::CDemoWindow", "自选%1 (类型 %2): %3")
              .arg(operation == LW::CUserConfig::FAVOURITE_ADDED
                       ? QCoreApplication::translate("demo::CDemoWindow", "添加")
                       : QCoreApplication::translate("demo::CDemoWindow", "删除"))
              .arg(tradeType)
              .arg(joinCodes(codes)));
  for (LW::ITradeDockableWidget* panel : panels()) {
    auto* instruments = qobject_cast<LW::CInstrumentsPanel*>(panel);
    if (instruments && static_cast<int>(instruments->tradeType()) == tradeType)
      instruments->updateOptionalStatus(tradeType, operation, codes);
  }
}

void CDemoWindow::slotPanelSignal(QString payload) {
  const int index = senderSignalIndex();
  QObject* from = sender();
  const QByteArray name =
      from && index >= 0 ? from->metaObject()->method(index).name() : QByteArray("?");
  slotLog(QStringLiteral("[%1] %2(%3)").arg(describe(from), QString::fromLatin1(name), payload));
}

void CDemoWindow::slotBondInfoLoaded() {
  slotLog(QStringLiteral("[%1] sigInitBondInfo()").arg(describe(sender())));
}

void CDemoWindow::slotQuickSearchInstrument(QString stockKey, int tradeType) {
  slotLog(QStringLiteral("[%1] sigSelectInstrument(%2, %3)")
              .arg(describe(sender()), stockKey)
              .arg(tradeType));
  if (m_quickSearchSettings.isEmpty()) return;
  QSettings settings(m_quickSearchSettings, QSettings::IniFormat);
  settings.setValue(kRecentPicksKey, m_quickSearch->recentPicks());
}

void CDemoWindow::slotOpenPanel() {
  auto* action = qobject_cast<QAction*>(sender());
  if (!action) return;
  LW::ITradeDockableWidget* panel = nullptr;
  if (action->data().type() == QVariant::String)
    panel = m_dockManager->createDock(action->data().toString());
  else
    panel = m_dockManager->createDock(
        kInstrumentsKey, static_cast<mxservice::ENqTraderType>(action->data().toInt()));
  if (!panel) {
    slotLog(
        QCoreApplication::translate("demo::CDemoWindow", "无法打开面板 %1").arg(action->text()));
    return;
  }
  if (QDockWidget* dock = m_dockManager->dockOf(panel)) dock->raise();
  slotLog(QCoreApplication::translate("demo::CDemoWindow", "打开面板 %1").arg(describe(panel)));
}

void CDemoWindow::slotSaveLayout() {
  if (!m_dockManager->saveLayout())
    slotLog(QCoreApplication::translate("demo::CDemoWindow", "布局保存失败: %1")
                .arg(m_dockManager->settingsFile()));
}

void CDemoWindow::slotLayoutSaved(QString file) {
  slotLog(QCoreApplication::translate("demo::CDemoWindow", "布局已保存: %1").arg(file));
}

void CDemoWindow::slotClearFavourites() {
  LW::CUserConfig* config = LW::getUserConfig();
  QSet<int> types;
  for (LW::ITradeDockableWidget* panel : panels())
    if (qobject_cast<LW::CInstrumentsPanel*>(panel)) types.insert(panel->tradeType());
  for (int tradeType : types) {
    const auto type = static_cast<mxservice::ENqTraderType>(tradeType);
    // One by one, so that each removal is announced like a user's.
    for (const QString& code : config->getCodeSetByTradeType(type))
      config->removeFavourite(type, code);
  }
}

}  // namespace demo
