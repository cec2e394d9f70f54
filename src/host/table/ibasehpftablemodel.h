#pragma once
// The model of a high-performance table: column descriptions, sorting rules
// and the row store.
//
// Rows. The store holds the "current rows" in model order, keyed by
// IBaseHpfTableData::key():
//   - addData(row) appends; a row whose key is already held replaces that row
//     in place and keeps its position (a reload that lists a key twice keeps
//     the last version and the first position). A null row or a row with an
//     empty key is refused (false, logged).
//   - updateData(row) replaces the held row with the same key in place; for a
//     key the model does not hold it changes nothing and returns false (an
//     update never resurrects a row that a reload dropped).
//   - removeDataByKey(key), clear().
//   - getDataByKey(key), getAllDatas(), rowCount() read the current rows.
//   - getData(row) reads the rows the table shows (see below).
// Batches. Between beginBatch() and the matching endBatch() the current rows
// change but are not "committed": a table that takes the rows meanwhile gets
// the last committed list, so the user never sees a list that is half rebuilt.
// Outside a batch every change commits at once. LW::CHpfThreadDataModel wraps
// every job in a batch. After each commit the rows-committed listener runs (on
// the committing thread, no lock held).
// Published rows. updateTable() of the table calls publishRows(), which makes
// the committed rows the "published" snapshot and returns it; getData(row)
// indexes that snapshot, so the row index a click reports (model order, before
// the table's own sort and filter) names the clicked row even if a worker has
// rebuilt the rows since. Until a table first publishes, getData(row) indexes
// the current rows.
//
// Threads: every non-virtual operation may be called from any thread; the row
// store and the delegate map are guarded by internal mutexes (never held while
// a row's or a subclass's virtual operation runs, except compare() during a
// sort, which runs on a snapshot without any lock). Column queries are called
// on the GUI thread and, from sorting, on whatever thread sorts; subclasses
// keep them free of mutable state.
//
// Virtual slot order is part of the contract with the panels: do not reorder.

#include "lwhost_table_export.h"

#include "host/table/hpftypes.h"

#include <QColor>
#include <QString>
#include <QVector>
#include <boost/function.hpp>
#include <memory>
#include <string>
#include <vector>

namespace GU {

class CHpfRowStore;

class LWHOST_TABLE_EXPORT IBaseHpfTableModel {
public:
  // Bits of modelFlags().
  enum EModelFlag {
    MODEL_FLAG_NO_SORT = 0x01,    // header clicks never sort this model
    MODEL_FLAG_NO_FILTER = 0x02,  // the table's text filter does not apply
  };

  IBaseHpfTableModel();
  virtual ~IBaseHpfTableModel();

  // --- columns -----------------------------------------------------------
  // Column ids are 0 .. columnCount()-1.
  virtual int columnCount() const;
  // Empty for an unknown id.
  virtual QString columnTitle(int column) const;
  // One of EHpfValueKind (2, 4, 6, 10); 10 for unknown ids.
  virtual int columnValueKind(int column) const;
  virtual QString getTitleTip(int column) const;
  // True: "复制" copies the clicked cell only; false: the whole row.
  virtual bool isCopyCellOnly() const;
  // Background of the row at view position row (after sorting); null lets
  // the table choose. The pointee must outlive the call.
  virtual const QColor* getRowBackgroundColor(int row) const;
  // EModelFlag bits; 0 by default.
  virtual int modelFlags() const;
  // Decimal cells closer than this compare equal. Default 1e-9.
  virtual double getCompareTick(int column) const;
  // True when the table's text filter looks at the column. Default true.
  virtual bool onfilterColumn(int column) const;
  // Negative, zero or positive. Default: a missing row first; then by the
  // column's value kind: numbers with the no-value markers below every value
  // (decimals within getCompareTick() equal), text by QString::compare.
  virtual int compare(const HpfRowPtr& a, const HpfRowPtr& b, int column) const;
  // The table's first sort (getDefaultSortFieldID()) is descending.
  virtual bool isReverseSortAfterInit() const;

