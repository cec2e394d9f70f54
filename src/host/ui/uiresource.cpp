#include "host/ui/uiresource.h"

#include "host/ui/uilog_p.h"

#include <QGuiApplication>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSet>
#include <QThread>
#include <memory>
#include <mutex>

namespace GU {

namespace {

struct ColorEntry {
  const char* key;
  const char* value;
};

// The light theme. Up is red and down is green, as on the mainland markets.
const ColorEntry kColors[] = {
    {"clr_text_default", "#333333"},
    {"clr_text_secondary", "#7a7f87"},
    {"clr_text_highlight", "#1f6fd1"},
    {"clr_text_up", "#e0302f"},
    {"clr_text_down", "#119c4b"},
    {"clr_text_equal", "#333333"},
    {"clr_text_link", "#1f6fd1"},
    {"clr_text_warning", "#d9822b"},
    {"clr_text_error", "#d32f2f"},
    {"clr_disable_color", "#a8adb4"},
    {"clr_background_default", "#ffffff"},
    {"clr_panel_background", "#f5f6f8"},
    {"clr_toolbar_background", "#eef1f5"},
    {"clr_border_default", "#d0d4da"},
    {"clr_table_background", "#ffffff"},
    {"clr_table_background2", "#f6f8fb"},
    {"clr_table_header_background", "#eef1f5"},
    {"clr_table_header_text", "#4a4f57"},
    {"clr_table_header_border", "#d6dae0"},
    {"clr_table_grid", "#e6e9ee"},
    {"clr_table_text", "#333333"},
    {"clr_table_selection_background", "#d6e8fb"},
    {"clr_table_selection_text", "#1a1a1a"},
    {"clr_table_hover_background", "#edf4fc"},
    {"clr_table_sort_indicator", "#1f6fd1"},
    {"clr_button_background", "#ffffff"},
    {"clr_button_background_hover", "#eaf2fd"},
    {"clr_button_background_pressed", "#d3e4fa"},
    {"clr_button_background_disabled", "#f2f3f5"},
    {"clr_button_border", "#c3c9d1"},
    {"clr_button_text", "#1f6fd1"},
    {"clr_button_text_disabled", "#b0b4ba"},
    {"clr_button_primary_background", "#1f6fd1"},
    {"clr_button_primary_text", "#ffffff"},
    {"clr_edit_background", "#ffffff"},
    {"clr_edit_border", "#c3c9d1"},
    {"clr_edit_border_focus", "#1f6fd1"},
    {"clr_edit_hint", "#a8adb4"},
    {"clr_tip_info_background", "#eaf2fd"},
    {"clr_tip_info_text", "#1f4f8f"},
    {"clr_tip_warning_background", "#fff4e0"},
    {"clr_tip_warning_text", "#8a5300"},
    {"clr_tip_error_background", "#fdecea"},
    {"clr_tip_error_text", "#b3261e"},
};

struct FontEntry {
  const char* key;
  int pixelSize;
  bool bold;
};

// "_fix" fonts keep their pixel size when the host scales the UI; the others
// are the same in this stand-in, which has no scaling.
const FontEntry kFonts[] = {
    {"fnt_default_normal_fix", 12, false}, {"fnt_default_bold_fix", 12, true},
    {"fnt_default_normal", 12, false},     {"fnt_default_bold", 12, true},
    {"fnt_default_small", 11, false},      {"fnt_default_large", 14, false},
    {"fnt_table_normal", 12, false},       {"fnt_table_bold", 12, true},
    {"fnt_table_header", 12, false},       {"fnt_tip", 12, false},
};

struct SizeEntry {
  const char* key;
  int value;
};

const SizeEntry kSizes[] = {
    {"lw_siz_setting_accounts_item_width", 110},
    {"lw_siz_setting_accounts_item_height", 22},
    {"lw_siz_toolbar_height", 32},
    {"lw_siz_table_row_height", 24},
    {"lw_siz_table_header_height", 26},
    {"lw_siz_table_icon", 16},
    {"lw_siz_button_height", 22},
    {"lw_siz_button_min_width", 48},
    {"lw_siz_edit_height", 22},
};

constexpr int kUnknownSize = 24;

// Instrument tag badges: a rounded rect in the tag's colour with one or two
// white letters. Drawn rather than loaded so that the stand-in ships no image
// files.
struct BadgeEntry {
  const char* key;
  const char* letters;  // UTF-8
  const char* color;
};

const BadgeEntry kBadges[] = {
    {"img_code_delisting_finishing_icon", "退", "#8d6e63"},
    {"img_neeq_innovate_icon", "创", "#7b1fa2"},
    {"img_neeq_basics_icon", "基", "#00897b"},
    {"img_neeq_selects_icon", "北", "#c62828"},
    {"img_bond_qualified_investor_icon", "专", "#ef6c00"},
    {"img_code_gem_icon", "创", "#2e7d32"},
    {"img_code_kcb_cdr_icon", "科存", "#283593"},
    {"img_code_cdr_icon", "存", "#0277bd"},
    {"img_code_kcb_icon", "科", "#3949ab"},
    {"img_code_innovate_icon", "新", "#ad1457"},
};

QPixmap paintBadge(const QString& letters, const QColor& color) {
  const int height = 16;
  const int width = letters.size() > 1 ? 28 : 16;
  QPixmap pixmap(width, height);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(color);
  painter.drawRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), 3, 3);
  QFont font;
  font.setPixelSize(11);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(0, 0, width, height), Qt::AlignCenter, letters);
  return pixmap;
}

