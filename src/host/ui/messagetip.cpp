#include "host/ui/messagetip.h"

#include "host/ui/uilog_p.h"
#include "host/ui/uiresource.h"

#include <QTimer>

namespace GU {

namespace {

constexpr int kDefaultSeconds = 2;
constexpr int kMaxSeconds = 60;
constexpr int kDefaultMaxWidth = 300;
constexpr int kGap = 2;

struct TipState {
  CMessageTipRecord last;
  int count = 0;
  QPointer<CMessageTip> current;
};

TipState& state() {
  static TipState tips;
  return tips;
}

}  // namespace

CMessageTip::CMessageTip(QWidget* window, const QString& text, mxservice::MsgLevel level,
                         int maxWidth)
    : QLabel(window), m_timer(new QTimer(this)) {
  CUiResource* resource = CUiResource::instance();
  const char* background = "clr_tip_info_background";
  const char* foreground = "clr_tip_info_text";
  if (level == mxservice::MSG_LEVEL_WARNING) {
    background = "clr_tip_warning_background";
    foreground = "clr_tip_warning_text";
  } else if (level == mxservice::MSG_LEVEL_ERROR) {
    background = "clr_tip_error_background";
    foreground = "clr_tip_error_text";
  }
  setTextFormat(Qt::PlainText);
  setText(text);
  setWordWrap(true);
  setFont(*resource->getFont("fnt_tip"));
  setStyleSheet(
      QStringLiteral("QLabel { background: %1; color: %2; border: 1px solid %2;"
                     " border-radius: 3px; padding: 4px 8px; }")
          .arg(resource->getColor(background)->name(), resource->getColor(foreground)->name()));
  setAttribute(Qt::WA_TransparentForMouseEvents, false);
  setMaximumWidth(maxWidth);
  m_timer->setSingleShot(true);
  connect(m_timer, SIGNAL(timeout()), this, SLOT(deleteLater()));
}

CMessageTip::~CMessageTip() = default;

void CMessageTip::showTip(QWidget* widget, QFlags<EAlign> align, const QString& text, int seconds,
                          mxservice::MsgLevel level, int maxWidth) {
  const int shownSeconds = seconds <= 0 ? kDefaultSeconds : qMin(seconds, kMaxSeconds);
  const int shownWidth = maxWidth <= 0 ? kDefaultMaxWidth : maxWidth;

  CMessageTipRecord record;
  record.widget = widget;
  record.text = text;
  record.level = level;
  record.align = align;
  record.seconds = shownSeconds;
  record.maxWidth = shownWidth;
  record.time = QDateTime::currentDateTime();
  state().last = record;
  ++state().count;

  if (state().current) delete state().current.data();
  if (!widget) {
    GU_UI_LOG_WARN(nullptr, "GU::CMessageTip::showTip",
                   QStringLiteral("no widget for tip: ") + text);
    return;
  }
  auto* tip = new CMessageTip(widget->window(), text, level, shownWidth);
  tip->adjustSize();
  tip->placeAt(widget, align);
  tip->show();
  tip->raise();
  tip->m_timer->start(shownSeconds * 1000);
  state().current = tip;
}

void CMessageTip::placeAt(QWidget* widget, EAligns align) {
  QWidget* window = parentWidget();
  const QRect target(widget->mapTo(window, QPoint(0, 0)), widget->size());
  QPoint position;
  if (align & ALIGN_RIGHT)
    position.setX(target.right() + 1 - width());
  else if (align & ALIGN_HCENTER)
    position.setX(target.center().x() - width() / 2);
  else
    position.setX(target.left());
  if (align & ALIGN_TOP)
    position.setY(target.top() - height() - kGap);
  else if (align & ALIGN_VCENTER)
    position.setY(target.center().y() - height() / 2);
  else
    position.setY(target.bottom() + 1 + kGap);
  // Keep the whole tip inside the window; a tip cut off at the edge says
  // nothing.
  position.setX(qBound(0, position.x(), qMax(0, window->width() - width())));
  position.setY(qBound(0, position.y(), qMax(0, window->height() - height())));
  move(position);
}

void CMessageTip::mousePressEvent(QMouseEvent*) { deleteLater(); }

CMessageTipRecord CMessageTip::lastTip() { return state().last; }

int CMessageTip::tipCount() { return state().count; }

void CMessageTip::resetRecord() {
  state().last = CMessageTipRecord();
  state().count = 0;
}

CMessageTip* CMessageTip::currentTip() { return state().current; }

}  // namespace GU
