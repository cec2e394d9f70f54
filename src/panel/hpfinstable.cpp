#include "panel/hpfinstable.h"

#include "host/core/stockkey.h"
#include "host/services/config.h"
#include "host/services/exchangeclient.h"
#include "host/services/usermanager.h"
#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "host/table/buttondata.h"
#include "host/table/hpftypes.h"
#include "host/ui/eventids.h"
#include "model/instrumentdata.h"
#include "model/instrumentmodel.h"
#include "model/lwlog.h"
#include "tender/tenderids.h"
#include "tender/tendermodel.h"

#include <QVector>
#include <boost/make_shared.hpp>
#include <boost/weak_ptr.hpp>

namespace LW {

namespace {

const int kInstrumentTableId = 0;
// Only foreign-futures lists follow the user's favourites set: their buttons
// are disabled for codes that are already favourites.
const mxservice::ENqTraderType kFavouritesFollowingType = mxservice::NQ_TRADER_OUTER_FUTURE;
GU::ButtonData favouriteButton() {
  return GU::ButtonData(CHpfInsTable::kFavoriteButtonId, CHpfInsTable::tr("添加自选"),
                        GU::NORMAL_BUTTON_PRIMARY, false, QMap<int, QString>());
}

boost::shared_ptr<CTenderModel> makeTenderModel(mxservice::ENqTraderType tradeType) {
  return tradeType == mxservice::NQ_TRADER_BOND_TENDER ? boost::make_shared<CTenderModel>()
                                                       : boost::shared_ptr<CTenderModel>();
}

boost::shared_ptr<CHpfInsModel> makeModel(const boost::shared_ptr<CTenderModel>& tenderModel,
                                          mxservice::ENqTraderType tradeType) {
  if (tenderModel) return tenderModel;
  return boost::make_shared<CHpfInsModel>(tradeType);
}

}  // namespace

CHpfInsTable::CHpfInsTable(mxservice::ENqTraderType tradeType, QWidget* parent)
    : CHpfDataTable(kInstrumentTableId, CHpfInsModel::kInstrumentTableType, parent,
                    GU::BaseTableMenuFlags(GU::MENU_FLAG_ALL)),
      m_tenderModel(makeTenderModel(tradeType)),
      m_insModel(makeModel(m_tenderModel, tradeType)),
      m_tradeType(tradeType) {
  m_model = m_insModel;
  setDataModel(m_model);

  const QSet<int>& numeric = m_insModel->numericColumns();
  const QSet<int>& icons = m_insModel->iconColumns();
  for (int index = 0; index < columnCount(); ++index) {
    const int id = columnID(index);
    setColumnBoldFont(id, numeric.contains(id));
    setColumnShowIcon(id, icons.contains(id));
    setColumnFilterable(id, true);
  }
  setAppendSeq(false);

  // The model emits on its worker; both connections therefore run queued on
  // this table's (GUI) thread, after the load's rows are committed.
  connect(m_insModel.get(), SIGNAL(sigRefreshed()), this, SIGNAL(sigRefreshed()));
  connect(m_insModel.get(), SIGNAL(sigRefreshed()), this, SLOT(slotRefreshed()));

  // Installed for every trading type, even one without a favourites column
  // (-1): the delegate then holds the buttons of no visible column, which
  // keeps slotRefreshed() free of special cases.
  const int favourites = m_insModel->favoriteColumn();
  setColumnDelegate(favourites,
                    boost::make_shared<GU::CBaseTableColumnMultiButtonsDelegate>(favourites, this));
}

CHpfInsTable::~CHpfInsTable() {
  disconnect();
  // The model may outlive the table while one of its jobs runs; its signal
  // must not find this table any more.
  m_insModel->disconnect(this);
}

boost::shared_ptr<CHpfInsModel> CHpfInsTable::model() const { return m_insModel; }

bool CHpfInsTable::handleEvent(int id, int wParam, int lParam, QString text, void* data) {
  if (id == GU::HPF_EVENT_ROW_CLICKED) {
    boost::shared_ptr<CInstrumentData> row =
        boost::dynamic_pointer_cast<CInstrumentData>(m_insModel->getData(lParam));
    if (!row) return true;
    if (const mxservice::CInstrumentDetailPtr& instrument = row->instrument()) {
      emit sigSelectStock(GU::sToQs(utils::nqStockKey(instrument->marketId, instrument->code)));
    }
    if (row->tradeType() == mxservice::NQ_TRADER_BOND_TENDER) {
      // The first int of the host's click block names the clicked column; in
      // the tender action column a click on a row with buttons is a button
      // press rather than a selection, which the panel decides. Without a
      // block the click counts as outside the action column.
      if (!data) {
        LW_LOG_WARN(this, "LW::CHpfInsTable::handleEvent", "row click %1% without a click block",
                    lParam);
      }
      const int column = data ? *static_cast<const int*>(data) : -1;
      deliverEvent(GU::EVENT_TABLE_TENDER_ROW_CLICKED,
                   column == kTenderActionColumn ? kTenderActionColumn : wParam, lParam, text,
                   data);
    }
    return true;
  }

  if (id == GU::EVENT_DELEGATE_BUTTON_PRESSED) {
    if (lParam != kFavoriteButtonId) {
      // Tender action buttons: the panel decides.
      deliverEvent(id, wParam, lParam, text, data);
      return true;
    }
    boost::shared_ptr<CInstrumentData> row =
        boost::dynamic_pointer_cast<CInstrumentData>(m_insModel->getDataByKey(text));
    if (row && row->instrument()) {
      const mxservice::CInstrumentDetailPtr& instrument = row->instrument();
      const QString stockKey =
          GU::nqStockKey(GU::sToQs(instrument->marketId), GU::sToQs(instrument->code));
      deliverEvent(GU::EVENT_FAVORITE_BUTTON_PRESSED, wParam, static_cast<int>(m_tradeType),
                   stockKey, nullptr);
    }
    return true;
  }

  return GU::CStandardHpfTable::handleEvent(id, wParam, lParam, text, data);
}

void CHpfInsTable::slotRefreshed() {
  boost::shared_ptr<GU::CBaseTableColumnMultiButtonsDelegate> delegate =
      boost::dynamic_pointer_cast<GU::CBaseTableColumnMultiButtonsDelegate>(
          columnDelegate(m_insModel->favoriteColumn()));
  if (!delegate) return;

  // A reload may drop rows: the buttons of keys that left the list go with
  // them rather than piling up over the session. Every listed row has the
  // same button, so the delegate asks the model which keys it lists instead
  // of keeping a map entry per row (a million of them on a full list). Weak:
  // the model holds the delegate.
  delegate->clear();
  const boost::weak_ptr<CHpfInsModel> weak = m_insModel;
  delegate->setDefaultButtons(
      QVector<GU::ButtonData>{favouriteButton()},
      [weak](const std::string& key) {
        const boost::shared_ptr<CHpfInsModel> model = weak.lock();
        return model && model->getDataByKey(key);
      },
      [weak]() {
        const boost::shared_ptr<CHpfInsModel> model = weak.lock();
        return model ? model->rowCount() : 0;
      });

  if (m_tradeType == kFavouritesFollowingType && !getConfig()->isBrokerEdition()) {
    updateFavoriteButtons(getUserConfig()->getCodeSetByTradeType(kFavouritesFollowingType), true);
  }
}

void CHpfInsTable::updateFavoriteButtons(const QSet<QString>& codes, bool inFavourites) {
  if (m_tradeType != kFavouritesFollowingType || getConfig()->isBrokerEdition()) return;
  boost::shared_ptr<GU::CBaseTableColumnMultiButtonsDelegate> delegate =
      boost::dynamic_pointer_cast<GU::CBaseTableColumnMultiButtonsDelegate>(
          columnDelegate(m_insModel->favoriteColumn()));
  if (!delegate) return;

  CExchangeClient* exchange = CExchangeClient::instance();
  for (const QString& code : codes) {
    // The instrument's data key is the row key of its row.
    if (mxservice::CInstrumentDetailPtr instrument = exchange->getInstrument(code)) {
      delegate->setItemEnabled(instrument->getKey(), !inFavourites, true);
    }
  }
}

}  // namespace LW
