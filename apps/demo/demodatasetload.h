#pragma once
// Loads a data set off the GUI thread for the demo's start: the load runs on
// a thread of its own (mxservice::loadDataSet), its progress and its result
// arrive on the GUI thread as signals. Installing the set into the host
// services stays with the caller, on the GUI thread.
//
// Threads: create, start, read and destroy on the GUI thread. The loading
// thread only posts (utils::CCoalescedPost: progress coalesced to the latest
// counts, so a slow GUI thread never falls behind). Destroying the object
// mid-load closes both posts first (nothing reaches it afterwards), asks the
// load to stop at its next batch and waits for the thread; the partial set
// is dropped.

#include "host/core/coalescedpost.h"
#include "host/data/datasetloader.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <memory>
#include <thread>

namespace demo {

class CDemoDataSetLoad : public QObject {
  Q_OBJECT
public:
  explicit CDemoDataSetLoad(QObject* parent = nullptr);
  ~CDemoDataSetLoad() override;

  // Starts loading `directory`; once per object.
  void start(const QString& directory);
  bool isStarted() const { return m_thread.joinable(); }
  bool isFinished() const { return m_finished; }

  // The counts of the last sigProgress (zero before the first).
  const mxservice::DataSetLoadProgress& progress() const { return m_progress; }
  // After sigFinished: the loaded set, moved out (an empty set afterwards).
  mxservice::DataSet takeDataSet();

signals:
  void sigProgress();
  void sigFinished();

private:
  using DataSetPtr = std::shared_ptr<mxservice::DataSet>;

  mxservice::DataSetLoadProgress m_progress;
  DataSetPtr m_dataSet;
  bool m_finished = false;
  std::atomic<bool> m_cancel{false};
  // Shared with the loading thread, which only posts; closed first by the
  // destructor.
  std::shared_ptr<utils::CCoalescedPost<mxservice::DataSetLoadProgress>> m_progressPost;
  std::shared_ptr<utils::CCoalescedPost<DataSetPtr>> m_donePost;
  std::thread m_thread;  // joined by the destructor
};

}  // namespace demo
