#pragma once
// The host's docking system: it creates trade panels into docks of a main
// window, keeps the list of open docks, saves the window layout with every
// dock's key, id, trading type and settings text (param()) to a settings
// file when the window closes, and recreates the same docks at the next
// start, handing each its settings text back with setParam() before the
// window layout is restored.
//
// Settings file: a JSON document written atomically (QSaveFile), so a crash
// while saving leaves the previous file. On reading, an unreadable,
// truncated or malformed file gives the default layout; entries that are
// malformed, of a key without factory or with a duplicate id are skipped and
// the rest kept; a window state that Qt refuses leaves the recreated docks at
// their saved (or default) areas.
//
// GUI thread only. The manager must not outlive its window (it is a QObject
// child of the window unless given another parent).

#include "lwhost_ui_export.h"

#include "host/core/tradertypes.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <boost/function.hpp>

class QDockWidget;
class QMainWindow;

namespace LW {

class CDockWidget;
class ITradeDockableWidget;

class LWHOST_UI_EXPORT CDockManager : public QObject {
  Q_OBJECT
public:
  // Builds the panel of a dock key. parent is the dock the panel will live
  // in; pass it to the panel's constructor so that the title event of its
  // construction reaches the dock. Returns null on failure.
  typedef boost::function<ITradeDockableWidget*(int id, mxservice::ENqTraderType tradeType,
                                                QWidget* parent)>
      DockFactory;
  // Builds the layout of a first start or of an unusable settings file.
  typedef boost::function<void(CDockManager*)> DefaultLayout;

  // window: not owned; the manager watches its close to save the layout.
  CDockManager(QMainWindow* window, const QString& settingsFile, QObject* parent = nullptr);
  ~CDockManager() override;

  void registerFactory(const QString& key, const DockFactory& factory);
  bool hasFactory(const QString& key) const;
  void setDefaultLayout(const DefaultLayout& layout);

  // Creates a panel of key in a new dock at the key's default area. id -1
  // (or an id already in use) takes the next free id. For a key that allows
  // one dock only, an open dock of that key is raised and its panel returned.
  // Returns null (and logs) when key has no factory or the factory fails.
  ITradeDockableWidget* createDock(const QString& key,
                                   mxservice::ENqTraderType tradeType = mxservice::NQ_TRADER_NONE,
                                   int id = -1);

  // The open panels, in creation order.
  QList<ITradeDockableWidget*> dockables() const;
  QDockWidget* dockOf(const ITradeDockableWidget* dockable) const;
  // Closes every dock at once (no canClose() asked).
  void removeAll();

  QString settingsFile() const { return m_settingsFile; }
  // Saves now; false (logged) when the file could not be written.
  bool saveLayout();
  // Replaces the open docks by those of the settings file. Returns true when
  // at least one dock came from the file; otherwise the default layout was
  // built and false is returned.
  bool restoreLayout();

  // The mark written into every settings file; a file of another format
  // version is treated as unusable.
  static constexpr int kFormatVersion = 1;

signals:
  void sigLayoutSaved(QString file);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  struct Entry {
    QString key;
    int id;
    mxservice::ENqTraderType requestedType;
    QPointer<CDockWidget> dock;
    QPointer<ITradeDockableWidget> dockable;
  };

  ITradeDockableWidget* createDockAt(const QString& key, mxservice::ENqTraderType tradeType, int id,
                                     Qt::DockWidgetArea area);
  void prune();
  int nextFreeId() const;
  bool idInUse(int id) const;
  void applyDefaultLayout();
  static QString dockObjectName(const QString& key, int id);

  QPointer<QMainWindow> m_window;  // not owned
  // The same window as a plain QObject: the manager is usually destroyed
  // while the window is half destroyed, when it is no QMainWindow any more.
  QPointer<QObject> m_watched;
  QString m_settingsFile;
  QMap<QString, DockFactory> m_factories;
  DefaultLayout m_defaultLayout;
  QList<Entry> m_entries;  // creation order; docks closed by the user are pruned lazily
};

}  // namespace LW
