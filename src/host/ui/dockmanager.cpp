#include "host/ui/dockmanager.h"

#include "host/ui/dockwidget.h"
#include "host/ui/tradedockablewidget.h"
#include "host/ui/uilog_p.h"

#include <QEvent>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMainWindow>
#include <QSaveFile>
#include <QSet>
#include <cmath>
#include <exception>
#include <limits>

namespace LW {

namespace {

// Far above any real layout (a few kB); a bigger file is not ours.
constexpr qint64 kMaxSettingsBytes = 16 * 1024 * 1024;

// A JSON number that is an exact int, or fallback. Guards the cast: NaN,
// infinities and values out of range are refused rather than converted.
int jsonInt(const QJsonValue& value, bool* ok) {
  *ok = false;
  if (!value.isDouble()) return 0;
  const double number = value.toDouble();
  if (!std::isfinite(number) || number < std::numeric_limits<int>::min() ||
      number > std::numeric_limits<int>::max() || std::floor(number) != number)
    return 0;
  *ok = true;
  return static_cast<int>(number);
}

bool isDockArea(int area) {
  return area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea ||
         area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea;
}

}  // namespace

CDockManager::CDockManager(QMainWindow* window, const QString& settingsFile, QObject* parent)
    : QObject(parent ? parent : window),
      m_window(window),
      m_watched(window),
      m_settingsFile(settingsFile) {
  if (window) window->installEventFilter(this);
}

CDockManager::~CDockManager() {
  if (m_watched) m_watched->removeEventFilter(this);
}

void CDockManager::registerFactory(const QString& key, const DockFactory& factory) {
  if (factory.empty()) {
    m_factories.remove(key);
    return;
  }
  m_factories.insert(key, factory);
}

bool CDockManager::hasFactory(const QString& key) const { return m_factories.contains(key); }

void CDockManager::setDefaultLayout(const DefaultLayout& layout) { m_defaultLayout = layout; }

QString CDockManager::dockObjectName(const QString& key, int id) {
  // QMainWindow::restoreState finds docks by object name.
  return QStringLiteral("lwdock_%1_%2").arg(key).arg(id);
}

void CDockManager::prune() {
  for (int i = m_entries.size() - 1; i >= 0; --i)
    if (!m_entries[i].dock || !m_entries[i].dockable) m_entries.removeAt(i);
}

bool CDockManager::idInUse(int id) const {
  for (const Entry& entry : m_entries)
    if (entry.id == id && entry.dock && entry.dockable) return true;
  return false;
}

int CDockManager::nextFreeId() const {
  int next = 1;
  for (const Entry& entry : m_entries)
    if (entry.dock && entry.dockable && entry.id >= next &&
        entry.id < std::numeric_limits<int>::max())
      next = entry.id + 1;
  return next;
}

ITradeDockableWidget* CDockManager::createDock(const QString& key,
                                               mxservice::ENqTraderType tradeType, int id) {
  return createDockAt(key, tradeType, id,
                      ITradeDockableWidget::getDockWidgetInfo(key).defaultArea());
}

ITradeDockableWidget* CDockManager::createDockAt(const QString& key,
                                                 mxservice::ENqTraderType tradeType, int id,
                                                 Qt::DockWidgetArea area) {
  prune();
  if (!m_window) return nullptr;
  auto factory = m_factories.constFind(key);
  if (factory == m_factories.constEnd()) {
    GU_UI_LOG_WARN(this, "LW::CDockManager::createDock",
                   QStringLiteral("no panel factory for dock key %1").arg(key));
    return nullptr;
  }
  const CDockWidgetInfo info = ITradeDockableWidget::getDockWidgetInfo(key);
  if (!info.allowsMultiple()) {
    for (const Entry& entry : m_entries) {
      if (entry.key == key) {
        entry.dock->show();
        entry.dock->raise();
        return entry.dockable;
      }
    }
  }
  if (id < 0 || idInUse(id)) id = nextFreeId();

  auto* dock = new CDockWidget(m_window);
  dock->setObjectName(dockObjectName(key, id));
  dock->setWindowTitle(info.title());
  dock->setAllowedAreas(info.allowedAreas());
  QDockWidget::DockWidgetFeatures features = QDockWidget::DockWidgetMovable;
  if (info.isClosable()) features |= QDockWidget::DockWidgetClosable;
  if (info.isFloatable()) features |= QDockWidget::DockWidgetFloatable;
  dock->setFeatures(features);

  ITradeDockableWidget* panel = nullptr;
  try {
    panel = (*factory)(id, tradeType, dock);
  } catch (const std::exception& error) {
    GU_UI_LOG_ERROR(
        this, "LW::CDockManager::createDock",
        QStringLiteral("factory of %1 failed: %2").arg(key, QString::fromLocal8Bit(error.what())));
    panel = nullptr;
  }
  if (!panel) {
    GU_UI_LOG_WARN(this, "LW::CDockManager::createDock",
                   QStringLiteral("factory of %1 made no panel").arg(key));
    delete dock;
    return nullptr;
  }
  // The title the panel announced during construction (event 146) is on the
  // dock already; a panel that only set its window title gives it here.
  if (dock->windowTitle() == info.title() && !panel->windowTitle().isEmpty())
    dock->setWindowTitle(panel->windowTitle());
  dock->setWidget(panel);
  m_window->addDockWidget(isDockArea(area) ? area : info.defaultArea(), dock);
  m_entries.append({key, id, tradeType, dock, panel});
  return panel;
}

QList<ITradeDockableWidget*> CDockManager::dockables() const {
  QList<ITradeDockableWidget*> panels;
  for (const Entry& entry : m_entries)
    if (entry.dock && entry.dockable) panels.append(entry.dockable);
  return panels;
}

QDockWidget* CDockManager::dockOf(const ITradeDockableWidget* dockable) const {
  for (const Entry& entry : m_entries)
    if (entry.dockable == dockable && entry.dock) return entry.dock;
  return nullptr;
}

void CDockManager::removeAll() {
  for (const Entry& entry : m_entries) {
    if (!entry.dock) continue;
    if (m_window) m_window->removeDockWidget(entry.dock);
    delete entry.dock.data();
  }
  m_entries.clear();
}

bool CDockManager::saveLayout() {
  prune();
  if (!m_window) return false;
  QJsonArray docks;
  for (const Entry& entry : m_entries) {
    QJsonObject dock;
    dock.insert("key", entry.key);
    dock.insert("id", entry.id);
    const int shownType = static_cast<int>(entry.dockable->tradeType());
    dock.insert("tradeType", shownType != mxservice::NQ_TRADER_NONE
                                 ? shownType
                                 : static_cast<int>(entry.requestedType));
    dock.insert("param", entry.dockable->param());
    dock.insert("area", static_cast<int>(m_window->dockWidgetArea(entry.dock)));
    docks.append(dock);
  }
  QJsonObject root;
  root.insert("version", kFormatVersion);
  root.insert("docks", docks);
  root.insert("state", QString::fromLatin1(m_window->saveState(kFormatVersion).toBase64()));
  root.insert("geometry", QString::fromLatin1(m_window->saveGeometry().toBase64()));

  QSaveFile file(m_settingsFile);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(QJsonDocument(root).toJson(QJsonDocument::Indented)) < 0 || !file.commit()) {
    GU_UI_LOG_ERROR(this, "LW::CDockManager::saveLayout",
                    QStringLiteral("cannot write %1: %2").arg(m_settingsFile, file.errorString()));
    return false;
  }
  emit sigLayoutSaved(m_settingsFile);
  return true;
}

