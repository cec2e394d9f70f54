#pragma once
// The instrument model of a bond-tender table (trading type 0x8000000). The
// instrument load of the base lists nothing for this type; the rows come from
// tender searches instead, which rebuild the whole list from the exchange
// client's tender details, and from single-row rebuilds after an order
// command or an amount of one bond changed. Each row carries the workflow
// status derived from the current account's order commands, written into the
// bond's shared detail, and the action buttons of that status in column 3.
//
// Ownership: like its base, own it by boost::shared_ptr (the table creates
// it for its trading type). Column 3's multi-button delegate belongs to the
// host table; without one the rows simply get no buttons.
//
// Threads:
// - searchTenderBonds() queues a job on the base's serial worker and returns
//   at once; any thread. The job touches the host row store through clear()
//   and addData() and ends with sigRefreshed() on the worker.
// - updateTenderRow() runs on its caller's thread (the account data's
//   delivery thread, the GUI thread or a host thread) and emits sigRefreshed()
//   there. Never call it while holding the account data's lock.
// - deriveTenderStatus() and buildTenderButtons(): any thread.
// - A row update never lands between a search's reading of the order
//   commands and its rows, and of two row updates the later one is written
//   last; the model's lock is taken before sharedTenderStatusMutex
//   (tenderstatustable.h), never after it.
// - The destructor waits for a running search.

#include "host/core/annotatedmutex.h"
#include "host/data/tenderbondinfodetail.h"
#include "host/table/buttondata.h"
#include "model/instrumentmodel.h"
#include "tender/tenderstatustable.h"

#include <QVector>
#include <boost/shared_ptr.hpp>
#include <string>

namespace LW {

struct TenderSearchQuery;

class CTenderModel : public CHpfInsModel {
public:
  CTenderModel();
  ~CTenderModel() override;

  // Queues one tender search with copies of its arguments and returns at
  // once. The job replaces the rows by the exchange client's tender details
  // the query matches (matchTenderBond), in key order, each with the status
  // derived from the current account's order commands (written into the
  // shared detail) and the action buttons of that status, including the
  // changes of commands made while it ran; then emits sigRefreshed() once,
  // also when it fails. Searches run in the order queued, so the last one
  // decides the list.
  void searchTenderBonds(bool isDateField, const std::string& field, const std::string& text,
                         const std::string& startDate, const std::string& endDate,
                         bool internalOnly);

  // Rebuilds the row of one tender bond: derives the status afresh, writes it
  // into detail, sets the row's buttons, replaces the row with the same key
  // (a key the model does not hold stays absent: an update never brings back
  // a row a search left out) and emits sigRefreshed(). A null detail is
  // logged and ignored.
  void updateTenderRow(boost::shared_ptr<mxservice::CTenderBondInfoDetail> detail);

  // The workflow status of bondCode from the current account's order
  // commands: the first command of the bond (account order) whose status is
  // 0, 2, 204 or 201 decides; else 5 when every command of the bond is
  // revoked; else (also without any command or account) -2.
  int deriveTenderStatus(const std::string& bondCode) const;

  // The action buttons of a status: lock then revoke for 0 and 2, unlock for
  // 204, none otherwise.
  static QVector<GU::ButtonData> buildTenderButtons(int status);

private:
  void tenderSearchJob(const TenderSearchQuery& query);
  void tenderSearchRows(const TenderSearchQuery& query);
  // Sets the buttons of rowKey for status on the column-3 multi-button
  // delegate; nothing when column 3 has no such delegate.
  void applyTenderButtons(const std::string& rowKey, int status) const;

  // Orders searches against row updates (tendermodel.cpp).
  utils::CMutex m_tenderMutex LW_ACQUIRED_BEFORE(sharedTenderStatusMutex);
};

}  // namespace LW
