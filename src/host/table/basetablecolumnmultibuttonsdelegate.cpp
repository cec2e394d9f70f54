#include "host/table/basetablecolumnmultibuttonsdelegate.h"

#include "host/core/annotatedmutex.h"
#include "host/table/hpftypes.h"
#include "host/ui/eventdeliverer.h"
#include "host/ui/uiresource.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

namespace GU {

namespace {

const int kMargin = 4;   // between the cell border and the first button
const int kSpacing = 4;  // between two buttons
const int kPadding = 8;  // left and right of a button's text
const int kMaxHeight = 20;

struct ButtonColours {
  QColor fill;  // invalid: no fill
  QColor frame;
  QColor text;
};

// Looked up at every paint, so a theme switch shows at the next repaint.
ButtonColours coloursOf(ENormalButtonType type, bool enabled) {
  CUiResource* resource = CUiResource::instance();
  const auto color = [resource](const char* key) { return *resource->getColor(key); };
  if (!enabled)
    return {color("clr_table_button_disabled_background"),
            color("clr_table_button_disabled_border"), color("clr_table_button_disabled_text")};
  switch (type) {
    case NORMAL_BUTTON_PRIMARY:
      return {color("clr_table_button_primary"), color("clr_table_button_primary"),
              color("clr_table_button_primary_text")};
    case NORMAL_BUTTON_LIGHT:
      return {QColor(), color("clr_table_button_light"), color("clr_table_button_light")};
    case NORMAL_BUTTON_WARNING:
      return {color("clr_table_button_warning"), color("clr_table_button_warning"),
              color("clr_table_button_warning_text")};
    case NORMAL_BUTTON_PLAIN:
    default:
      return {QColor(), color("clr_table_button_plain_border"),
              color("clr_table_button_plain_text")};
  }
}

bool isShown(const ButtonData& button, bool enabled) { return enabled || !button.hideWhenDisabled; }

}  // namespace

CBaseTableColumnMultiButtonsDelegate::CBaseTableColumnMultiButtonsDelegate(int column,
                                                                           CEventDeliverer* target)
    : CBaseTableColumnDelegate(column, target) {}

CBaseTableColumnMultiButtonsDelegate::~CBaseTableColumnMultiButtonsDelegate() = default;

void CBaseTableColumnMultiButtonsDelegate::clear() {
  // Freed outside the lock: the lookups of the defaults may hold a model.
  std::unordered_map<std::string, Item> old;
  Defaults oldDefaults;
  {
    utils::CMutexLocker<utils::CMutex> lock(m_mutex);
    old.swap(m_items);
    std::swap(oldDefaults, m_defaults);
  }
  requestRepaint();
}

void CBaseTableColumnMultiButtonsDelegate::setDefaultButtons(
    const QVector<ButtonData>& buttons, const boost::function<bool(const std::string&)>& isListed,
    const boost::function<int()>& listedCount) {
  Defaults defaults{buttons, isListed, listedCount};
  {
    utils::CMutexLocker<utils::CMutex> lock(m_mutex);
    std::swap(defaults, m_defaults);
  }
  requestRepaint();
}

bool CBaseTableColumnMultiButtonsDelegate::resolve(const std::string& key, Item* item) const {
  bool found = false;
  QVector<ButtonData> defaultButtons;
  boost::function<bool(const std::string&)> isListed;
  {
    utils::CMutexLocker<utils::CMutex> lock(m_mutex);
    auto it = m_items.find(key);
    if (it != m_items.end()) {
      found = true;
      *item = it->second;
      if (item->hasButtons) return true;
    }
    if (!m_defaults.isListed) return found;
    defaultButtons = m_defaults.buttons;
    isListed = m_defaults.isListed;
  }
  // Outside the lock: the lookup takes the model's own.
  if (!isListed(key)) return found;
  if (!found) *item = Item();
  item->buttons = defaultButtons;
  return true;
}

void CBaseTableColumnMultiButtonsDelegate::setItemButtons(const std::string& key,
                                                          const QVector<ButtonData>& buttons,
                                                          bool repaint) {
  {
    utils::CMutexLocker<utils::CMutex> lock(m_mutex);
    Item& item = m_items[key];
    item.buttons = buttons;
    item.hasButtons = true;
  }
  if (repaint) requestRepaint();
}

void CBaseTableColumnMultiButtonsDelegate::setItemVisible(const std::string& key, bool visible,
                                                          bool repaint) {
  {
    utils::CMutexLocker<utils::CMutex> lock(m_mutex);
    m_items[key].visible = visible;
  }
  if (repaint) requestRepaint();
}

void CBaseTableColumnMultiButtonsDelegate::setItemEnabled(const std::string& key, bool enabled,
                                                          bool repaint) {
  {
    utils::CMutexLocker<utils::CMutex> lock(m_mutex);
    m_items[key].enabled = enabled;
  }
  if (repaint) requestRepaint();
}

QVector<ButtonData> CBaseTableColumnMultiButtonsDelegate::itemButtons(
    const std::string& key) const {
  Item item;
  return resolve(key, &item) ? item.buttons : QVector<ButtonData>();
}

bool CBaseTableColumnMultiButtonsDelegate::isItemVisible(const std::string& key) const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  auto it = m_items.find(key);
  return it == m_items.end() || it->second.visible;
}

bool CBaseTableColumnMultiButtonsDelegate::isItemEnabled(const std::string& key) const {
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  auto it = m_items.find(key);
  return it == m_items.end() || it->second.enabled;
}

