#pragma once
// The data model behind one instruments table: the column catalogue of its
// trading type, and the load job that fetches that type's records from the
// host, keeps those the filter text selects, turns each into a row
// (CInstrumentData) and announces the finished load with sigRefreshed().
//
// Ownership: own the model by boost::shared_ptr (the table widget does). The
// threaded base keeps the model alive while one of its jobs runs, so the last
// owner may let go at any time; the model is then destroyed after the running
// job, possibly on the worker thread, and queued jobs are dropped. A derived
// model whose jobs use its own members stops the worker in its destructor,
// before those members go (the tender model does).
//
// A bond-tender list (0x8000000) loads nothing here: its rows come from the
// tender search of the tender model, which derives from this one.
//
// Threads:
// - The constructor, refresh(), reload() and the catalogue getters may be
//   called from any thread; refresh() and reload() only queue a job. The catalogue is fixed at
//   construction and read without a lock.
// - Load jobs run one at a time, in the order queued, on the base's serial
//   worker. They touch the host row store only through replaceAllData() (the
//   inter-bank lists through clear() and addData()) and are the only users
//   of the search cache, the shown rows and the handed lists (m_searchCache,
//   m_shownRows, m_handed and the rest: confined to the worker; no mutex).
// - sigRefreshed() is emitted on the worker thread after the job's rows are
//   committed, so a receiver on the GUI thread gets it queued and, whenever it
//   runs, finds the new rows.
// - Column queries, compare() and getRowBackgroundColor() hold no mutable
//   state: any thread.

#include "host/core/tradertypes.h"
#include "host/table/hpfthreaddatamodel.h"
#include "model/columncatalogue.h"
#include "model/instrumentmatch.h"
#include "model/instrumentsearchcache.h"

#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace LW {

class CInstrumentData;

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

  // The same load, coalesced: while the load queued by the previous reload()
  // has not started (and nothing else was queued after it) this filter
  // replaces that load's instead of queueing another. A burst of reloads
  // during a running load therefore costs at most two loads and one
  // sigRefreshed() each, and the last one's filter and data are what the
  // rows show. For the host's announcements and the search field, which
  // only care about the latest state.
  void reload(const QString& filter);

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

signals:
  void sigRefreshed();

protected:
  // Ends the job's row batch early so that the rows are committed before
  // sigRefreshed() leaves, then reopens it for the base's closing endBatch().
  // For the jobs of derived models, which end the same way.
  void commitAndAnnounce();

private:
  void loadJob(const QString& filter);
  void loadRows(const QString& filter);
  void loadInterBankRows(const QString& filter);

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
  // The key of each built row, same positions: handed to the row store with
  // the row, so a reload builds no key text.
  std::vector<std::string> m_shownKeys;
  mxservice::ENqTraderType m_shownRowsType = mxservice::NQ_TRADER_NONE;
  // The cache positions of the rows handed to the store by the last two
  // loads, with those rows and their keys, shared with the store (never
  // changed once handed): a load that shows the same rows as one of them
  // hands the same lists again. Worker thread only.
  struct SHandedRows {
    std::vector<std::uint32_t> positions;
    boost::shared_ptr<GU::HpfRowVector> rows;
    std::shared_ptr<const std::vector<std::string>> keys;
  };
  SHandedRows m_handed[2];
  int m_lastHanded = 0;
  // Whether each cached record passes the list rules (1), fails them (0) or
  // was not asked yet: the rules read only the record and the configuration
  // of m_listRulesContext, so a record is asked once per list and
  // configuration. Worker thread only; reset with the search cache.
  static constexpr std::int8_t kRulesUnknown = -1;
  std::vector<std::int8_t> m_listRules;
  CListRuleContext m_listRulesContext;
};

}  // namespace LW
