#include "demoloadprogress.h"

#include "demodatasetload.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

namespace demo {

CDemoLoadProgress::CDemoLoadProgress(CDemoDataSetLoad* load, const QString& directory,
                                     int showDelayMs, QWidget* parent)
    : QWidget(parent), m_load(load) {
  setObjectName(QStringLiteral("demoLoadProgress"));
  setWindowTitle(QStringLiteral("instruments-demo"));
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(
      QCoreApplication::translate("demo::CDemoLoadProgress", "正在加载数据集 %1").arg(directory),
      this);
  m_bar = new QProgressBar(this);
  m_bar->setRange(0, 1000);
  m_bar->setValue(0);
  m_counts = new QLabel(this);
  m_counts->setObjectName(QStringLiteral("demoLoadCounts"));
  layout->addWidget(title);
  layout->addWidget(m_bar);
  layout->addWidget(m_counts);
  resize(480, sizeHint().height());
  slotProgress();
  connect(m_load, &CDemoDataSetLoad::sigProgress, this, &CDemoLoadProgress::slotProgress);
  QTimer::singleShot(showDelayMs, this, &CDemoLoadProgress::slotShowIfLoading);
}

QString CDemoLoadProgress::countsText() const { return m_counts->text(); }

void CDemoLoadProgress::slotProgress() {
  const mxservice::DataSetLoadProgress& p = m_load->progress();
  if (p.bytesTotal > 0) {
    m_bar->setValue(static_cast<int>(1000.0 * static_cast<double>(p.bytesRead) /
                                     static_cast<double>(p.bytesTotal)));
  }
  m_counts->setText(
      QCoreApplication::translate("demo::CDemoLoadProgress", "文件 %1/%2，记录 %3，错误 %4")
          .arg(p.filesDone)
          .arg(p.filesTotal)
          .arg(p.records)
          .arg(p.errors));
}

void CDemoLoadProgress::slotShowIfLoading() {
  if (!m_load->isFinished()) show();
}

void CDemoLoadProgress::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (!m_load->isFinished()) emit sigClosed();
}

}  // namespace demo
