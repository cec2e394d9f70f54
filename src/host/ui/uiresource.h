#pragma once
// UI resources by key: colours ("clr_"), fonts ("fnt_"), pixmaps ("img_" and
// "lw_img_") and sizes ("lw_siz_"). A complete default theme is built in; an
// unknown key yields a safe default (never null) and logs one line per key.
//
// Returned pointers are owned by the resource cache and stay valid for the
// process's lifetime. Lookups are thread-safe (rows ask for colours and icons
// on worker threads); pixmaps are created on first use on the GUI thread only
// (QPixmap is GUI-thread bound), so the default theme creates them at start.

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>

namespace GU {

class CUiResource {
public:
  static CUiResource* instance();

  const QColor* getColor(const QString& key);
  const QFont* getFont(const QString& key);
  const QPixmap* getPixmap(const QString& key);
  int getSize(const QString& key);

  virtual ~CUiResource();

private:
  CUiResource();
  struct Impl;
  Impl* m_impl;
};

}  // namespace GU