  // --- rows ----------------------------------------------------------------
  // True when a row was removed.
  virtual bool removeDataByKey(const std::string& key);
  virtual HpfRowPtr getDataByKey(const QString& key) const;
  virtual HpfRowPtr getDataByKey(const std::string& key) const;
  // A key written as a literal, getDataByKey("600000.SH"), which either
  // overload above would take and so neither could. The bytes are the key
  // (keys are UTF-8, as the QString overload converts them); null finds
  // nothing. Not virtual: it asks the std::string overload. A subclass that
  // overrides getDataByKey hides it and should say
  // `using GU::IBaseHpfTableModel::getDataByKey;`.
  HpfRowPtr getDataByKey(const char* key) const;
  virtual void clear();
  // Sorts order (indices into rows) by column; the default is the stable
  // sort by compare() (sped up by keys of the column's value kind, which
  // compare() then confirms; see hpfrowsorter.h), or customSort() when
  // customFieldSort(column) says so. Runs on the caller's thread without any
  // model lock.
  virtual void sortByColumnID(const HpfRowVector& rows, std::vector<int>& order, int column,
                              bool ascending) const;
  // A model's own sort of a column; return false to fall back to compare().
  virtual bool customSort(const HpfRowVector& rows, std::vector<int>& order, int column,
                          bool ascending) const;
  // addData() hands a non-null row with a key here. Default: _doAddData().
  // Override to transform or drop rows before they are stored.
  virtual bool _addData(const HpfRowPtr& row);
  // Stores the row (append, or replace in place for a held key). Always true.
  virtual bool _doAddData(const HpfRowPtr& row);
  // Replaces the held row with the same key; false for an unknown key.
  virtual bool _updateData(const HpfRowPtr& row);
  // Stores (or, for null, removes) the delegate of a column.
  virtual void _updateDelegateData(int column, const HpfDelegatePtr& delegate);
  virtual HpfDelegatePtr _getDelegateData(int column) const;
  // The attached table's id and type; stored for tableId()/tableType().
  virtual void setInfo(int tableId, int tableType);
  // A one-line summary of the rows ("共 N 条") and its colour key.
  virtual QString getStat1QString() const;
  virtual QString getStat1ColorKey() const;
  // The column the table sorts by when the model is attached; -1 for none.
  virtual int getDefaultSortFieldID() const;
  // The column ids in default display order. Default: 0 .. columnCount()-1.
  virtual QVector<int> initColumns() const;
  // True when sortByColumnID() should ask customSort() for the column.
  virtual bool customFieldSort(int column) const;

  // --- non-virtual entry points (any thread) --------------------------------
  bool addData(const HpfRowPtr& row);
  bool updateData(const HpfRowPtr& row);
  // Replaces every current row, as clear() and addData() of each row in
  // order would, but as one change: a reader (a repaint asking getDataByKey()
  // for a row's button) sees either all the old rows or all the new ones,
  // never a store half refilled. keys, when given with one key per row, are
  // the rows' key()s: a caller that keeps its key list and hands the same
  // list again when it selects the same rows spares the store rebuilding its
  // key index (the store keeps the list; it is never changed). Without them
  // the rows are asked. Null rows and rows without a key are refused and
  // logged, as addData() does. Rows are stored as given: _addData() is not
  // consulted, so a model that transforms rows there keeps using addData().
  // True when the rows changed.
  bool replaceAllData(HpfRowVector rows,
                      std::shared_ptr<const std::vector<std::string>> keys = nullptr);
  // The same for rows the caller keeps: without refused rows and repeated
  // keys the model holds *rows itself, so handing the same vector again
  // costs nothing per row. The caller must not change *rows afterwards.
  bool replaceAllData(const boost::shared_ptr<HpfRowVector>& rows,
                      std::shared_ptr<const std::vector<std::string>> keys);
  // The row at model position row of the published rows; null for a bad index.
  HpfRowPtr getData(int row) const;
  // A copy of the current rows, in model order.
  HpfRowVector getAllDatas() const;
  int rowCount() const;
  // Shared: a worker may keep using a delegate the table has since replaced.
  HpfDelegatePtr columnDelegate(int column) const;
  void setColumnDelegate(int column, const HpfDelegatePtr& delegate);

  // Batches nest; changes commit when the outermost batch ends.
  void beginBatch();
  void endBatch();
  // True while a batch has changed rows that are not yet committed.
  bool hasUncommittedRows() const;
  // The committed rows, O(1).
  HpfRowSnapshot committedRows() const;
  // Called by the table's updateTable(): the committed rows become the
  // published rows (see getData()) and are returned.
  HpfRowSnapshot publishRows();
  // Runs after every commit on the committing thread. One listener (the
  // attached table); an empty function removes it. A listener being replaced
  // may still run once concurrently, so it must guard its own target.
  void setRowsCommittedListener(const boost::function<void()>& listener);

  int tableId() const;
  int tableType() const;

protected:
  // The comparison compare() uses for one value kind, for subclasses that
  // extend compare() for some columns only.
  static int compareValues(const HpfRowPtr& a, const HpfRowPtr& b, int column, int kind,
                           double tick);

private:
  IBaseHpfTableModel(const IBaseHpfTableModel&) = delete;
  IBaseHpfTableModel& operator=(const IBaseHpfTableModel&) = delete;

  std::unique_ptr<CHpfRowStore> m_store;  // owns rows, delegates and info
};

}  // namespace GU
