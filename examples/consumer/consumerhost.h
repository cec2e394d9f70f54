#pragma once
// The host side of the example: receives the panels' signals through
// string-based connections, as a host's command views would, and in check
// mode ends the application once the instruments panel has loaded.
//
// GUI thread only. The panels are not owned (they are Qt children of the
// window); connect() disconnects nothing, so the host must outlive neither
// the panels nor the window it watches: destroy the window first.

#include <QObject>
#include <QString>

namespace LW {
class CBondInfoPanel;
class CInstrumentsPanel;
}  // namespace LW

class CConsumerHost : public QObject {
  Q_OBJECT

public:
  // check: quit the application after the first load, with exit status 0
  // only when the instruments panel shows at least one row.
  CConsumerHost(LW::CInstrumentsPanel* instruments, LW::CBondInfoPanel* bondInfo, bool check,
                QObject* parent = nullptr);

  // Makes the string-based connections to the panels and their table.
  void connectPanels();

public slots:
  // The instruments panel relays the stock key ("600000.SH") of a clicked
  // row.
  void slotSelectStock(QString stockKey);
  // The favourites button of a row: (trading type, 0, stock key).
  void slotSingleCodeOption(int tradeType, int option, QString stockKey);
  // A load of the instruments table is shown.
  void slotInstrumentsLoaded();
  // The bond info panel reloaded after the quote client's announcement.
  void slotBondInfoLoaded();

private:
  LW::CInstrumentsPanel* m_instruments;  // not owned
  LW::CBondInfoPanel* m_bondInfo;        // not owned
  const bool m_check;
  int m_loads = 0;
};