// The tool bar background: a soft vertical gradient the bar stretches.
QPixmap paintToolBarBackground() {
  QPixmap pixmap(8, 32);
  QPainter painter(&pixmap);
  QLinearGradient gradient(0, 0, 0, 32);
  gradient.setColorAt(0, QColor("#f7f9fb"));
  gradient.setColorAt(1, QColor("#e8ecf1"));
  painter.fillRect(pixmap.rect(), gradient);
  painter.setPen(QColor("#d0d4da"));
  painter.drawLine(0, 31, 7, 31);
  return pixmap;
}

QPixmap paintClearIcon() {
  QPixmap pixmap(14, 14);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor("#b7bcc4"));
  painter.drawEllipse(QRectF(0.5, 0.5, 13, 13));
  painter.setPen(QPen(Qt::white, 1.6));
  painter.drawLine(QPointF(4.5, 4.5), QPointF(9.5, 9.5));
  painter.drawLine(QPointF(9.5, 4.5), QPointF(4.5, 9.5));
  return pixmap;
}

QPixmap paintCalendarIcon() {
  QPixmap pixmap(14, 14);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  const QColor ink("#5f6b7a");
  painter.setPen(ink);
  painter.setBrush(Qt::white);
  painter.drawRect(1, 2, 11, 10);
  painter.fillRect(1, 2, 12, 3, ink);
  painter.fillRect(3, 0, 2, 3, ink);
  painter.fillRect(9, 0, 2, 3, ink);
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 3; ++col) painter.fillRect(3 + col * 3, 6 + row * 3, 2, 2, ink);
  return pixmap;
}

QPixmap paintSearchIcon() {
  QPixmap pixmap(14, 14);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor("#7a7f87"), 1.5));
  painter.drawEllipse(QRectF(1.5, 1.5, 7.5, 7.5));
  painter.drawLine(QPointF(8.5, 8.5), QPointF(12.5, 12.5));
  return pixmap;
}

QPixmap paintMoreIcon() {
  QPixmap pixmap(12, 12);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor("#5f6b7a"), 1.4));
  painter.drawPolyline(QPolygonF({QPointF(2, 3), QPointF(5, 6), QPointF(2, 9)}));
  painter.drawPolyline(QPolygonF({QPointF(6, 3), QPointF(9, 6), QPointF(6, 9)}));
  return pixmap;
}

