#pragma once
// The base of every host framework widget: a QWidget that delivers and
// handles numbered events and follows theme changes: when the UI resource
// switches theme it calls themeChanged() (CUiResourceChangeHandler) and
// repaints the widget.

#include "lwhost_ui_export.h"

#include "host/ui/eventdeliverer.h"
#include "host/ui/uiresourcechangehandler.h"

#include <QWidget>

namespace GU {

class LWHOST_UI_EXPORT CBaseWidget : public CEventWidgetT<QWidget>,
                                     public CUiResourceChangeHandler {
  Q_OBJECT
public:
  explicit CBaseWidget(QWidget* parent = nullptr);
  ~CBaseWidget() override;

  bool handleEvent(int id, int wParam, int lParam, QString text, void* data) override;

private slots:
  void slotUiThemeChanged();
};

}  // namespace GU
