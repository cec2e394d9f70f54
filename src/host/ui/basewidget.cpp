#include "host/ui/basewidget.h"

#include "host/ui/uiresource.h"

namespace GU {

CBaseWidget::CBaseWidget(QWidget* parent) : CEventWidgetT<QWidget>(parent) {
  connect(CUiResource::instance(), SIGNAL(sigThemeChanged(QString)), this,
          SLOT(slotUiThemeChanged()));
}

CBaseWidget::~CBaseWidget() = default;

bool CBaseWidget::handleEvent(int id, int wParam, int lParam, QString text, void* data) {
  return CEventDeliverer::handleEvent(id, wParam, lParam, text, data);
}

void CBaseWidget::slotUiThemeChanged() {
  themeChanged();
  // Children repaint with the application palette's change; this covers a
  // host that keeps its own palette.
  update();
}

}  // namespace GU