QPixmap paintTriangle(bool up) {
  QPixmap pixmap(8, 6);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor("#1f6fd1"));
  if (up)
    painter.drawPolygon(QPolygonF({QPointF(0, 6), QPointF(8, 6), QPointF(4, 0)}));
  else
    painter.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(8, 0), QPointF(4, 6)}));
  return pixmap;
}

// Only keys, so that contains() and keys() need no painted pixmaps.
QStringList pixmapKeys() {
  QStringList keys;
  for (const BadgeEntry& badge : kBadges) keys << QString::fromLatin1(badge.key);
  keys << "lw_img_op_hedge_type_bg"
       << "img_edit_clear"
       << "img_calendar"
       << "img_search"
       << "img_toolbar_more"
       << "img_table_sort_up"
       << "img_table_sort_down";
  return keys;
}

bool onGuiThread() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) &&
         QThread::currentThread() == QCoreApplication::instance()->thread();
}

}  // namespace

struct CUiResource::Impl {
  // Read-only after the constructor: no lock needed to read them.
  QHash<QString, QColor*> colors;
  QHash<QString, QFont*> fonts;
  QHash<QString, int> sizes;
  QSet<QString> pixmapKeySet;
  QColor fallbackColor{"#333333"};
  QFont fallbackFont;

  mutable std::mutex mutex;
  // Guarded by mutex. Filled once, on the GUI thread; the QPixmap objects are
  // never changed or freed afterwards, so pointers handed out stay valid.
  QHash<QString, QPixmap*> pixmaps;
  std::unique_ptr<QPixmap> blankPixmap;
  bool pixmapsPainted = false;
  QSet<QString> unknownKeys;

  // Returns true when key was not logged before; the caller logs outside the
  // lock.
  bool noteUnknown(const QString& key) {
    std::lock_guard<std::mutex> lock(mutex);
    if (unknownKeys.contains(key)) return false;
    unknownKeys.insert(key);
    return true;
  }

  // Requires mutex held and the GUI thread.
  void paintPixmapsLocked() {
    if (pixmapsPainted) return;
    for (const BadgeEntry& badge : kBadges)
      pixmaps.insert(
          QString::fromLatin1(badge.key),
          new QPixmap(paintBadge(QString::fromUtf8(badge.letters), QColor(badge.color))));
    pixmaps.insert("lw_img_op_hedge_type_bg", new QPixmap(paintToolBarBackground()));
    pixmaps.insert("img_edit_clear", new QPixmap(paintClearIcon()));
    pixmaps.insert("img_calendar", new QPixmap(paintCalendarIcon()));
    pixmaps.insert("img_search", new QPixmap(paintSearchIcon()));
    pixmaps.insert("img_toolbar_more", new QPixmap(paintMoreIcon()));
    pixmaps.insert("img_table_sort_up", new QPixmap(paintTriangle(true)));
    pixmaps.insert("img_table_sort_down", new QPixmap(paintTriangle(false)));
    if (!blankPixmap) {
      blankPixmap = std::make_unique<QPixmap>(16, 16);
      blankPixmap->fill(Qt::transparent);
    }
    pixmapsPainted = true;
  }

  ~Impl() {
    qDeleteAll(colors);
    qDeleteAll(fonts);
    qDeleteAll(pixmaps);
  }
};

CUiResource* CUiResource::instance() {
  // Deliberately never deleted: widgets and worker rows keep the returned
  // pointers until the process ends.
  static CUiResource* resource = new CUiResource();
  return resource;
}

