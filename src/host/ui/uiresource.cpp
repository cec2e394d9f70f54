#include "host/ui/uiresource.h"

#include "host/core/annotatedmutex.h"
#include "host/ui/uilog_p.h"
#include "host/ui/uipixmaps_p.h"
#include "host/ui/uithemes_p.h"

#include <QApplication>
#include <QHash>
#include <QSet>
#include <QThread>
#include <QtMath>
#include <atomic>
#include <memory>
#include <vector>

namespace GU {

namespace {

struct FontEntry {
  const char* key;
  int pixelSize;
  bool bold;
};

// "_fix" fonts keep their pixel size when the host scales the UI; the others
// are the same in this stand-in, whose scaling is Qt's device pixel ratio.
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
// Ratios are kept in hundredths: 150 is 150%.
constexpr int kMinRatio = 25;
constexpr int kMaxRatio = 800;
constexpr int kOneToOne = 100;

int ratioKey(qreal ratio, int fallback) {
  if (!(ratio > 0) || !qIsFinite(ratio)) return fallback;
  // Bounded before rounding: a huge ratio must not overflow the int.
  return qRound(qBound<qreal>(kMinRatio, ratio * 100, kMaxRatio));
}

bool onGuiThread() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) &&
         QThread::currentThread() == QCoreApplication::instance()->thread();
}

// GUI thread only: QGuiApplication walks its screens.
int applicationRatioKey() {
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  return app ? ratioKey(app->devicePixelRatio(), kOneToOne) : kOneToOne;
}

struct SPixmapId {
  int theme;
  int ratio;
  QString key;
  bool operator==(const SPixmapId& other) const {
    return theme == other.theme && ratio == other.ratio && key == other.key;
  }
};

uint qHash(const SPixmapId& id, uint seed = 0) {
  return ::qHash(id.key, seed) ^ static_cast<uint>(id.theme * 1009 + id.ratio);
}

}  // namespace

struct CUiResource::Impl {
  struct ThemeColors {
    QString name;
    bool setsApplicationPalette = false;
    QHash<QString, QColor*> colors;
  };

  // Read-only after the constructor: no lock needed to read them.
  std::vector<ThemeColors> themes;  // themes[0] is the default
  QHash<QString, QFont*> fonts;
  QHash<QString, int> sizes;
  QSet<QString> pixmapKeySet;
  QColor fallbackColor{"#333333"};
  QFont fallbackFont;

  // Index into themes; written on the GUI thread, read anywhere.
  std::atomic<int> current{0};

  mutable utils::CMutex mutex;
  // Guarded by mutex. Pixmaps are only added, on the GUI thread; the QPixmap
  // objects are never changed or freed, so pointers handed out stay valid.
  QHash<SPixmapId, QPixmap*> pixmaps LW_GUARDED_BY(mutex);
  QHash<const QPixmap*, SPixmapId> origins LW_GUARDED_BY(mutex);
  // (theme, ratio) with every key painted
  QSet<QPair<int, int>> paintedSets LW_GUARDED_BY(mutex);
  QSet<int> paintedRatios LW_GUARDED_BY(mutex);
  int applicationRatio LW_GUARDED_BY(mutex) = kOneToOne;  // as last seen on the GUI thread
  std::unique_ptr<QPixmap> blankPixmap LW_GUARDED_BY(mutex);
  QSet<QString> unknownKeys LW_GUARDED_BY(mutex);

  // GUI thread only: the application palette before the first switch.
  bool paletteSaved = false;
  QPalette savedPalette;

