#pragma once
// Transient tips of the host framework: a small coloured note shown next to a
// widget for a few seconds ("查询开始时间和结束时间设置有误" at a date editor).
// One tip at a time: a new tip replaces the one showing.
//
// Test hook: every showTip() is recorded (lastTip(), tipCount()), also when
// there is no widget to show it at.
//
// GUI thread only (the record included).

#include "lwhost_ui_export.h"

#include "host/core/tradertypes.h"

#include <QDateTime>
#include <QFlags>
#include <QLabel>
#include <QPointer>
#include <QString>

class QTimer;

namespace GU {

// Where the tip goes relative to its widget; the values are those of
// Qt::AlignmentFlag. 65 (ALIGN_LEFT | ALIGN_BOTTOM) puts the tip under the
// widget, left edges lined up.
enum EAlign {
  ALIGN_LEFT = 0x1,
  ALIGN_RIGHT = 0x2,
  ALIGN_HCENTER = 0x4,
  ALIGN_TOP = 0x20,
  ALIGN_BOTTOM = 0x40,
  ALIGN_VCENTER = 0x80,
};
Q_DECLARE_FLAGS(EAligns, EAlign)

struct LWHOST_UI_EXPORT CMessageTipRecord {
  QPointer<QWidget> widget;
  QString text;
  mxservice::MsgLevel level = mxservice::MSG_LEVEL_INFO;
  EAligns align;
  int seconds = 0;
  int maxWidth = 0;
  QDateTime time;
};

class LWHOST_UI_EXPORT CMessageTip : public QLabel {
  Q_OBJECT
public:
  // Shows text next to widget for seconds seconds (0 or less: 2; at most
  // 60), wrapped to at most maxWidth pixels (0 or less: 300), coloured by
  // level. The tip lives in widget's window and dies with it. A null widget
  // shows nothing (the call is still recorded).
  static void showTip(QWidget* widget, QFlags<EAlign> align, const QString& text, int seconds,
                      mxservice::MsgLevel level, int maxWidth);

  static CMessageTipRecord lastTip();
  static int tipCount();
  static void resetRecord();
  // The tip on screen now, or null.
  static CMessageTip* currentTip();

  ~CMessageTip() override;

protected:
  void mousePressEvent(QMouseEvent* e) override;

private:
  CMessageTip(QWidget* window, const QString& text, mxservice::MsgLevel level, int maxWidth);
  void placeAt(QWidget* widget, EAligns align);

  QTimer* m_timer;  // owned (Qt child)
};

}  // namespace GU

Q_DECLARE_OPERATORS_FOR_FLAGS(GU::EAligns)
