#pragma once
// One button painted in a table cell by a CBaseTableColumnMultiButtonsDelegate
// (lock, revoke, add to favourites ...), as an accessible push button. Its
// press action clicks the button as the mouse does: the row is scrolled into
// view and a press and a release go to the view at the button's centre, so
// the table sees a row click followed by the button's event, exactly as for
// a user's click. A disabled or vanished button offers no action.
//
// Tied to the row's key, the column id and the button id, so it follows its
// row through sorting and reloads. Owned by QAccessible's registry; the table
// interface deletes it.
//
// GUI thread only.

#include "lwhost_table_export.h"

#include <QAccessibleInterface>
#include <QPointer>
#include <string>

namespace GU {

class CBaseHighPerformanceTable;
class CBaseTableColumnMultiButtonsDelegate;
struct ButtonData;
class CHpfTableView;

class LWHOST_TABLE_EXPORT CHpfAccessibleCellButton : public QAccessibleInterface,
                                                     public QAccessibleActionInterface {
public:
  CHpfAccessibleCellButton(CHpfTableView* view, const std::string& rowKey, int columnId,
                           int buttonId);

  // QAccessibleInterface
  bool isValid() const override;
  QObject* object() const override;
  QWindow* window() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int index) const override;
  int childCount() const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QString text(QAccessible::Text type) const override;
  void setText(QAccessible::Text type, const QString& text) override;
  QRect rect() const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;

  // QAccessibleActionInterface
  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;
  QStringList keyBindingsForAction(const QString& actionName) const override;

private:
  struct Located;
  // Where the button is now; false when its row, column or button is gone.
  bool locate(Located* where) const;

  QPointer<CHpfTableView> m_view;
  const std::string m_rowKey;
  const int m_columnId;
  const int m_buttonId;
  mutable int m_rowHint = -1;  // the view row it was last found at
};

}  // namespace GU
