#pragma once
// The table widget of the instruments panel: the host's data table showing an
// instrument model (CHpfInsModel) of the panel's trading type, with bold
// numeric columns, tag icons and a "添加自选" (add to favourites) button per
// row. A row click becomes sigSelectStock(stock key); tender row clicks,
// delegate button presses and the favourites button go to the parent panel
// as events 43, 228 and 1383.
//
// The model is a CHpfInsModel, or for the bond-tender trading type
// (0x8000000) the tender model, whose rows come from tender searches.
//
// Ownership: the table creates the model and owns it by shared pointer,
// together with the host base's model pointer; the model may outlive the
// table while a load job still runs (see instrumentmodel.h). The favourites
// delegate belongs to the host table. The table itself is a Qt child of the
// panel.
//
// Threads: GUI thread only, except model() and tenderModel(), which return
// members fixed at construction and may be called from any thread. The
// model's sigRefreshed() comes from its worker and reaches sigRefreshed() /
// slotRefreshed() queued.

#include "host/core/tradertypes.h"
#include "host/table/hpfdatatable.h"

#include <QSet>
#include <QString>
#include <boost/shared_ptr.hpp>

namespace LW {

class CHpfInsModel;
class CTenderModel;

class CHpfInsTable : public CHpfDataTable {
  Q_OBJECT

public:
  // Button id of the favourites button of a row ("添加自选").
  static constexpr int kFavoriteButtonId = 10500;

  CHpfInsTable(mxservice::ENqTraderType tradeType, QWidget* parent);
  ~CHpfInsTable() override;

  // Enables (inFavourites false) or disables (true) the favourites buttons of
  // the instruments with these codes (stock keys as kept in the favourites).
  // Only type-64 tables outside the broker edition; unknown codes are skipped.
  void updateFavoriteButtons(const QSet<QString>& codes, bool inFavourites);

  // A new shared reference to the model; never null. Any thread.
  boost::shared_ptr<CHpfInsModel> model() const;
  // The same model as a tender model; null unless the trading type is
  // 0x8000000. Any thread.
  boost::shared_ptr<CTenderModel> tenderModel() const { return m_tenderModel; }

  mxservice::ENqTraderType insTradeType() const { return m_tradeType; }

signals:
  void sigSelectStock(QString);
  void sigRefreshed();

protected slots:
  // After every model load: one visible favourites button per row, then the
  // type-64 favourites state.
  void slotRefreshed();

protected:
  bool handleEvent(int id, int wParam, int lParam, QString text, void* data) override;

private:
  // Fixed at construction; m_tenderModel is m_insModel or null.
  const boost::shared_ptr<CTenderModel> m_tenderModel;
  const boost::shared_ptr<CHpfInsModel> m_insModel;
  const mxservice::ENqTraderType m_tradeType;
};

}  // namespace LW