  int themeIndex(const QString& name) const {
    const QString wanted = name.trimmed();
    for (size_t i = 0; i < themes.size(); ++i)
      if (themes[i].name.compare(wanted, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
  }

  // The colour of key in theme; the default theme's when theme lacks it.
  const QColor* findColor(int theme, const QString& key) const {
    if (const QColor* color = themes[static_cast<size_t>(theme)].colors.value(key)) return color;
    return themes.front().colors.value(key);
  }

  QColor colorIn(int theme, const char* key) const {
    const QColor* color = findColor(theme, QString::fromLatin1(key));
    return color ? *color : fallbackColor;
  }

  // Returns true when key was not logged before; the caller logs outside the
  // lock.
  bool noteUnknown(const QString& key) {
    utils::CMutexLocker<utils::CMutex> lock(mutex);
    if (unknownKeys.contains(key)) return false;
    unknownKeys.insert(key);
    return true;
  }

  // GUI thread only.
  void paintSetLocked(int theme, int ratio) LW_REQUIRES(mutex) {
    if (paintedSets.contains(qMakePair(theme, ratio))) return;
    const auto color = [this, theme](const char* key) { return colorIn(theme, key); };
    for (const QString& key : pixmaps::keys()) {
      const SPixmapId id{theme, ratio, key};
      if (pixmaps.contains(id)) continue;
      auto* pixmap = new QPixmap(pixmaps::paintPixmap(key, ratio / 100.0, color));
      pixmaps.insert(id, pixmap);
      origins.insert(pixmap, id);
    }
    paintedSets.insert(qMakePair(theme, ratio));
    paintedRatios.insert(ratio);
    if (!blankPixmap) {
      blankPixmap = std::make_unique<QPixmap>(16, 16);
      blankPixmap->fill(Qt::transparent);
    }
  }

  // The painted pixmap nearest to what was asked.
  const QPixmap* findLocked(int theme, int ratio, const QString& key) const LW_REQUIRES(mutex) {
    for (int candidate : {ratio, applicationRatio, kOneToOne})
      if (const QPixmap* pixmap = pixmaps.value(SPixmapId{theme, candidate, key})) return pixmap;
    return nullptr;
  }

  ~Impl() {
    for (ThemeColors& theme : themes) qDeleteAll(theme.colors);
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
  for (const theme::STheme& source : theme::builtInThemes()) {
    Impl::ThemeColors colors;
    colors.name = QString::fromLatin1(source.name);
    colors.setsApplicationPalette = source.setsApplicationPalette;
    for (int i = 0; i < source.colorCount; ++i)
      colors.colors.insert(QString::fromLatin1(source.colors[i].key),
                           new QColor(source.colors[i].value));
    m_impl->themes.push_back(std::move(colors));
  }
  for (const FontEntry& entry : kFonts) {
    auto* font = new QFont();
    font->setPixelSize(entry.pixelSize);
    font->setBold(entry.bold);
    m_impl->fonts.insert(QString::fromLatin1(entry.key), font);
  }
  m_impl->fallbackFont.setPixelSize(12);
  for (const SizeEntry& entry : kSizes)
    m_impl->sizes.insert(QString::fromLatin1(entry.key), entry.value);
  for (const QString& key : pixmaps::keys()) m_impl->pixmapKeySet.insert(key);

  if (onGuiThread()) {
    const int ratio = applicationRatioKey();
    utils::CMutexLocker<utils::CMutex> lock(m_impl->mutex);
    m_impl->applicationRatio = ratio;
    m_impl->paintSetLocked(0, ratio);
  } else {
    GU_UI_LOG_ERROR(this, "GU::CUiResource::CUiResource",
                    QStringLiteral("first used off the GUI thread or before the QApplication; "
                                   "pixmaps are painted on the first GUI-thread request"));
  }
}

CUiResource::~CUiResource() { delete m_impl; }

const QColor* CUiResource::getColor(const QString& key) {
  if (const QColor* color = m_impl->findColor(m_impl->current.load(), key)) return color;
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

const QPixmap* CUiResource::getPixmap(const QString& key) { return getPixmap(key, 0); }

const QPixmap* CUiResource::getPixmap(const QString& key, qreal devicePixelRatio) {
  const bool known = m_impl->pixmapKeySet.contains(key);
  const bool gui = onGuiThread();
  const int seenRatio = gui ? applicationRatioKey() : 0;
  const QPixmap* result = nullptr;
  bool unpaintable = false;
  {
    utils::CMutexLocker<utils::CMutex> lock(m_impl->mutex);
    if (gui) m_impl->applicationRatio = seenRatio;
    const int ratio = ratioKey(devicePixelRatio, m_impl->applicationRatio);
    const int theme = m_impl->current.load();
    if (gui) {
      m_impl->paintSetLocked(theme, ratio);
    } else if (!m_impl->blankPixmap && QGuiApplication::instance()) {
      // Before the GUI thread has painted anything a worker can only get a
      // blank; a null QPixmap paints nothing and needs no paint device.
      m_impl->blankPixmap = std::make_unique<QPixmap>();
    }
    if (known) result = m_impl->findLocked(theme, ratio, key);
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

const QPixmap* CUiResource::pixmapForRatio(const QPixmap* pixmap, qreal devicePixelRatio) {
  if (!pixmap) return pixmap;
  QString key;
  {
    utils::CMutexLocker<utils::CMutex> lock(m_impl->mutex);
    auto it = m_impl->origins.constFind(pixmap);
    if (it == m_impl->origins.constEnd()) return pixmap;
    const SPixmapId& id = it.value();
    if (id.theme == m_impl->current.load() &&
        id.ratio == ratioKey(devicePixelRatio, m_impl->applicationRatio))
      return pixmap;
    key = id.key;
  }
  return getPixmap(key, devicePixelRatio);
}

QIcon CUiResource::getIcon(const QString& key) {
  if (!m_impl->pixmapKeySet.contains(key)) {
    getPixmap(key);  // logs the unknown key once
    return QIcon();
  }
  QIcon icon;
  QSet<const QPixmap*> added;
  for (qreal ratio : {1.0, 2.0, 0.0}) {
    const QPixmap* pixmap = getPixmap(key, ratio);
    if (!pixmap || pixmap->isNull() || added.contains(pixmap)) continue;
    added.insert(pixmap);
    icon.addPixmap(*pixmap);
  }
  return icon;
}

int CUiResource::getSize(const QString& key) {
  auto it = m_impl->sizes.constFind(key);
  if (it != m_impl->sizes.constEnd()) return it.value();
  if (m_impl->noteUnknown(key))
    GU_UI_LOG_WARN(this, "GU::CUiResource::getSize", QStringLiteral("unknown size key ") + key);
  return kUnknownSize;
}

QStringList CUiResource::themeNames() {
  QStringList names;
  for (const theme::STheme& source : theme::builtInThemes())
    names << QString::fromLatin1(source.name);
  return names;
}

QString CUiResource::theme() const {
  return m_impl->themes[static_cast<size_t>(m_impl->current.load())].name;
}

bool CUiResource::setTheme(const QString& name) {
  const int index = m_impl->themeIndex(name);
  if (index < 0) {
    GU_UI_LOG_WARN(this, "GU::CUiResource::setTheme",
                   QStringLiteral("unknown theme \"%1\"; keeping \"%2\"").arg(name, theme()));
    return false;
  }
  if (index == m_impl->current.load()) return true;
  if (!onGuiThread()) {
    GU_UI_LOG_ERROR(this, "GU::CUiResource::setTheme",
                    QStringLiteral("called off the GUI thread; keeping \"%1\"").arg(theme()));
    return false;
  }
  const int ratio = applicationRatioKey();
  {
    // The new theme's pixmaps exist before any thread can ask for them.
    utils::CMutexLocker<utils::CMutex> lock(m_impl->mutex);
    m_impl->applicationRatio = ratio;
    QSet<int> ratios = m_impl->paintedRatios;
    ratios.insert(ratio);
    for (int painted : ratios) m_impl->paintSetLocked(index, painted);
  }
  m_impl->current.store(index);

  if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
    if (!m_impl->paletteSaved) {
      m_impl->savedPalette = QApplication::palette();
      m_impl->paletteSaved = true;
    }
    // Qt sends every widget a palette change, which repaints it.
    QApplication::setPalette(themePalette(m_impl->themes[static_cast<size_t>(index)].name));
  }
  emit sigThemeChanged(m_impl->themes[static_cast<size_t>(index)].name);
  return true;
}

QColor CUiResource::themeColor(const QString& themeName, const QString& key) const {
  const int index = m_impl->themeIndex(themeName);
  if (index < 0) return QColor();
  const QColor* color = m_impl->themes[static_cast<size_t>(index)].colors.value(key);
  return color ? *color : QColor();
}

QPalette CUiResource::themePalette(const QString& themeName) const {
  const int index = m_impl->themeIndex(themeName);
  if (index >= 0 && m_impl->themes[static_cast<size_t>(index)].setsApplicationPalette) {
    return theme::applicationPalette(
        [this, index](const char* key) { return m_impl->colorIn(index, key); });
  }
  if (m_impl->paletteSaved) return m_impl->savedPalette;
  return QGuiApplication::instance() ? QGuiApplication::palette() : QPalette();
}

bool CUiResource::contains(const QString& key) const {
  return m_impl->themes.front().colors.contains(key) || m_impl->fonts.contains(key) ||
         m_impl->sizes.contains(key) || m_impl->pixmapKeySet.contains(key);
}

QStringList CUiResource::keys() const {
  QStringList all = m_impl->themes.front().colors.keys() + m_impl->fonts.keys() +
                    m_impl->sizes.keys() + m_impl->pixmapKeySet.values();
  all.sort();
  return all;
}

QStringList CUiResource::unknownKeys() const {
  QStringList keys;
  {
    utils::CMutexLocker<utils::CMutex> lock(m_impl->mutex);
    keys = m_impl->unknownKeys.values();
  }
  keys.sort();
  return keys;
}

}  // namespace GU
