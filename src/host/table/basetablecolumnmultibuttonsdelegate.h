#pragma once
// A column of small buttons per row ("锁定", "撤销", "添加自选" ...), kept by row
// key: each key has a list of buttons, an enabled flag and a visible flag. A
// click on an enabled button delivers event 228 (wParam 0, lParam the button
// id, text the row key, data null) to the target's handleEvent(); the table
// passes it on to its parents when it does not consume it.
//
// Threads: the per-key state may be changed from any thread (workers set the
// buttons of the rows they build); it is guarded by m_mutex. Painting and
// mouse handling run on the GUI thread and read the state under the same lock.
// The trailing bool of the setters asks for a repaint of the table.
//
// A key without buttons, or with visible false, shows an empty cell. Keys stay
// until clear(): a reload that builds new rows sets their buttons again.
//
// Default buttons: a column whose rows all carry the same buttons (a
// favourites button on every instrument) need not store them per key.
// setDefaultButtons() names them together with the keys they belong to (a
// lookup into the table's model, asked when a key is queried); such a key
// then answers as if setItemButtons(key, buttons) had been called for it,
// until its own setItemButtons() or clear(). Its enabled and visible flags
// are still kept per key, only for the keys that change them. A reload of a
// million rows then costs nothing here instead of a million map entries.

#include "lwhost_table_export.h"

#include "host/core/annotatedmutex.h"

#include "host/table/basetablecolumndelegate.h"
#include "host/table/buttondata.h"

#include <QVector>
#include <boost/function.hpp>
#include <unordered_map>

namespace GU {

class LWHOST_TABLE_EXPORT CBaseTableColumnMultiButtonsDelegate : public CBaseTableColumnDelegate {
public:
  CBaseTableColumnMultiButtonsDelegate(int column, CEventDeliverer* target);
  ~CBaseTableColumnMultiButtonsDelegate() override;

  // Forgets every key and the default buttons.
  void clear();
  // Every key for which isListed(key) is true has buttons unless it has
  // buttons of its own; listedCount() counts those keys (for itemCount()).
  // Both are called without the delegate's lock held, from any thread that
  // queries the delegate, and must stay callable until clear() or the next
  // setDefaultButtons().
  void setDefaultButtons(const QVector<ButtonData>& buttons,
                         const boost::function<bool(const std::string&)>& isListed,
                         const boost::function<int()>& listedCount);
  // Replaces the buttons of key. A new key starts enabled and visible.
  void setItemButtons(const std::string& key, const QVector<ButtonData>& buttons, bool repaint);
  // Shows or hides every button of key; unknown keys are remembered.
  void setItemVisible(const std::string& key, bool visible, bool repaint);
  // Enables or disables every button of key; unknown keys are remembered.
  void setItemEnabled(const std::string& key, bool enabled, bool repaint);

  QVector<ButtonData> itemButtons(const std::string& key) const;
  bool isItemVisible(const std::string& key) const;  // true for unknown keys
  bool isItemEnabled(const std::string& key) const;  // true for unknown keys
  // Keys with state of their own plus the listed keys without.
  int itemCount() const;

  // The button rectangles of a cell, in paint order (for tests and hit tests).
  QVector<QRect> buttonRects(const QRect& cell, const std::string& key) const;

  void paint(QPainter* painter, const QRect& rect, const HpfRowPtr& row, const std::string& rowKey,
             const SHpfCellPaintState& state) override;
  bool mousePress(const QRect& rect, const QPoint& pos, const std::string& rowKey) override;
  void mouseRelease(const QRect& rect, const QPoint& pos, const std::string& rowKey) override;
  QString toolTip(const QRect& rect, const QPoint& pos, const std::string& rowKey) override;

private:
  struct Item {
    QVector<ButtonData> buttons;
    bool hasButtons = false;  // set by setItemButtons(); else the default, if listed
    bool visible = true;
    bool enabled = true;
  };
  struct Defaults {
    QVector<ButtonData> buttons;
    boost::function<bool(const std::string&)> isListed;
    boost::function<int()> listedCount;
  };
  // The state of key as painted and clicked; false when the delegate knows
  // nothing of key (no state of its own, not listed).
  bool resolve(const std::string& key, Item* item) const LW_EXCLUDES(m_mutex);
  // Index of the enabled, shown button under pos, -1 for none.
  int hitButton(const Item& item, const QRect& cell, const QPoint& pos) const;
  QVector<QRect> layoutButtons(const Item& item, const QRect& cell) const;

  mutable utils::CMutex m_mutex;
  std::unordered_map<std::string, Item> m_items LW_GUARDED_BY(m_mutex);
  Defaults m_defaults LW_GUARDED_BY(m_mutex);
  // The button being pressed (GUI thread only).
  std::string m_pressedKey;
  int m_pressedId = -1;
};

}  // namespace GU