void CDockManager::applyDefaultLayout() {
  removeAll();
  if (!m_defaultLayout.empty()) m_defaultLayout(this);
}

bool CDockManager::restoreLayout() {
  if (!m_window) return false;
  auto unusable = [this](const QString& why) {
    GU_UI_LOG_WARN(this, "LW::CDockManager::restoreLayout",
                   QStringLiteral("%1: %2; default layout").arg(m_settingsFile, why));
    applyDefaultLayout();
    return false;
  };

  QFile file(m_settingsFile);
  if (!file.exists()) {
    applyDefaultLayout();  // first start: nothing to report
    return false;
  }
  if (!file.open(QIODevice::ReadOnly)) return unusable(file.errorString());
  if (file.size() > kMaxSettingsBytes) return unusable(QStringLiteral("file too large"));
  const QByteArray bytes = file.read(kMaxSettingsBytes + 1);
  QJsonParseError parseError;
  const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
  if (parseError.error != QJsonParseError::NoError || !document.isObject())
    return unusable(QStringLiteral("not a layout document (%1)").arg(parseError.errorString()));
  const QJsonObject root = document.object();
  bool ok = false;
  if (jsonInt(root.value("version"), &ok) != kFormatVersion || !ok)
    return unusable(QStringLiteral("unknown format version"));
  if (!root.value("docks").isArray()) return unusable(QStringLiteral("no dock list"));

  struct Saved {
    QString key;
    int id;
    mxservice::ENqTraderType tradeType;
    QString param;
    Qt::DockWidgetArea area;
  };
  QList<Saved> saved;
  QSet<int> ids;
  QSet<QString> singleKeys;  // keys that allow one dock, already taken
  const QJsonArray docks = root.value("docks").toArray();
  for (int i = 0; i < docks.size(); ++i) {
    const QJsonObject dock = docks.at(i).toObject();
    bool idOk = false, typeOk = false, areaOk = false;
    const QString key = dock.value("key").toString();
    const int id = jsonInt(dock.value("id"), &idOk);
    const int tradeType = jsonInt(dock.value("tradeType"), &typeOk);
    const int area = jsonInt(dock.value("area"), &areaOk);
    const QJsonValue param = dock.value("param");
    QString why;
    if (key.isEmpty() || !idOk || id < 0 || !typeOk || !(param.isString() || param.isUndefined()))
      why = QStringLiteral("malformed");
    else if (!m_factories.contains(key))
      why = QStringLiteral("no factory for key %1").arg(key);
    else if (ids.contains(id))
      why = QStringLiteral("duplicate id %1").arg(id);
    else if (singleKeys.contains(key))
      why = QStringLiteral("second dock of single-dock key %1").arg(key);
    if (!why.isEmpty()) {
      GU_UI_LOG_WARN(this, "LW::CDockManager::restoreLayout",
                     QStringLiteral("dock entry %1 skipped: %2").arg(i).arg(why));
      continue;
    }
    ids.insert(id);
    if (!ITradeDockableWidget::getDockWidgetInfo(key).allowsMultiple()) singleKeys.insert(key);
    saved.append({key, id, static_cast<mxservice::ENqTraderType>(tradeType), param.toString(),
                  areaOk && isDockArea(area) ? static_cast<Qt::DockWidgetArea>(area)
                                             : Qt::NoDockWidgetArea});
  }
  if (saved.isEmpty()) return unusable(QStringLiteral("no usable dock"));

  removeAll();
  int made = 0;
  for (const Saved& entry : saved) {
    ITradeDockableWidget* panel = createDockAt(entry.key, entry.tradeType, entry.id, entry.area);
    if (!panel) continue;
    panel->setParam(entry.param);
    ++made;
  }
  if (made == 0) return unusable(QStringLiteral("no dock could be created"));

  const QByteArray geometry = QByteArray::fromBase64(root.value("geometry").toString().toLatin1());
  if (!geometry.isEmpty() && !m_window->restoreGeometry(geometry))
    GU_UI_LOG_WARN(this, "LW::CDockManager::restoreLayout",
                   QStringLiteral("window geometry refused; kept the current one"));
  const QByteArray state = QByteArray::fromBase64(root.value("state").toString().toLatin1());
  if (state.isEmpty() || !m_window->restoreState(state, kFormatVersion))
    GU_UI_LOG_WARN(this, "LW::CDockManager::restoreLayout",
                   QStringLiteral("window state refused; docks keep their saved areas"));
  return true;
}

bool CDockManager::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Close && watched == m_watched) saveLayout();
  return QObject::eventFilter(watched, event);
}

}  // namespace LW
