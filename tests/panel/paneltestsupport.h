#pragma once
// Shared fixtures of the panel tests: a host filled from a data set, a parent
// widget that records the events a panel or table delivers upwards, probes
// that open the protected entry points, and helpers that wait for a model
// load to reach the GUI thread.

#include "host/data/dataset.h"
#include "host/ui/basewidget.h"
#include "panel/hpfinstable.h"
#include "panel/instrumentspanel.h"

#include <gtest/gtest.h>

#include <QString>
#include <string>
#include <vector>

namespace paneltest {

// Records every event delivered to it; consumes them unless told otherwise.
class EventRecorder : public GU::CBaseWidget {
public:
  struct Event {
    int id;
    int wParam;
    int lParam;
    QString text;
    bool hadData;
    int firstInt;  // first int of the data block, -1 without one
  };

  explicit EventRecorder(QWidget* parent = nullptr) : GU::CBaseWidget(parent) {}

  bool handleEvent(int id, int wParam, int lParam, QString text, void* data) override;

  // The recorded events with that id.
  std::vector<Event> eventsWithId(int id) const;

  std::vector<Event> events;
  bool consume = true;
};

// Opens the protected operations of the panel for the tests.
class PanelProbe : public LW::CInstrumentsPanel {
public:
  using LW::CInstrumentsPanel::CInstrumentsPanel;
  using LW::CInstrumentsPanel::handleEvent;
  using LW::CInstrumentsPanel::onOrderCommand;
  using LW::CInstrumentsPanel::searchFieldCombo;
  using LW::CInstrumentsPanel::searchTextEdit;
  using LW::CInstrumentsPanel::startDateEdit;
  using LW::CInstrumentsPanel::tradeTypeToTitle;
};

// The table's handleEvent through its public base entry point.
bool tableEvent(LW::CHpfInsTable* table, int id, int wParam, int lParam, const QString& text,
                void* data);

// Waits until every load queued on the panel's model has run and its
// sigRefreshed() has been delivered on this thread (the table repainted).
void settle(LW::CInstrumentsPanel* panel);
void settle(LW::CHpfInsTable* table);

// Counts the loads a panel's model finishes (its table's sigRefreshed()).
class LoadCounter {
public:
  explicit LoadCounter(LW::CInstrumentsPanel* panel);
  ~LoadCounter();
  // Loads finished since construction, after settling the panel.
  int loads();

private:
  LW::CInstrumentsPanel* m_panel;
  struct Impl;
  Impl* d;
};

// The model row keys of the table, in model order.
std::vector<std::string> rowKeys(LW::CHpfInsTable* table);
// The view row of the row with that key, -1 when not shown.
int viewRowOfKey(LW::CHpfInsTable* table, const std::string& key);

QString u8(const char* text);

class HostFixture : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // The sample data set of the repository (LW_SAMPLE_DATA).
  void installSample();
  void install(const mxservice::DataSet& set);
};

mxservice::CInstrumentDetailPtr instrument(int tradeType, const std::string& market,
                                           const std::string& code, const std::string& name);
// The exchanges every hand-built set starts with.
void addDefaultExchanges(mxservice::DataSet& set);

}  // namespace paneltest
