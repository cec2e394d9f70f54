#pragma once
// A column delegate paints the cells of one column itself and may react to the
// mouse there (buttons, check boxes). The table owns its delegates by shared
// pointer together with its model (GU::HpfDelegatePtr).
//
// Threads: painting and mouse handling run on the GUI thread. Subclasses whose
// per-row state is changed from workers guard it themselves and call
// requestRepaint(), which is safe from any thread.

#include "lwhost_table_export.h"

#include "host/core/annotatedmutex.h"

#include "host/table/hpftypes.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <boost/function.hpp>
#include <string>

class QPainter;

namespace GU {

class CEventDeliverer;

// What the table tells a delegate about the cell it paints.
struct LWHOST_TABLE_EXPORT SHpfCellPaintState {
  bool selected = false;
  bool hovered = false;  // the mouse is over this cell
  QPoint mousePos;       // in viewport coordinates, valid when hovered
  bool pressed = false;  // the left button went down in this cell and is held
};

class LWHOST_TABLE_EXPORT CBaseTableColumnDelegate {
public:
  // target receives the delegate's events (usually the table); the caller keeps
  // ownership and the table clears it before it goes (setTarget(nullptr)).
  CBaseTableColumnDelegate(int column, CEventDeliverer* target);
  virtual ~CBaseTableColumnDelegate();

  int column() const { return m_column; }
  CEventDeliverer* target() const;
  void setTarget(CEventDeliverer* target);

  // Paints the cell of row (never null) with key rowKey into rect.
  virtual void paint(QPainter* painter, const QRect& rect, const HpfRowPtr& row,
                     const std::string& rowKey, const SHpfCellPaintState& state) = 0;
  // Mouse in the cell, positions in the same coordinates as rect. A press that
  // returns true is the delegate's; the release then goes to it as well.
  virtual bool mousePress(const QRect& rect, const QPoint& pos, const std::string& rowKey);
  virtual void mouseRelease(const QRect& rect, const QPoint& pos, const std::string& rowKey);
  // Tooltip at pos, empty for none.
  virtual QString toolTip(const QRect& rect, const QPoint& pos, const std::string& rowKey);

  // Installed by the table: schedules a repaint of its view (safe from any
  // thread). Empty removes it.
  void setRepaintHook(const boost::function<void()>& hook);
  // Asks the table to repaint soon; any thread.
  void requestRepaint();

private:
  const int m_column;
  mutable utils::CMutex m_hookMutex;
  CEventDeliverer* m_target LW_GUARDED_BY(m_hookMutex);  // not owned
  boost::function<void()> m_repaintHook LW_GUARDED_BY(m_hookMutex);
};

}  // namespace GU
