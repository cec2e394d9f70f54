#pragma once
// The demo's "主题" (theme) menu: one checkable entry per built-in theme of
// the UI resource. Choosing one switches the theme at once (the panels
// repaint, nothing reloads) and, unless the run is to leave no trace,
// remembers it in the demo's settings file for the next start.
//
// The settings file is an INI file beside the dock layout file (so a test
// that points --settings at a temporary folder keeps the theme there too),
// key "ui/theme".
//
// GUI thread only. Owned by its Qt parent (the window).

#include <QObject>
#include <QString>

class QActionGroup;
class QMenu;

namespace demo {

class CDemoThemeMenu : public QObject {
  Q_OBJECT
public:
  // settingsFile: the INI file (created on the first choice). persist: false
  // for runs that must not write anything (screenshots).
  CDemoThemeMenu(const QString& settingsFile, bool persist, QObject* parent = nullptr);
  ~CDemoThemeMenu() override;

  // Adds the entries to menu (the caller keeps the menu).
  void populate(QMenu* menu);

  // The theme the settings file remembers; empty when none (or no file).
  static QString savedTheme(const QString& settingsFile);
  // The INI file beside layoutFile.
  static QString settingsFileBeside(const QString& layoutFile);

private slots:
  void slotChoose();
  void slotThemeChanged(QString theme);

private:
  QString m_settingsFile;
  bool m_persist;
  QActionGroup* m_group;  // Qt child
};

}  // namespace demo
