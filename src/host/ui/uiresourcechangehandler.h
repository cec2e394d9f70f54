#pragma once
// Receives the host's theme and scale changes. Widgets override what they
// need; the defaults do nothing.

namespace GU {

class CUiResourceChangeHandler {
public:
  virtual ~CUiResourceChangeHandler() = default;
  virtual void setFixFont(bool) {}
  virtual void setPopupStyle(bool) {}
  virtual void themeChanged() {}
  virtual void scaleChanged() {}
};

}  // namespace GU