int CBaseTableColumnMultiButtonsDelegate::itemCount() const {
  std::vector<std::string> keys;
  boost::function<bool(const std::string&)> isListed;
  boost::function<int()> listedCount;
  {
    utils::CMutexLocker<utils::CMutex> lock(m_mutex);
    if (!m_defaults.isListed) return static_cast<int>(m_items.size());
    isListed = m_defaults.isListed;
    listedCount = m_defaults.listedCount;
    keys.reserve(m_items.size());
    for (const auto& entry : m_items) keys.push_back(entry.first);
  }
  int count = listedCount ? listedCount() : 0;
  for (const std::string& key : keys) {
    if (!isListed(key)) ++count;
  }
  return count;
}

QVector<QRect> CBaseTableColumnMultiButtonsDelegate::layoutButtons(const Item& item,
                                                                   const QRect& cell) const {
  QVector<QRect> rects;
  if (!item.visible) return rects;
  const QFontMetrics metrics(QApplication::font());
  const int height = qMax(0, qMin(kMaxHeight, cell.height() - 4));
  const int top = cell.top() + (cell.height() - height) / 2;
  int left = cell.left() + kMargin;
  for (const ButtonData& button : item.buttons) {
    if (!isShown(button, item.enabled)) {
      rects.append(QRect());
      continue;
    }
    const int width = metrics.horizontalAdvance(button.text) + 2 * kPadding;
    rects.append(QRect(left, top, width, height));
    left += width + kSpacing;
  }
  return rects;
}

QVector<QRect> CBaseTableColumnMultiButtonsDelegate::buttonRects(const QRect& cell,
                                                                 const std::string& key) const {
  Item item;
  if (!resolve(key, &item)) return QVector<QRect>();
  return layoutButtons(item, cell);
}

int CBaseTableColumnMultiButtonsDelegate::hitButton(const Item& item, const QRect& cell,
                                                    const QPoint& pos) const {
  if (!item.enabled) return -1;
  const QVector<QRect> rects = layoutButtons(item, cell);
  for (int i = 0; i < rects.size(); ++i) {
    // Buttons that overflow the cell are clipped when painted; only the part
    // the user can see answers clicks.
    if (rects[i].intersected(cell).contains(pos)) return i;
  }
  return -1;
}

void CBaseTableColumnMultiButtonsDelegate::paint(QPainter* painter, const QRect& rect,
                                                 const HpfRowPtr&, const std::string& rowKey,
                                                 const SHpfCellPaintState& state) {
  Item item;
  if (!resolve(rowKey, &item)) return;
  const QVector<QRect> rects = layoutButtons(item, rect);
  painter->save();
  painter->setClipRect(rect, Qt::IntersectClip);
  painter->setRenderHint(QPainter::Antialiasing, true);
  for (int i = 0; i < rects.size(); ++i) {
    if (rects[i].isNull()) continue;
    const ButtonData& button = item.buttons[i];
    ButtonColours colours = coloursOf(button.type, item.enabled);
    const bool over = state.hovered && rects[i].contains(state.mousePos);
    if (item.enabled && over) {
      const bool down = state.pressed && m_pressedKey == rowKey && m_pressedId == button.id;
      const auto shade = [down](const QColor& c) { return down ? c.darker(120) : c.lighter(112); };
      if (colours.fill.isValid()) colours.fill = shade(colours.fill);
      colours.frame = shade(colours.frame);
    }
    const QRectF box = QRectF(rects[i]).adjusted(0.5, 0.5, -0.5, -0.5);
    painter->setPen(colours.frame);
    painter->setBrush(colours.fill.isValid() ? QBrush(colours.fill) : QBrush(Qt::NoBrush));
    painter->drawRoundedRect(box, 3, 3);
    painter->setPen(colours.text);
    painter->drawText(rects[i], Qt::AlignCenter, button.text);
  }
  painter->restore();
}

bool CBaseTableColumnMultiButtonsDelegate::mousePress(const QRect& rect, const QPoint& pos,
                                                      const std::string& rowKey) {
  // The pressed button is GUI-thread state; the items are read under the lock.
  m_pressedKey.clear();
  m_pressedId = -1;
  Item item;
  if (!resolve(rowKey, &item)) return false;
  const int hit = hitButton(item, rect, pos);
  if (hit < 0) return false;
  m_pressedKey = rowKey;
  m_pressedId = item.buttons[hit].id;
  return true;
}

void CBaseTableColumnMultiButtonsDelegate::mouseRelease(const QRect& rect, const QPoint& pos,
                                                        const std::string& rowKey) {
  const bool sameKey = m_pressedKey == rowKey;
  const int pressedId = m_pressedId;
  m_pressedKey.clear();
  m_pressedId = -1;
  if (!sameKey || pressedId < 0) return;
  // The buttons may have changed between press and release (a worker
  // rebuilt the row); only a release on the same, still enabled button
  // counts as a press of it.
  Item item;
  if (!resolve(rowKey, &item)) return;
  const int hit = hitButton(item, rect, pos);
  if (hit < 0 || item.buttons[hit].id != pressedId) return;
  // No lock held: the handler may well change this row's buttons.
  if (CEventDeliverer* receiver = target()) {
    receiver->handleEvent(HPF_EVENT_BUTTON_PRESSED, 0, pressedId, QString::fromStdString(rowKey),
                          nullptr);
  }
}

QString CBaseTableColumnMultiButtonsDelegate::toolTip(const QRect& rect, const QPoint& pos,
                                                      const std::string& rowKey) {
  Item item;
  if (!resolve(rowKey, &item)) return QString();
  const QVector<QRect> rects = layoutButtons(item, rect);
  for (int i = 0; i < rects.size(); ++i) {
    if (rects[i].contains(pos)) return item.buttons[i].tips.value(item.enabled ? 0 : 1);
  }
  return QString();
}

}  // namespace GU
