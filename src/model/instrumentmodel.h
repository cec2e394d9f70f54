#pragma once
// The data model behind one instruments table: the column catalogue of its
// trading type, and the load job that fetches that type's records from the
// host, keeps those the filter text selects, turns each into a row
// (CInstrumentData) and announces the finished load with sigRefreshed().
//
// Ownership: own the model by boost::shared_ptr (the table widget does). The
// threaded base keeps the model alive while one of its jobs runs, so the last
// owner may let go at any time; the model is then destroyed after the running
// job, possibly on the worker thread, and queued jobs are dropped.
//
// Threads:
// - The constructor, refresh() and the catalogue getters may be called from
//   any thread; refresh() only queues a job. The catalogue is fixed at
//   construction and read without a lock.
// - Load jobs run one at a time, in the order queued, on the base's serial
//   worker. They touch the host row store only through clear() and addData()
//   and are the only users of the search cache and the shown-row index
//   (m_searchCache, m_shownRows: confined to the worker; no mutex).
// - sigRefreshed() is emitted on the worker thread after the job's rows are
//   committed, so a receiver on the GUI thread gets it queued and, whenever it
//   runs, finds the new rows.
// - Column queries, compare() and getRowBackgroundColor() hold no mutable
//   state: any thread.

#include "host/core/tradertypes.h"
#include "host/data/tenderbondinfodetail.h"
#include "host/table/buttondata.h"
#include "host/table/hpfthreaddatamodel.h"
#include "model/columncatalogue.h"
#include "model/instrumentsearchcache.h"

#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVector>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

namespace LW {

class CInstrumentData;
struct TenderSearchQuery;

// moc answers qt_metacast() for the class name "LW::CHpfInsModel" and, since
// the second base is spelt "CHpfThreadDataModel" below, for that name with the
// threaded base; everything else goes to QObject. Keep the base unqualified.
class CHpfInsModel : public QObject, public CHpfThreadDataModel {
  Q_OBJECT

public:
  // The table type the host's threaded model is given for instrument lists.
  static constexpr int kInstrumentTableType = 550;
  // The data centre's selector of the gold-exchange list (trading type 4).
  static constexpr long long kGoldListSelector = 0x78A408BFBB9EA360LL;

  // Builds the catalogue of tradeType (reading the broker-edition flag once).
  explicit CHpfInsModel(mxservice::ENqTraderType tradeType);
  ~CHpfInsModel() override;

  // Queues one load job with filter and returns at once. The job clears the
  // rows, adds one row per record of the trading type that the filter (used
  // as given: callers upper-case it) selects, in the host's order, and emits
  // sigRefreshed() once, also when it finds nothing or fails.
  void refresh(const QString& filter);

  // --- catalogue -------------------------------------------------------------
  const QMap<int, QString>& columnTitles() const { return m_catalogue.columnTitles; }
  const QSet<int>& numericColumns() const { return m_catalogue.numericColumns; }
  const QSet<int>& iconColumns() const { return m_catalogue.iconColumns; }
  int favoriteColumn() const { return m_catalogue.favoriteColumn; }

  // --- GU::IBaseHpfTableModel ------------------------------------------------
  int columnCount() const override;
  QString columnTitle(int column) const override;
  int columnValueKind(int column) const override;
  QString getTitleTip(int column) const override;
  bool isCopyCellOnly() const override;
  // "clr_table_background2" for odd rows, "clr_table_background" for even.
  const QColor* getRowBackgroundColor(int row) const override;
  int modelFlags() const override;
  // A missing row first; then by the column's value kind, rows without a
  // value below every row with one, decimals within getCompareTick() equal,
  // texts by case-sensitive QString::compare. Returns -1, 0 or 1.
  int compare(const GU::HpfRowPtr& a, const GU::HpfRowPtr& b, int column) const override;

  // Bytes the per-list search cache and the shown-row index hold beyond the
  // rows. Only meaningful while no job runs (after waitForIdle()); for tests
  // and the memory benchmark.
  std::size_t searchCacheBytes() const;

  // --- bond tender lists (defined in src/tender/) ----------------------------
  // Queues one tender search and returns at once. The job empties the rows,
  // walks the exchange client's tender details in key order, keeps those the
  // query matches (matchTenderBond), derives each kept bond's status from the
  // current account's order commands (one pass over the commands for the
  // whole search), writes it into the shared detail, sets the row's action
  // buttons and adds the row; once every row is in, it looks at the commands
  // again and corrects the statuses of commands changed meanwhile (their
  // deliveries may have found no row yet); then emits sigRefreshed() once.
  // Searches run in the order queued, so the last one decides the list. Any
  // thread.
  void searchTenderBonds(bool isDateField, const std::string& field, const std::string& text,
                         const std::string& startDate, const std::string& endDate,
                         bool internalOnly);
  // Rebuilds the row of one tender bond on the caller's thread: derives the
  // status afresh, writes it into detail, sets the row's buttons, replaces
  // the row with the same key (a key the model does not hold stays absent)
  // and emits sigRefreshed(). A null detail is logged and ignored. Any
  // thread; never call it while holding the account data's lock.
  void updateTenderRow(boost::shared_ptr<mxservice::CTenderBondInfoDetail> detail);
  // The workflow status of bondCode from the current account's order
  // commands: the first command of the bond (account order) whose status is
  // 0, 2, 204 or 201 decides; else 5 when every command of the bond is
  // revoked; else (also without any command or account) -2. Any thread.
  int deriveTenderStatus(const std::string& bondCode) const;
  // The action buttons of a status: lock then revoke for 0 and 2, unlock for
  // 204, none otherwise.
  static QVector<GU::ButtonData> buildTenderButtons(int status);

signals:
  void sigRefreshed();

private:
  void loadJob(const QString& filter);
  void loadRows(const QString& filter);
  void loadInterBankRows(const QString& filter);
  // Ends the job's row batch early so that the rows are committed before
  // sigRefreshed() leaves, then reopens it for the base's closing endBatch().
  void commitAndAnnounce();
  void tenderSearchJob(const TenderSearchQuery& query);
  void tenderSearchRows(const TenderSearchQuery& query);
  // Sets the buttons of rowKey for status on the column-3 multi-button
  // delegate; nothing when column 3 has no such delegate.
  void applyTenderButtons(const std::string& rowKey, int status) const;

  const CColumnCatalogue m_catalogue;
  CInstrumentSearchCache m_searchCache;  // worker thread only
  // The rows built since the search cache was last rebuilt, by position in
  // the cache (null where none was built yet). Rows are immutable and depend
  // only on the record, the trading type and the catalogue's edition (fixed
  // for the model), so every load hands the same row to the host again
  // instead of building and freeing one per instrument: clearing a filter (a
  // reload of the whole list) then costs no allocation per row. Bounded by
  // the list's size, which the panel shows in full when it opens anyway.
  // Worker thread only; reset with the search cache or when the trading type
  // changes.
  std::vector<boost::shared_ptr<CInstrumentData>> m_shownRows;
  mxservice::ENqTraderType m_shownRowsType = mxservice::NQ_TRADER_NONE;
  // Held by a tender search from emptying the rows until its last look at
  // the order commands, and by updateTenderRow from its look at the commands
  // until its row is replaced. A row update therefore never lands between a
  // search's reading of the commands and its rows (where the search would
  // write back an older status), and of two row updates the later look is
  // written last. Nothing that waits for another thread runs under it.
  // Across models the same sections also take sharedTenderStatusMutex(),
  // always after this one.
  std::mutex m_tenderMutex;
};

}  // namespace LW
