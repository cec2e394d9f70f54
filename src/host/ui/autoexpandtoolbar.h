#pragma once
// A horizontal tool bar of the host framework whose background is a themed
// pixmap, looked up when painting for the bar's device pixel ratio and the
// current theme. Items that do not fit the width wrap onto a further row, so
// the bar grows in height rather than hiding anything (CToolBarLayout). Its
// accessible name is "工具栏" (tool bar) unless the owner gives another.
//
// GUI thread only.

#include "lwhost_ui_export.h"

#include "host/ui/basewidget.h"

namespace GU {

class CToolBarLayout;

class LWHOST_UI_EXPORT CAutoExpandToolBar : public CBaseWidget {
  Q_OBJECT
public:
  // imageKey: the background pixmap, stretched over the bar; an unknown key
  // gives the toolbar colour instead.
  // top, right, bottom, left: margins around the items, in stylesheet order
  // (the panels pass 2, 8, 2, 8: 2 above and below, 8 at the sides).
  // rowHeight: the least height of a row, -1 for "lw_siz_toolbar_height"
  // minus the vertical margins. spacing: between items and rows, -1 for 4.
  CAutoExpandToolBar(const QString& imageKey, int top, int right, int bottom, int left,
                     QWidget* parent = nullptr, int rowHeight = -1, int spacing = -1);
  ~CAutoExpandToolBar() override;

  // Appends widget (the bar becomes its Qt parent). alignRight pushes it to
  // the right end of its row; right items always follow the left ones. A
  // hidden widget takes no room until shown. Null is ignored.
  void addToolItem(QWidget* widget, bool alignRight = false);
  // Appends an empty gap of width pixels (negative counts as 0).
  void addFixedSpace(int width);

  int itemCount() const;
  int rowCount() const;

protected:
  void paintEvent(QPaintEvent* e) override;

private:
  QString m_imageKey;        // empty: no known background pixmap
  CToolBarLayout* m_layout;  // owned by this widget (its layout)
};

}  // namespace GU
