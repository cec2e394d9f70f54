#include "quicksearch/quicksearchplacement.h"

#include <algorithm>

namespace LW {

QRect quickSearchPopupGeometry(const QRect& host, const QSize& preferred, const QRect& available) {
  QSize size = preferred.expandedTo(QSize(1, 1));
  if (!available.isEmpty()) size = size.boundedTo(available.size());

  QPoint topLeft;
  if (host.isEmpty()) {
    const QRect area = available.isEmpty() ? QRect(QPoint(0, 0), size) : available;
    topLeft = QPoint(area.left() + (area.width() - size.width()) / 2,
                     area.top() + (area.height() - size.height()) / 2);
  } else {
    const int offset = std::min(host.height() / 8, kQuickSearchTopOffsetMax);
    topLeft = QPoint(host.left() + (host.width() - size.width()) / 2, host.top() + offset);
  }
  if (!available.isEmpty()) {
    // size fits available, so both bounds hold at once.
    topLeft.setX(std::clamp(topLeft.x(), available.left(), available.right() - size.width() + 1));
    topLeft.setY(std::clamp(topLeft.y(), available.top(), available.bottom() - size.height() + 1));
  }
  return QRect(topLeft, size);
}

}  // namespace LW
