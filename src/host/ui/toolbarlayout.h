#pragma once
// The layout of CAutoExpandToolBar: items run left to right and wrap onto a
// new row when the width runs out, so the bar grows in height instead of
// clipping. Items added "at the right" are pushed to the right end of the row
// they land in. Hidden widgets take no room. Rows are at least rowHeight high
// and items are centred in their row.
//
// GUI thread only.

#include "lwhost_ui_export.h"

#include <QLayout>
#include <QVector>

namespace GU {

class LWHOST_UI_EXPORT CToolBarLayout : public QLayout {
public:
  explicit CToolBarLayout(QWidget* parent = nullptr);
  ~CToolBarLayout() override;

  // Appends item; the layout owns it from here.
  void addLayoutItem(QLayoutItem* item, bool alignRight);
  // Appends widget, reparenting it to the layout's widget; a widget hidden
  // on purpose before (a field of the other search mode) stays hidden.
  void addWidgetItem(QWidget* widget, bool alignRight);
  void setMinimumRowHeight(int height) {
    m_minimumRowHeight = qMax(0, height);
    invalidate();
  }
  int minimumRowHeight() const { return m_minimumRowHeight; }
  // The number of rows of the last geometry set (measuring does not count).
  int rowCount() const { return m_rowCount; }

  void addItem(QLayoutItem* item) override;
  QLayoutItem* itemAt(int index) const override;
  QLayoutItem* takeAt(int index) override;
  int count() const override;

  Qt::Orientations expandingDirections() const override;
  bool hasHeightForWidth() const override;
  int heightForWidth(int width) const override;
  QSize sizeHint() const override;
  QSize minimumSize() const override;
  void setGeometry(const QRect& rect) override;

private:
  struct Entry {
    QLayoutItem* item;  // owned
    bool alignRight;
  };

  // Lays the items out in rect (or only measures when apply is false) and
  // returns the height used, margins included.
  int doLayout(const QRect& rect, bool apply) const;

  QVector<Entry> m_entries;  // left items first, then right items, each in order
  int m_minimumRowHeight = 0;
  mutable int m_rowCount = 0;
};

}  // namespace GU
