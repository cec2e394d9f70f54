#pragma once
// The demo host's main window: the host's docking system holding instruments
// panels and the bond info panel, a "模拟" menu that raises host events, a log
// pane with every signal the panels emit, and a status bar with the stock
// key of the last selected row.
//
// The window plays the host's part towards the panels: it creates them
// through the dock manager's factories, listens to their signals with
// string-based connections, adds a code to the user's favourites when a
// panel's favourites button is pressed and passes every favourites change
// back to the panels (updateOptionalStatus), so the type-64 buttons follow.
// The dock layout and each panel's settings text are saved to the settings
// file when the window closes and restored at the next start.
//
// Quick search: a letter or a digit typed anywhere in the window while no
// text field has the focus opens the quick search popup over it; a pick is
// logged like a panel's signals and selects the instrument in the status
// bar. The recent picks are kept in the demo's INI file beside the layout
// file (key "quicksearch/recent"), except in runs that leave no trace.
//
// Ownership: panels belong to their docks, docks, menus and the log pane to
// the window (Qt children); the dock manager is a child of the window.
//
// Threads: GUI thread only. The user configuration may announce favourites
// changes on any thread; m_favouritesPost brings them to the GUI thread, a
// burst at a time, and stops reaching the window once its destructor has
// begun.

#include "demooptions.h"

#include "host/core/coalescedpost.h"
#include "host/core/tradertypes.h"

#include <QList>
#include <QMainWindow>
#include <QSet>
#include <QString>
#include <boost/signals2/connection.hpp>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QDockWidget;
class QLabel;

namespace LW {
class CDockManager;
class CQuickSearchPopup;
class ITradeDockableWidget;
}  // namespace LW

namespace demo {

class CDemoLogPane;
class CDemoSimulator;
class CDemoThemeMenu;

class CDemoWindow : public QMainWindow {
  Q_OBJECT
public:
  // options: copied. settingsFile: the dock layout file (created on save).
  CDemoWindow(const CDemoOptions& options, const QString& settingsFile, QWidget* parent = nullptr);
  ~CDemoWindow() override;

  // Opens the docks: the saved layout, unless panels were chosen on the
  // command line, the layout is to be reset or a screenshot is taken; then
  // (or when the file is unusable) the chosen panels in the default
  // arrangement. Call once, before show().
  void openPanels();

  // The open panels, in creation order.
  QList<LW::ITradeDockableWidget*> panels() const;
  LW::CDockManager* dockManager() const { return m_dockManager; }
  CDemoLogPane* logPane() const { return m_logPane; }
  LW::CQuickSearchPopup* quickSearch() const { return m_quickSearch; }
  // The stock key of the last sigSelectStock; empty before the first.
  QString selectedStockKey() const { return m_selectedStockKey; }

  // Writes the outcome of the data-set load into the log pane.
  void reportDataSet(const QString& directory, const std::vector<std::string>& problems);

public slots:
  void slotLog(const QString& line);

protected slots:
  // String-connected to every panel (see connectPanel).
  void slotSelectStock(QString stockKey);
  void slotSingleCodeOption(int tradeType, int operation, QString stockKey);
  void slotPanelSignal(QString payload);
  void slotBondInfoLoaded();
  // String-connected to the quick search popup's sigSelectInstrument.
  void slotQuickSearchInstrument(QString stockKey, int tradeType);

private slots:
  void slotOpenPanel();
  void slotSaveLayout();
  void slotLayoutSaved(QString file);
  void slotClearFavourites();

private:
  LW::ITradeDockableWidget* createPanel(const QString& key, int id,
                                        mxservice::ENqTraderType tradeType, QWidget* parent);
  void connectPanel(LW::ITradeDockableWidget* panel);
  void buildDefaultLayout();
  void createMenus();
  // The host passes a favourites change on to every instruments panel of
  // that trading type. GUI thread.
  void onFavouritesChanged(int tradeType, int operation, const QSet<QString>& codes);
  // Favourites changes gathered for one delivery: trading type -> code ->
  // the last operation on it.
  using FavouritesChanges = std::map<int, std::map<QString, int>>;
  // Applies the changes m_favouritesPost gathered. GUI thread.
  void deliverFavourites(const FavouritesChanges& changes);
  // "股票列表#3": the panel's title and id, for log lines.
  static QString describe(const QObject* panel);

  CDemoOptions m_options;
  LW::CDockManager* m_dockManager;       // Qt child
  CDemoLogPane* m_logPane;               // Qt child (inside m_logDock)
  QDockWidget* m_logDock;                // Qt child
  QLabel* m_selectedLabel;               // Qt child (status bar)
  CDemoSimulator* m_simulator;           // Qt child
  CDemoThemeMenu* m_themeMenu;           // Qt child
  LW::CQuickSearchPopup* m_quickSearch;  // Qt child; owns its engine
  QString m_quickSearchSettings;         // the INI file; empty: nothing is saved
  QString m_selectedStockKey;

  // Shared with the connection's slot; closed by the destructor.
  std::shared_ptr<utils::CCoalescedPost<FavouritesChanges>> m_favouritesPost;
  boost::signals2::scoped_connection m_favouritesConnection;
};

}  // namespace demo
