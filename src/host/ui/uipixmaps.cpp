#include "host/ui/uipixmaps_p.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace GU {
namespace pixmaps {

namespace {

using ColorOf = std::function<QColor(const char*)>;

// Instrument tag badges: a rounded rect in the tag's colour with one or two
// letters.
struct SBadge {
  const char* key;
  const char* letters;  // UTF-8
  const char* colorKey;
};

const SBadge kBadges[] = {
    {"img_code_delisting_finishing_icon", "退", "clr_badge_delisting"},
    {"img_neeq_innovate_icon", "创", "clr_badge_neeq_innovate"},
    {"img_neeq_basics_icon", "基", "clr_badge_neeq_basics"},
    {"img_neeq_selects_icon", "北", "clr_badge_neeq_selects"},
    {"img_bond_qualified_investor_icon", "专", "clr_badge_qualified_investor"},
    {"img_code_gem_icon", "创", "clr_badge_gem"},
    {"img_code_kcb_cdr_icon", "科存", "clr_badge_kcb_cdr"},
    {"img_code_cdr_icon", "存", "clr_badge_cdr"},
    {"img_code_kcb_icon", "科", "clr_badge_kcb"},
    {"img_code_innovate_icon", "新", "clr_badge_innovate"},
};

// A transparent pixmap of logical size width x height for ratio.
QPixmap blank(int width, int height, qreal ratio) {
  QPixmap pixmap(qCeil(width * ratio), qCeil(height * ratio));
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

QPixmap paintBadge(const SBadge& badge, qreal ratio, const ColorOf& color) {
  const QString letters = QString::fromUtf8(badge.letters);
  const int height = 16;
  const int width = letters.size() > 1 ? 28 : 16;
  QPixmap pixmap = blank(width, height, ratio);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(color(badge.colorKey));
  painter.drawRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), 3, 3);
  QFont font;
  font.setPixelSize(11);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(color("clr_badge_text"));
  painter.drawText(QRect(0, 0, width, height), Qt::AlignCenter, letters);
  return pixmap;
}

// The tool bar background: a soft vertical gradient the bar stretches, with
// a border line at the bottom.
QPixmap paintToolBarBackground(qreal ratio, const ColorOf& color) {
  QPixmap pixmap = blank(8, 32, ratio);
  QPainter painter(&pixmap);
  QLinearGradient gradient(0, 0, 0, 32);
  gradient.setColorAt(0, color("clr_toolbar_gradient_top"));
  gradient.setColorAt(1, color("clr_toolbar_gradient_bottom"));
  painter.fillRect(QRect(0, 0, 8, 32), gradient);
  painter.fillRect(QRectF(0, 31, 8, 1), color("clr_toolbar_border"));
  return pixmap;
}

QPixmap paintClearIcon(qreal ratio, const ColorOf& color) {
  QPixmap pixmap = blank(14, 14, ratio);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(color("clr_icon_clear"));
  painter.drawEllipse(QRectF(0.5, 0.5, 13, 13));
  painter.setPen(QPen(color("clr_icon_clear_mark"), 1.6));
  painter.drawLine(QPointF(4.5, 4.5), QPointF(9.5, 9.5));
  painter.drawLine(QPointF(9.5, 4.5), QPointF(4.5, 9.5));
  return pixmap;
}

QPixmap paintCalendarIcon(qreal ratio, const ColorOf& color) {
  QPixmap pixmap = blank(14, 14, ratio);
  QPainter painter(&pixmap);
  const QColor ink = color("clr_icon_ink");
  painter.setPen(ink);
  painter.setBrush(color("clr_icon_paper"));
  painter.drawRect(1, 2, 11, 10);
  painter.fillRect(1, 2, 12, 3, ink);
  painter.fillRect(3, 0, 2, 3, ink);
  painter.fillRect(9, 0, 2, 3, ink);
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 3; ++col) painter.fillRect(3 + col * 3, 6 + row * 3, 2, 2, ink);
  return pixmap;
}

QPixmap paintSearchIcon(qreal ratio, const ColorOf& color) {
  QPixmap pixmap = blank(14, 14, ratio);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(color("clr_icon_search"), 1.5));
  painter.drawEllipse(QRectF(1.5, 1.5, 7.5, 7.5));
  painter.drawLine(QPointF(8.5, 8.5), QPointF(12.5, 12.5));
  return pixmap;
}

QPixmap paintMoreIcon(qreal ratio, const ColorOf& color) {
  QPixmap pixmap = blank(12, 12, ratio);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(color("clr_icon_ink"), 1.4));
  painter.drawPolyline(QPolygonF({QPointF(2, 3), QPointF(5, 6), QPointF(2, 9)}));
  painter.drawPolyline(QPolygonF({QPointF(6, 3), QPointF(9, 6), QPointF(6, 9)}));
  return pixmap;
}

QPixmap paintTriangle(bool up, qreal ratio, const ColorOf& color) {
  QPixmap pixmap = blank(8, 6, ratio);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(color("clr_table_sort_indicator"));
  if (up)
    painter.drawPolygon(QPolygonF({QPointF(0, 6), QPointF(8, 6), QPointF(4, 0)}));
  else
    painter.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(8, 0), QPointF(4, 6)}));
  return pixmap;
}

}  // namespace

QStringList keys() {
  QStringList all;
  for (const SBadge& badge : kBadges) all << QString::fromLatin1(badge.key);
  all << "lw_img_op_hedge_type_bg"
      << "img_edit_clear"
      << "img_calendar"
      << "img_search"
      << "img_toolbar_more"
      << "img_table_sort_up"
      << "img_table_sort_down";
  return all;
}

QPixmap paintPixmap(const QString& key, qreal ratio, const ColorOf& color) {
  for (const SBadge& badge : kBadges)
    if (key == QLatin1String(badge.key)) return paintBadge(badge, ratio, color);
  if (key == QLatin1String("lw_img_op_hedge_type_bg")) return paintToolBarBackground(ratio, color);
  if (key == QLatin1String("img_edit_clear")) return paintClearIcon(ratio, color);
  if (key == QLatin1String("img_calendar")) return paintCalendarIcon(ratio, color);
  if (key == QLatin1String("img_search")) return paintSearchIcon(ratio, color);
  if (key == QLatin1String("img_toolbar_more")) return paintMoreIcon(ratio, color);
  if (key == QLatin1String("img_table_sort_up")) return paintTriangle(true, ratio, color);
  if (key == QLatin1String("img_table_sort_down")) return paintTriangle(false, ratio, color);
  return QPixmap();
}

}  // namespace pixmaps
}  // namespace GU
