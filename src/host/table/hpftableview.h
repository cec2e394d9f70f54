#pragma once
// The scrolling surface of a high-performance table: paints the visible rows
// only (fixed row height), hosts the column header and the row-number gutter,
// and turns mouse and keyboard input into table calls. Internal to the table
// library; the table (its parent) owns it and the state it draws.
//
// GUI thread only.

#include "lwhost_table_export.h"

#include <QAbstractScrollArea>
#include <string>

#include "host/table/hpftypes.h"

class QHeaderView;

namespace GU {

class CBaseHighPerformanceTable;
class CHpfHeaderModel;
class CHpfSeqGutter;

class LWHOST_TABLE_EXPORT CHpfTableView : public QAbstractScrollArea {
  Q_OBJECT
public:
  CHpfTableView(CBaseHighPerformanceTable* table, QWidget* parent);
  ~CHpfTableView() override;

  QHeaderView* header() const { return m_header; }
  CHpfHeaderModel* headerModel() const { return m_headerModel; }
  CBaseHighPerformanceTable* table() const { return m_table; }
  // The header section of column id; -1 for an unknown id.
  int logicalOfId(int id) const;

  // The table's rows, columns or flags changed: fix ranges and repaint.
  void rowsChanged();
  void columnsChanged();
  void applyFlags();
  void scrollToRow(int viewRow);
  // Shows the table's sort in the header without sorting again.
  void showSortIndicator(int logical, bool ascending);
  bool isAtBottom() const;
  void scrollToBottom();

  // Viewport geometry.
  int rowAt(int y) const;      // -1 outside the rows
  int logicalAt(int x) const;  // -1 outside the sections
  QRect cellRect(int viewRow, int logical) const;
  int gutterWidth() const;

  void paintGutter(QPainter* painter, const QRect& area);

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool viewportEvent(QEvent* event) override;

private:
  void updateGeometries();
  void updateScrollRanges();
  void moveCurrent(int viewRow);
  void onSortIndicatorChanged(int logical, Qt::SortOrder order);
  QString toolTipAt(const QPoint& pos) const;

  CBaseHighPerformanceTable* m_table;  // our parent
  CHpfHeaderModel* m_headerModel;      // owned by this view
  QHeaderView* m_header;               // Qt child
  CHpfSeqGutter* m_gutter;             // Qt child

  // Mouse state. The pressed delegate is held by shared pointer: a worker may
  // replace it between press and release.
  HpfDelegatePtr m_pressedDelegate;
  std::string m_pressedKey;
  int m_pressedRow = -1;
  int m_pressedLogical = -1;
  int m_hoverRow = -1;
  int m_hoverLogical = -1;
  QPoint m_hoverPos;
  bool m_restoringIndicator = false;  // ignore our own setSortIndicator()
};

}  // namespace GU
