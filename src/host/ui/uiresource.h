#pragma once
// UI resources by key: colours ("clr_"), fonts ("fnt_"), pixmaps ("img_" and
// "lw_img_") and sizes ("lw_siz_"). A complete default (light) theme is built
// in; an unknown key yields a safe default (never null) and logs one line the
// first time that key is asked for.
//
// Returned pointers are owned by the resource cache and stay valid for the
// process's lifetime; the objects they point to never change, so callers may
// keep them.
//
// Threads: instance() must first be called on the GUI thread after the
// QApplication exists (the host does so at start-up, before any worker runs).
// That first call paints every pixmap of the theme, because QPixmap may only
// be created on the GUI thread. From then on every lookup may be made from any
// thread: colours, fonts and sizes are read-only after construction, and the
// pixmap table and the set of already-logged unknown keys are guarded by the
// cache's mutex. An unknown pixmap key asked from a worker thread gets the
// pre-made blank pixmap. If the first call comes from a worker anyway, the
// pixmaps are painted on the next GUI-thread getPixmap(); until then workers
// get the blank pixmap (or null when no QGuiApplication exists at all, since
// no QPixmap can exist without one).
//
// Theme keys beyond those the panels name: table ("clr_table_header_background",
// "clr_table_header_text", "clr_table_header_border", "clr_table_grid",
// "clr_table_text", "clr_table_selection_background", "clr_table_selection_text",
// "clr_table_hover_background", "clr_table_sort_indicator", "fnt_table_normal",
// "fnt_table_bold", "fnt_table_header", "lw_siz_table_row_height",
// "lw_siz_table_header_height", "lw_siz_table_icon", "img_table_sort_up",
// "img_table_sort_down") and buttons ("clr_button_background",
// "clr_button_background_hover", "clr_button_background_pressed",
// "clr_button_background_disabled", "clr_button_border", "clr_button_text",
// "clr_button_text_disabled", "clr_button_primary_background",
// "clr_button_primary_text", "lw_siz_button_height", "lw_siz_button_min_width").
// keys() lists every one.

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace GU {

class CUiResource {
public:
  // The process-wide cache; created on the first call and never destroyed
  // (pixmaps must not outlive the QApplication's paint system teardown).
  static CUiResource* instance();

  const QColor* getColor(const QString& key);
  const QFont* getFont(const QString& key);
  const QPixmap* getPixmap(const QString& key);
  // Sizes are logical pixels. An unknown key gives 24, a usable control height.
  int getSize(const QString& key);

  // True when the theme defines key (of any kind); never logs.
  bool contains(const QString& key) const;
  // Every key of the theme, sorted.
  QStringList keys() const;
  // The unknown keys asked for so far, sorted; each was logged once.
  QStringList unknownKeys() const;

  virtual ~CUiResource();

private:
  CUiResource();
  CUiResource(const CUiResource&) = delete;
  CUiResource& operator=(const CUiResource&) = delete;

  struct Impl;
  Impl* m_impl;  // owned
};

}  // namespace GU
