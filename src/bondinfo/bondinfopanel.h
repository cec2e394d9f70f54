#pragma once
// The bond trading information panel: every bond trading record of the host's
// data centre, one row each, under a tool bar with a code search box. Besides
// the record's own fields (laid out by the host table for bond trading
// records) each row shows three cells computed from the bond's instrument
// detail: accrued interest, pricing method and contract name.
//
// Threads: the panel lives on the GUI thread and every load runs there. The
// quote client may announce new bond information from any thread; the panel
// then queues its reload to the GUI thread. Announcements from other threads
// that arrive while such a load is waiting are merged into it: however many
// arrive, the waiting load runs once, reads the data as they are when it
// runs, and is followed by one sigInitBondInfo. An announcement after the
// load has started queues the next one. An announcement on the GUI thread
// loads at once, and a load still waiting then has nothing left to do. Once
// the destructor has returned no announcement reaches the panel.

#include "instrumentspanel_export.h"

#include "host/data/bondtradeinfo.h"
#include "host/ui/tradedockablewidget.h"

#include <boost/signals2/connection.hpp>
#include <memory>
#include <string>

namespace GU {
class CSearchTextLineEdit;
}

namespace utils {
template <typename Payload>
class CCoalescedPost;
struct SNoPayload;
}  // namespace utils

namespace LW {

class CHpfDataTable;

class INSTRUMENTSPANEL_EXPORT CBondInfoPanel : public ITradeDockableWidget {
  Q_OBJECT
public:
  // The host's dock key of the bond info panel.
  static const char* const kDockKey;  // "bif"

  CBondInfoPanel(int id, QWidget* parent);
  ~CBondInfoPanel() override;

  // The panel keeps no settings: setParam ignores its text, param is empty.
  void setParam(const QString& param) override;
  QString param() const override;

  // The bond info table and the code search box, for the host and tests.
  // Made by the constructor and never null; the panel keeps ownership (Qt
  // children). GUI thread.
  CHpfDataTable* table() const { return m_table; }
  GU::CSearchTextLineEdit* searchEdit() const { return m_searchEdit; }

signals:
  void sigInitBondInfo();

protected slots:
  void slotInitBondInfo();

protected:
  void createUi();
  // Reloads the table from the data centre with the current search text.
  // GUI thread only.
  void loadBondInfos();
  // Reload, then announce it with sigInitBondInfo (the view refreshes in
  // slotInitBondInfo).
  void doInitBondInfo();
  // True when the record is to be left out: null, or its instrument code does
  // not contain text (byte-wise, case-sensitive).
  bool filter(const std::string& text, const boost::shared_ptr<mxservice::CBondTradeInfo>& record);
  bool handleEvent(int eventId, int wParam, int lParam, QString text, void* data) override;

private:
  GU::CSearchTextLineEdit* m_searchEdit = nullptr;  // owned through the Qt parent chain
  CHpfDataTable* m_table = nullptr;                 // owned through the Qt parent chain
  int m_accruedInterestColumn = -1;
  int m_pricingMethodColumn = -1;
  int m_contractNameColumn = -1;

  // Brings the quote client's announcements to the GUI thread; shared with
  // the connection's slot, closed by the destructor.
  std::shared_ptr<utils::CCoalescedPost<utils::SNoPayload>> m_readyPost;
  boost::signals2::connection m_readyConnection;
};

}  // namespace LW
