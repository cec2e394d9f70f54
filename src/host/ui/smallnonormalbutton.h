#pragma once
// The small push button of the host framework. A click delivers the button's
// own id as the event id (a button made with id 5 delivers event 5), with
// wParam the id, lParam 0 and text the button's text. Delivery happens from
// QAbstractButton::clicked, which Qt guards, so a handler may delete the
// button.
//
// GUI thread only.

#include "lwhost_ui_export.h"

#include "host/ui/eventdeliverer.h"

#include <QPushButton>

namespace GU {

class LWHOST_UI_EXPORT CSmallNoNormalButton : public CEventWidgetT<QPushButton> {
  Q_OBJECT
public:
  // primary: the filled, accented look for the one main action of a bar.
  CSmallNoNormalButton(int id, bool primary = false, QWidget* parent = nullptr);
  ~CSmallNoNormalButton() override;

  int id() const { return m_id; }
  bool isPrimary() const { return m_primary; }

  QSize sizeHint() const override;

private slots:
  void slotClicked();
  // The style sheet holds colours, not keys: it is made again.
  void slotThemeChanged();

private:
  void applyStyle();

  int m_id;
  bool m_primary;
};

}  // namespace GU
