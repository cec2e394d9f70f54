#include "host/table/hpfaccessiblecellbutton.h"

#include "host/table/basehighperformancetable.h"
#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "host/table/hpfaccessibletable.h"
#include "host/table/hpftableview.h"
#include "host/table/ibasehpftabledata.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>

namespace GU {

struct CHpfAccessibleCellButton::Located {
  int row = -1;
  CBaseTableColumnMultiButtonsDelegate* delegate = nullptr;  // held by the table
  ButtonData button;
  bool enabled = false;
  QRect rect;  // in viewport coordinates, clipped to the cell; empty when hidden
};

CHpfAccessibleCellButton::CHpfAccessibleCellButton(CHpfTableView* view, const std::string& rowKey,
                                                   int columnId, int buttonId)
    : m_view(view), m_rowKey(rowKey), m_columnId(columnId), m_buttonId(buttonId) {}

bool CHpfAccessibleCellButton::locate(Located* where) const {
  CBaseHighPerformanceTable* table = m_view ? m_view->table() : nullptr;
  if (!table || table->isColumnHidden(m_columnId)) return false;
  where->delegate =
      dynamic_cast<CBaseTableColumnMultiButtonsDelegate*>(table->columnDelegate(m_columnId).get());
  if (!where->delegate) return false;
  // Rows move with sorting and reloads; the last place is tried first.
  auto keyAt = [table](int viewRow) {
    HpfRowPtr row = table->viewRowData(viewRow);
    return row ? row->key() : std::string();
  };
  if (m_rowHint < 0 || keyAt(m_rowHint) != m_rowKey) {
    m_rowHint = -1;
    const int count = table->viewRowCount();
    for (int viewRow = 0; viewRow < count; ++viewRow) {
      if (keyAt(viewRow) == m_rowKey) {
        m_rowHint = viewRow;
        break;
      }
    }
  }
  if (m_rowHint < 0) return false;
  where->row = m_rowHint;
  const QVector<ButtonData> buttons = where->delegate->itemButtons(m_rowKey);
  const QRect cell = table->visualCellRect(where->row, m_columnId);
  const QVector<QRect> rects = where->delegate->buttonRects(cell, m_rowKey);
  for (int i = 0; i < buttons.size() && i < rects.size(); ++i) {
    if (buttons[i].id != m_buttonId) continue;
    if (rects[i].isNull()) return false;  // not shown
    where->button = buttons[i];
    where->enabled = where->delegate->isItemEnabled(m_rowKey);
    where->rect = rects[i].intersected(cell);
    return true;
  }
  return false;
}

bool CHpfAccessibleCellButton::isValid() const {
  Located where;
  return locate(&where);
}

QObject* CHpfAccessibleCellButton::object() const { return nullptr; }

QWindow* CHpfAccessibleCellButton::window() const {
  QAccessibleInterface* up = parent();
  return up ? up->window() : nullptr;
}

void* CHpfAccessibleCellButton::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
  return nullptr;
}

QAccessibleInterface* CHpfAccessibleCellButton::childAt(int, int) const { return nullptr; }

QAccessibleInterface* CHpfAccessibleCellButton::parent() const {
  Located where;
  if (!locate(&where)) return nullptr;
  auto* table = dynamic_cast<CHpfAccessibleTable*>(QAccessible::queryAccessibleInterface(m_view));
  return table ? table->cellInterface(where.row, m_columnId) : nullptr;
}

QAccessibleInterface* CHpfAccessibleCellButton::child(int) const { return nullptr; }

int CHpfAccessibleCellButton::childCount() const { return 0; }

int CHpfAccessibleCellButton::indexOfChild(const QAccessibleInterface*) const { return -1; }

QString CHpfAccessibleCellButton::text(QAccessible::Text type) const {
  Located where;
  if (!locate(&where)) return QString();
  if (type == QAccessible::Name) return where.button.text;
  if (type == QAccessible::Description) return where.button.tips.value(where.enabled ? 0 : 1);
  return QString();
}

void CHpfAccessibleCellButton::setText(QAccessible::Text, const QString&) {}

QRect CHpfAccessibleCellButton::rect() const {
  Located where;
  if (!locate(&where) || where.rect.isEmpty()) return QRect();
  return QRect(m_view->viewport()->mapToGlobal(where.rect.topLeft()), where.rect.size());
}

QAccessible::Role CHpfAccessibleCellButton::role() const { return QAccessible::Button; }

QAccessible::State CHpfAccessibleCellButton::state() const {
  QAccessible::State state;
  Located where;
  if (!locate(&where)) {
    state.invalid = true;
    return state;
  }
  state.disabled = !where.enabled;
  state.focusable = where.enabled;
  if (!m_view->viewport()->rect().intersects(where.rect)) state.offscreen = true;
  return state;
}

QStringList CHpfAccessibleCellButton::actionNames() const {
  Located where;
  if (!locate(&where) || !where.enabled) return QStringList();
  return QStringList{pressAction()};
}

void CHpfAccessibleCellButton::doAction(const QString& actionName) {
  if (actionName != pressAction()) return;
  Located where;
  if (!locate(&where) || !where.enabled) return;
  CBaseHighPerformanceTable* table = m_view->table();
  table->scrollToViewRow(where.row);
  // Bring the button's column into view as well: a click can only land on
  // what the view shows.
  QWidget* viewport = m_view->viewport();
  if (!locate(&where)) return;
  QScrollBar* horizontal = m_view->horizontalScrollBar();
  if (where.rect.right() >= viewport->width())
    horizontal->setValue(horizontal->value() + where.rect.right() - viewport->width() + 1);
  if (where.rect.left() < 0) horizontal->setValue(horizontal->value() + where.rect.left());
  if (!locate(&where)) return;
  const QRect target = where.rect.intersected(viewport->rect());
  if (target.isEmpty()) return;

  // The same press and release a user's click makes, so the table reports
  // the row click and the delegate its button event in the usual order.
  const QPoint at = target.center();
  QPointer<QWidget> guard(viewport);
  QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &press);
  // A handler of the row click may have torn the table down.
  if (!guard) return;
  QMouseEvent release(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(at), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(guard.data(), &release);
}

QStringList CHpfAccessibleCellButton::keyBindingsForAction(const QString&) const {
  return QStringList();
}

}  // namespace GU
