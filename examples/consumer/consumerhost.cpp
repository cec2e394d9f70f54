#include "consumerhost.h"

#include <bondinfo/bondinfopanel.h>
#include <host/table/hpfdatatable.h>
#include <host/table/ibasehpftablemodel.h>
#include <panel/hpfinstable.h>
#include <panel/instrumentspanel.h>

#include <QCoreApplication>
#include <cstdio>

namespace {

// The bond info panel fills its table at construction and shows the rows at
// its first repaint, so the model's rows are what it holds.
int bondInfoRows(LW::CBondInfoPanel* panel) {
  auto* table = panel ? panel->findChild<LW::CHpfDataTable*>() : nullptr;
  const boost::shared_ptr<GU::IBaseHpfTableModel> model =
      table ? table->getDataModel() : boost::shared_ptr<GU::IBaseHpfTableModel>();
  return model ? model->rowCount() : -1;
}

}  // namespace

CConsumerHost::CConsumerHost(LW::CInstrumentsPanel* instruments, LW::CBondInfoPanel* bondInfo,
                             bool check, QObject* parent)
    : QObject(parent), m_instruments(instruments), m_bondInfo(bondInfo), m_check(check) {}

void CConsumerHost::connectPanels() {
  connect(m_instruments, SIGNAL(sigSelectStock(QString)), this, SLOT(slotSelectStock(QString)));
  connect(m_instruments, SIGNAL(sigSingleCodeOption(int, int, QString)), this,
          SLOT(slotSingleCodeOption(int, int, QString)));
  // The table relays every finished load of its model; the panel repaints
  // the table from its own connection, made before this one, so the rows
  // are on screen when slotInstrumentsLoaded runs.
  if (m_instruments->table())
    connect(m_instruments->table(), SIGNAL(sigRefreshed()), this, SLOT(slotInstrumentsLoaded()));
  connect(m_bondInfo, SIGNAL(sigInitBondInfo()), this, SLOT(slotBondInfoLoaded()));
}

void CConsumerHost::slotSelectStock(QString stockKey) {
  std::printf("sigSelectStock(%s)\n", stockKey.toUtf8().constData());
  std::fflush(stdout);
}

void CConsumerHost::slotSingleCodeOption(int tradeType, int option, QString stockKey) {
  std::printf("sigSingleCodeOption(%d, %d, %s)\n", tradeType, option,
              stockKey.toUtf8().constData());
  std::fflush(stdout);
}

void CConsumerHost::slotInstrumentsLoaded() {
  const int rows = m_instruments->table() ? m_instruments->table()->viewRowCount() : 0;
  ++m_loads;
  std::printf("instruments panel (trading type %d), load %d: %d rows\n",
              static_cast<int>(m_instruments->tradeType()), m_loads, rows);
  std::printf("bond info panel: %d rows\n", bondInfoRows(m_bondInfo));
  std::fflush(stdout);
  if (m_check && m_loads == 1) QCoreApplication::exit(rows > 0 ? 0 : 1);
}

void CConsumerHost::slotBondInfoLoaded() {
  std::printf("sigInitBondInfo(): %d rows\n", bondInfoRows(m_bondInfo));
  std::fflush(stdout);
}
