#pragma once
// The "模拟" menu of the demo: raises the host events a real host would get
// from its servers (a new trading day, changed instruments, bond information
// ready, inter-bank and tender data loaded) and injects a failure of the
// simulated trade server for the next request. It also watches the trade
// client's handled requests and reports each one, so the outcome of a tender
// button press shows in the log.
//
// GUI thread only. The host services it drives are process singletons; the
// simulator keeps no pointer to them.

#include <QObject>
#include <QTimer>
#include <cstddef>

class QMenu;

namespace demo {

class CDemoSimulator : public QObject {
  Q_OBJECT
public:
  // The error the injected failure answers with.
  static constexpr int kInjectedErrorId = 9001;

  explicit CDemoSimulator(QObject* parent = nullptr);
  ~CDemoSimulator() override;

  // Adds the simulation actions to menu (owned by the caller).
  void populateMenu(QMenu* menu);

  // True while a failure waits for the next request.
  bool failureArmed() const { return m_failureArmed; }

signals:
  void sigLog(const QString& line);

public slots:
  void slotNewTradingDay();
  void slotStockList();
  void slotStockListChange();
  void slotBondInfoReady();
  void slotInterBankDataReady();
  void slotTenderDataReady();
  void slotFailNextRequest();

private slots:
  void slotPollRequests();

private:
  QTimer m_poll;
  std::size_t m_seenRequests = 0;  // handled requests already reported
  bool m_failureArmed = false;
};

}  // namespace demo
