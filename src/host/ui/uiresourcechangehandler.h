#pragma once

#include "lwhost_ui_export.h"
// Receives the host's theme and scale changes. Widgets override what they
// need; the defaults do nothing.

namespace GU {

class LWHOST_UI_EXPORT CUiResourceChangeHandler {
public:
  virtual ~CUiResourceChangeHandler() = default;
  virtual void setFixFont(bool) {}
  virtual void setPopupStyle(bool) {}
  virtual void themeChanged() {}
  virtual void scaleChanged() {}
};

}  // namespace GU
