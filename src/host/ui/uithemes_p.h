#pragma once
// The built-in themes of the UI resource: one colour table per theme, all
// under the same keys, and the Qt palette a theme gives the application's
// standard widgets. Internal to the UI framework (CUiResource).
//
// Plain constant data and pure functions: any thread.

#include <QColor>
#include <QPalette>
#include <QString>
#include <functional>
#include <vector>

namespace GU {
namespace theme {

struct SColorEntry {
  const char* key;
  const char* value;  // "#rrggbb"
};

struct STheme {
  const char* name;
  // False for the default theme: it leaves the application's palette as the
  // platform made it, so a host that never switches looks as it always did.
  bool setsApplicationPalette;
  const SColorEntry* colors;
  int colorCount;
};

// Every theme, the default ("light") first. Each defines exactly the same
// colour keys (the unit tests hold them to it).
const std::vector<STheme>& builtInThemes();

// The palette a theme gives Qt's own widgets (headers, scroll bars, menus,
// docks, line edits), made from its colour keys. color(key) returns the
// theme's colour of key.
QPalette applicationPalette(const std::function<QColor(const char*)>& color);

}  // namespace theme
}  // namespace GU
