#pragma once
// UI resources by key: colours ("clr_"), fonts ("fnt_"), pixmaps ("img_" and
// "lw_img_") and sizes ("lw_siz_"). An unknown key yields a safe default
// (never null) and logs one line the first time that key is asked for.
//
// Themes. Two complete colour palettes are built in, "light" (the default,
// the colours this framework has always drawn with) and "dark", under the
// same keys; pixmaps are painted in the colours of the theme. setTheme()
// switches at run time and emits sigThemeChanged(). The dark theme also gives
// the application's standard widgets (headers, scroll bars, menus, docks) a
// palette made from its colours; switching back to "light" restores the
// palette the application had before, so a host that never switches looks as
// it always did. Widgets that look colours and pixmaps up when they paint
// follow a switch with the repaint the palette change brings; widgets that
// keep a colour connect to sigThemeChanged() (the framework's own widgets do).
//
// Returned pointers are owned by the resource cache and stay valid for the
// process's lifetime; the objects they point to never change. After a theme
// switch a lookup returns another object (the new theme's), so code that
// keeps a pointer keeps the old colour: look up again when painting.
//
// High DPI. Pixmaps are painted for a device pixel ratio and cached per
// theme and ratio: getPixmap(key, ratio) has devicePixelRatio() == ratio and
// a device size of the logical size times ratio. getPixmap(key) paints for
// the application's ratio (the highest of its screens); a widget that knows
// its own passes devicePixelRatioF(), and pixmapForRatio() finds the right
// one for a pixmap obtained without a ratio (a table row's icon).
//
// Threads: instance() must first be called on the GUI thread after the
// QApplication exists (the host does so at start-up, before any worker runs).
// That first call paints every pixmap of the theme for the application's
// ratio, because QPixmap may only be created on the GUI thread; setTheme()
// paints the new theme's for every ratio painted so far. From then on every
// lookup may be made from any thread: colour, font and size tables are
// read-only after construction and the current theme is an atomic index; the
// pixmap cache and the set of already-logged unknown keys are guarded by the
// cache's mutex. A pixmap not yet painted, asked from a worker, is the same
// key's pixmap for the application's ratio, else the pre-made blank (an
// unknown key always gets the blank). If the first call comes from a worker
// anyway, the pixmaps are painted on the next GUI-thread getPixmap(); until
// then workers get the blank pixmap (or null when no QGuiApplication exists
// at all, since no QPixmap can exist without one). setTheme(), getIcon() and
// the signal belong to the GUI thread.
//
// Theme keys beyond those the panels name: table ("clr_table_header_background",
// "clr_table_header_text", "clr_table_header_border", "clr_table_grid",
// "clr_table_text", "clr_table_selection_background", "clr_table_selection_text",
// "clr_table_hover_background", "clr_table_sort_indicator", the cell buttons'
// "clr_table_button_*", "fnt_table_normal", "fnt_table_bold", "fnt_table_header",
// "lw_siz_table_row_height", "lw_siz_table_header_height", "lw_siz_table_icon",
// "img_table_sort_up", "img_table_sort_down"), buttons ("clr_button_background",
// "clr_button_background_hover", "clr_button_background_pressed",
// "clr_button_background_disabled", "clr_button_border", "clr_button_text",
// "clr_button_text_disabled", "clr_button_primary_background",
// "clr_button_primary_text", "lw_siz_button_height", "lw_siz_button_min_width"),
// icons ("clr_icon_*") and tag badges ("clr_badge_*"). keys() lists every one.

#include "lwhost_ui_export.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QObject>
#include <QPalette>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace GU {

class LWHOST_UI_EXPORT CUiResource : public QObject {
  Q_OBJECT
public:
  // The process-wide cache; created on the first call and never destroyed
  // (pixmaps must not outlive the QApplication's paint system teardown).
  static CUiResource* instance();

  // The current theme's colour of key.
  const QColor* getColor(const QString& key);
  const QFont* getFont(const QString& key);
  // key painted for the application's device pixel ratio.
  const QPixmap* getPixmap(const QString& key);
  // key painted for devicePixelRatio; a ratio that is not a positive number
  // counts as the application's, and ratios are kept to 0.25 .. 8.
  const QPixmap* getPixmap(const QString& key, qreal devicePixelRatio);
  // The picture of pixmap, a pointer this resource handed out, painted for
  // devicePixelRatio in the current theme. Any other pointer (null, a
  // host's own pixmap) comes back unchanged.
  const QPixmap* pixmapForRatio(const QPixmap* pixmap, qreal devicePixelRatio);
  // key as an icon holding its pixmaps for ratios 1 and 2 and the
  // application's, so Qt picks the sharp one for each screen. A null icon for
  // an unknown key. GUI thread only.
  QIcon getIcon(const QString& key);
  // Sizes are logical pixels. An unknown key gives 24, a usable control height.
  int getSize(const QString& key);

  // --- themes ---------------------------------------------------------------
  // The built-in themes: "light" (the default) and "dark".
  static QStringList themeNames();
  QString theme() const;
  // Switches to the theme named name (case and surrounding blanks ignored):
  // later lookups return its colours and pixmaps, the application palette
  // follows (see above) and sigThemeChanged(name) is emitted. Returns true
  // when name is a known theme (switching to the current one does nothing and
  // emits nothing). An unknown name leaves the current theme, logs a warning
  // and returns false. GUI thread only.
  bool setTheme(const QString& name);
  // The colour of key in the theme named theme, without switching; an
  // invalid colour for an unknown theme or key (and nothing is logged).
  QColor themeColor(const QString& theme, const QString& key) const;
  // The palette the theme gives the application's standard widgets; for the
  // light theme the palette the application had before the first switch
  // (QApplication::palette() while none has happened).
  QPalette themePalette(const QString& theme) const;
  // How much of the palette's highlight colour a table lays over a selected
  // row (out of 255), so the row's own background shows through.
  static constexpr int kTableSelectionAlpha = 70;

  // True when the theme defines key (of any kind); never logs.
  bool contains(const QString& key) const;
  // Every key of the theme, sorted.
  QStringList keys() const;
  // The unknown keys asked for so far, sorted; each was logged once.
  QStringList unknownKeys() const;

  ~CUiResource() override;

signals:
  // The theme changed to theme; emitted on the GUI thread after lookups
  // return the new colours and after the application palette has changed.
  void sigThemeChanged(QString theme);

private:
  CUiResource();
  CUiResource(const CUiResource&) = delete;
  CUiResource& operator=(const CUiResource&) = delete;

  struct Impl;
  Impl* m_impl;  // owned
};

}  // namespace GU
