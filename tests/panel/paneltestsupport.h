#pragma once
// Shared fixtures of the panel tests: a host filled from a data set, a parent
// widget that records the events a panel or table delivers upwards, a probe
// that opens the panel's protected entry points (those the host framework
// calls), and helpers that wait for a model load to reach the GUI thread.
// Record builders come from tests/support (testrecords.h).

#include "host/ui/basewidget.h"
#include "panel/hpfinstable.h"
#include "panel/instrumentspanel.h"
#include "testrecords.h"

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

using testsupport::addDefaultExchanges;
using testsupport::instrument;
using testsupport::u8;

// Opens the protected operations of the panel for the tests: the entry
// points of the host framework (events, the order-command callback, the
// trade client's answer) and the tender search widgets.
class PanelProbe : public LW::CInstrumentsPanel {
public:
  using LW::CInstrumentsPanel::CInstrumentsPanel;
  using LW::CInstrumentsPanel::endDateEdit;
  using LW::CInstrumentsPanel::endTimeLabel;
  using LW::CInstrumentsPanel::handleEvent;
  using LW::CInstrumentsPanel::internalOnlyCheck;
  using LW::CInstrumentsPanel::onOrderCommand;
  using LW::CInstrumentsPanel::onUpdateTenderBondDetails;
  using LW::CInstrumentsPanel::processBondTenderButtonClick;
  using LW::CInstrumentsPanel::queryButton;
  using LW::CInstrumentsPanel::searchFieldCombo;
  using LW::CInstrumentsPanel::searchTextEdit;
  using LW::CInstrumentsPanel::startDateEdit;
  using LW::CInstrumentsPanel::startTimeLabel;
  using LW::CInstrumentsPanel::testHintDate;
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
// The bond codes of a tender panel's rows, in model order ("?" for a row
// without a tender detail), and the detail of one listed bond (null if none).
std::vector<std::string> listedCodes(LW::CInstrumentsPanel* panel);
mxservice::CTenderBondInfoDetailPtr listedDetail(LW::CInstrumentsPanel* panel,
                                                 const std::string& bondCode);

using testsupport::HostFixture;

}  // namespace paneltest
