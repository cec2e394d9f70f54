#include "paneltestsupport.h"

#include "host/table/hpftypes.h"
#include "host/table/ibasehpftabledata.h"
#include "model/instrumentdata.h"
#include "model/instrumentmodel.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <boost/make_shared.hpp>
#include <memory>

namespace paneltest {

bool EventRecorder::handleEvent(int id, int wParam, int lParam, QString text, void* data) {
  events.push_back(
      Event{id, wParam, lParam, text, data != nullptr, data ? *static_cast<const int*>(data) : -1});
  return consume;
}

std::vector<EventRecorder::Event> EventRecorder::eventsWithId(int id) const {
  std::vector<Event> matching;
  for (const Event& event : events) {
    if (event.id == id) matching.push_back(event);
  }
  return matching;
}

bool tableEvent(LW::CHpfInsTable* table, int id, int wParam, int lParam, const QString& text,
                void* data) {
  GU::CEventDeliverer* deliverer = table;
  return deliverer->handleEvent(id, wParam, lParam, text, data);
}

void settle(LW::CHpfInsTable* table) {
  boost::shared_ptr<LW::CHpfInsModel> model = table->model();
  // A load posts its sigRefreshed() here; the relayed repaint may queue one
  // more hop. Loop until the worker is idle and nothing is left to deliver.
  for (int round = 0; round < 4; ++round) {
    ASSERT_TRUE(model->waitForIdle(30000));
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
  }
}

void settle(LW::CInstrumentsPanel* panel) { settle(panel->table()); }

struct LoadCounter::Impl {
  explicit Impl(LW::CHpfInsTable* table) : spy(table, SIGNAL(sigRefreshed())) {}
  QSignalSpy spy;
};

LoadCounter::LoadCounter(LW::CInstrumentsPanel* panel) : m_panel(panel) {
  settle(panel);
  d = new Impl(panel->table());
}

LoadCounter::~LoadCounter() { delete d; }

int LoadCounter::loads() {
  settle(m_panel);
  return d->spy.count();
}

std::vector<std::string> rowKeys(LW::CHpfInsTable* table) {
  std::vector<std::string> keys;
  for (const GU::HpfRowPtr& row : table->model()->getAllDatas()) keys.push_back(row->key());
  return keys;
}

int viewRowOfKey(LW::CHpfInsTable* table, const std::string& key) {
  for (int viewRow = 0; viewRow < table->viewRowCount(); ++viewRow) {
    GU::HpfRowPtr row = table->viewRowData(viewRow);
    if (row && row->key() == key) return viewRow;
  }
  return -1;
}

std::vector<std::string> listedCodes(LW::CInstrumentsPanel* panel) {
  std::vector<std::string> codes;
  for (const GU::HpfRowPtr& row : panel->table()->model()->getAllDatas()) {
    auto data = boost::dynamic_pointer_cast<LW::CInstrumentData>(row);
    codes.push_back(data && data->tenderBond() ? data->tenderBond()->bondCode : "?");
  }
  return codes;
}

mxservice::CTenderBondInfoDetailPtr listedDetail(LW::CInstrumentsPanel* panel,
                                                 const std::string& bondCode) {
  for (const GU::HpfRowPtr& row : panel->table()->model()->getAllDatas()) {
    auto data = boost::dynamic_pointer_cast<LW::CInstrumentData>(row);
    if (data && data->tenderBond() && data->tenderBond()->bondCode == bondCode) {
      return data->tenderBond();
    }
  }
  return nullptr;
}

}  // namespace paneltest