CUiResource::CUiResource() : m_impl(new Impl) {
  for (const ColorEntry& entry : kColors)
    m_impl->colors.insert(QString::fromLatin1(entry.key), new QColor(entry.value));
  for (const FontEntry& entry : kFonts) {
    auto* font = new QFont();
    font->setPixelSize(entry.pixelSize);
    font->setBold(entry.bold);
    m_impl->fonts.insert(QString::fromLatin1(entry.key), font);
  }
  m_impl->fallbackFont.setPixelSize(12);
  for (const SizeEntry& entry : kSizes)
    m_impl->sizes.insert(QString::fromLatin1(entry.key), entry.value);
  for (const QString& key : pixmapKeys()) m_impl->pixmapKeySet.insert(key);

  if (onGuiThread()) {
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    m_impl->paintPixmapsLocked();
  } else {
    GU_UI_LOG_ERROR(this, "GU::CUiResource::CUiResource",
                    QStringLiteral("first used off the GUI thread or before the QApplication; "
                                   "pixmaps are painted on the first GUI-thread request"));
  }
}

CUiResource::~CUiResource() { delete m_impl; }

const QColor* CUiResource::getColor(const QString& key) {
  auto it = m_impl->colors.constFind(key);
  if (it != m_impl->colors.constEnd()) return it.value();
  if (m_impl->noteUnknown(key))
    GU_UI_LOG_WARN(this, "GU::CUiResource::getColor", QStringLiteral("unknown colour key ") + key);
  return &m_impl->fallbackColor;
}

const QFont* CUiResource::getFont(const QString& key) {
  auto it = m_impl->fonts.constFind(key);
  if (it != m_impl->fonts.constEnd()) return it.value();
  if (m_impl->noteUnknown(key))
    GU_UI_LOG_WARN(this, "GU::CUiResource::getFont", QStringLiteral("unknown font key ") + key);
  return &m_impl->fallbackFont;
}

const QPixmap* CUiResource::getPixmap(const QString& key) {
  const bool known = m_impl->pixmapKeySet.contains(key);
  const QPixmap* result = nullptr;
  bool unpaintable = false;
  {
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    if (!m_impl->pixmapsPainted) {
      if (onGuiThread()) {
        m_impl->paintPixmapsLocked();
      } else if (!m_impl->blankPixmap && QGuiApplication::instance()) {
        // Before the GUI thread has painted anything a worker can only get a
        // blank; a null QPixmap paints nothing and needs no paint device.
        m_impl->blankPixmap = std::make_unique<QPixmap>();
      }
    }
    if (known && m_impl->pixmapsPainted) result = m_impl->pixmaps.value(key);
    if (!result) result = m_impl->blankPixmap.get();
    unpaintable = !result;
  }
  if (unpaintable)
    GU_UI_LOG_ERROR(this, "GU::CUiResource::getPixmap",
                    QStringLiteral("no QGuiApplication, no pixmap for ") + key);
  if (!known && m_impl->noteUnknown(key))
    GU_UI_LOG_WARN(this, "GU::CUiResource::getPixmap", QStringLiteral("unknown pixmap key ") + key);
  return result;
}

int CUiResource::getSize(const QString& key) {
  auto it = m_impl->sizes.constFind(key);
  if (it != m_impl->sizes.constEnd()) return it.value();
  if (m_impl->noteUnknown(key))
    GU_UI_LOG_WARN(this, "GU::CUiResource::getSize", QStringLiteral("unknown size key ") + key);
  return kUnknownSize;
}

bool CUiResource::contains(const QString& key) const {
  return m_impl->colors.contains(key) || m_impl->fonts.contains(key) ||
         m_impl->sizes.contains(key) || m_impl->pixmapKeySet.contains(key);
}

QStringList CUiResource::keys() const {
  QStringList all = m_impl->colors.keys() + m_impl->fonts.keys() + m_impl->sizes.keys() +
                    m_impl->pixmapKeySet.values();
  all.sort();
  return all;
}

QStringList CUiResource::unknownKeys() const {
  QStringList keys;
  {
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    keys = m_impl->unknownKeys.values();
  }
  keys.sort();
  return keys;
}

}  // namespace GU
