#pragma once
// A framework container that lines its widgets up in one direction, each
// either at its natural size ("fixed") or sharing the space left over
// ("stretch"). The list takes the widgets as Qt children.
//
// The anchor says how a widget uses the cross direction (the width of a
// vertical list, the height of a horizontal one): EAnchor flags, where
// ANCHOR_FILL (3) fills it and ANCHOR_NONE (0) centres the widget at its
// natural size.
//
// GUI thread only.

#include "lwhost_ui_export.h"

#include "host/ui/basewidget.h"

class QBoxLayout;

namespace GU {

class LWHOST_UI_EXPORT CWidgetList : public CBaseWidget {
  Q_OBJECT
public:
  enum EAnchor {
    ANCHOR_NONE = 0,
    ANCHOR_FILL_WIDTH = 0x1,
    ANCHOR_FILL_HEIGHT = 0x2,
    ANCHOR_FILL = ANCHOR_FILL_WIDTH | ANCHOR_FILL_HEIGHT,
  };

  CWidgetList(Qt::Orientation orientation, QWidget* parent = nullptr);
  ~CWidgetList() override;

  Qt::Orientation orientation() const { return m_orientation; }

  void setMargin(int left, int top, int right, int bottom);
  void setSpacing(int spacing);
  int spacing() const;

  // atFront puts the widget before all others instead of after them. A null
  // widget is logged and ignored; a widget already in the list moves.
  void addFixedWidget(QWidget* widget, int anchor, bool atFront = false);
  void addStretchWidget(QWidget* widget, int stretch, int anchor, bool atFront = false);
  // Takes the widget out of the list; it stays a child of the list.
  void removeWidget(QWidget* widget);
  int count() const;

private:
  void addWidget(QWidget* widget, int stretch, int anchor, bool atFront);

  Qt::Orientation m_orientation;
  QBoxLayout* m_layout;  // owned by this widget (its layout)
};

}  // namespace GU
