#include "host/ui/basewidget.h"

namespace GU {

CBaseWidget::CBaseWidget(QWidget* parent) : CEventWidgetT<QWidget>(parent) {}

CBaseWidget::~CBaseWidget() = default;

bool CBaseWidget::handleEvent(int id, int wParam, int lParam, QString text, void* data) {
  return CEventDeliverer::handleEvent(id, wParam, lParam, text, data);
}

}  // namespace GU
