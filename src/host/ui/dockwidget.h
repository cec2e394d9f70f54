#pragma once
// The dock the docking system puts each trade panel in. It takes the title a
// panel announces with EVENT_DOCK_TITLE_CHANGED (146) and asks the panel's
// canClose() before closing. It is destroyed when closed (the panel with it).
//
// GUI thread only.

#include "lwhost_ui_export.h"

#include "host/ui/eventdeliverer.h"

#include <QDockWidget>

namespace LW {

class ITradeDockableWidget;

class LWHOST_UI_EXPORT CDockWidget : public GU::CEventWidgetT<QDockWidget> {
  Q_OBJECT
public:
  explicit CDockWidget(QWidget* parent = nullptr);
  ~CDockWidget() override;

  // The panel inside, or null.
  ITradeDockableWidget* dockable() const;

  bool handleEvent(int id, int wParam, int lParam, QString text, void* data) override;

protected:
  void closeEvent(QCloseEvent* e) override;
};

}  // namespace LW
