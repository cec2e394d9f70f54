#pragma once
// What the docking system asks of a widget it docks: the settings text that
// is saved with the window layout and handed back at the next start.
//
// GUI thread only.

#include "lwhost_ui_export.h"

#include <QString>

namespace GU {

class LWHOST_UI_EXPORT IDockableWidget {
public:
  virtual ~IDockableWidget() = default;

  // The text returned by param() at the last save, given back after the
  // widget was recreated and before the window layout is restored. The text
  // may be anything a previous version saved, or garbage: implementations
  // must tolerate it.
  virtual void setParam(const QString& param) = 0;
  virtual QString param() const = 0;

  // Whether the user may close the dock now; asked before it closes.
  virtual bool canClose() const { return true; }
  // The dock holding the widget was brought to the front.
  virtual void dockActivated() {}
};

}  // namespace GU
