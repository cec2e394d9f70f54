#include "host/ui/eventdeliverer.h"

#include <QObject>
#include <QPointer>

namespace GU {

bool CEventDeliverer::handleEvent(int, int, int, QString, void*) { return false; }

bool CEventDeliverer::deliverEvent(int id, int wParam, int lParam, QString text, void* data) {
  QObject* self = eventObject();
  if (!self) return false;
  // A handler may delete widgets above it (closing a dock, say); QPointer
  // stops the walk instead of touching a destroyed ancestor.
  QPointer<QObject> current = self->parent();
  while (current) {
    if (auto* deliverer = dynamic_cast<CEventDeliverer*>(current.data())) {
      QPointer<QObject> next = current->parent();
      if (deliverer->handleEvent(id, wParam, lParam, text, data)) return true;
      current = next;
    } else {
      current = current->parent();
    }
  }
  return false;
}

}  // namespace GU
