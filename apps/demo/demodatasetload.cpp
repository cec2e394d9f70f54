#include "demodatasetload.h"

#include <QDate>
#include <QDir>
#include <utility>

namespace demo {

using utils::CCoalescedPost;

CDemoDataSetLoad::CDemoDataSetLoad(QObject* parent) : QObject(parent) {
  m_progressPost = CCoalescedPost<mxservice::DataSetLoadProgress>::create(
      this, CCoalescedPost<mxservice::DataSetLoadProgress>::Mode::AlwaysQueued,
      [this](mxservice::DataSetLoadProgress&& progress) {
        m_progress = progress;
        emit sigProgress();
      });
  m_donePost = CCoalescedPost<DataSetPtr>::create(
      this, CCoalescedPost<DataSetPtr>::Mode::AlwaysQueued, [this](DataSetPtr&& dataSet) {
        m_dataSet = std::move(dataSet);
        m_finished = true;
        emit sigFinished();
      });
}

CDemoDataSetLoad::~CDemoDataSetLoad() {
  m_progressPost->close();
  m_donePost->close();
  m_cancel = true;
  if (m_thread.joinable()) m_thread.join();
}

void CDemoDataSetLoad::start(const QString& directory) {
  if (m_thread.joinable()) return;
  const std::string path = QDir(directory).absolutePath().toStdString();
  auto progressPost = m_progressPost;
  auto donePost = m_donePost;
  const std::atomic<bool>* cancel = &m_cancel;  // outlives the thread (joined first)
  m_thread = std::thread([path, progressPost, donePost, cancel] {
    mxservice::DataSetLoadOptions options;
    options.cancel = cancel;
    options.progress = [progressPost](const mxservice::DataSetLoadProgress& progress) {
      progressPost->post(progress);
    };
    auto dataSet = std::make_shared<mxservice::DataSet>(
        mxservice::loadDataSet(path, QDate::currentDate(), options));
    if (!cancel->load()) donePost->post(std::move(dataSet));
  });
}

mxservice::DataSet CDemoDataSetLoad::takeDataSet() {
  mxservice::DataSet out;
  if (m_dataSet) {
    out = std::move(*m_dataSet);
    m_dataSet.reset();
  }
  return out;
}

}  // namespace demo
