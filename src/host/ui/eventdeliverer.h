#pragma once
// Numbered events travel upwards from a widget to its ancestors.
//
// deliverEvent() offers the event to the nearest ancestor (by QObject parent)
// that is a CEventDeliverer; if that ancestor's handleEvent() returns false the
// event goes on to the next deliverer ancestor, until one consumes it or the
// top is reached. Ancestors that are not deliverers are skipped. The ids are
// listed in host/ui/eventids.h.
//
// GUI thread only.

#include "lwhost_ui_export.h"

#include <QString>

class QObject;
class QWidget;

namespace GU {

class LWHOST_UI_EXPORT CEventDeliverer {
public:
  virtual ~CEventDeliverer() = default;

  // Returns true when the event was consumed. The default consumes nothing.
  virtual bool handleEvent(int id, int wParam, int lParam, QString text, void* data);

  // Delivers to the ancestors of eventObject(); true when one consumed it.
  // data is owned by the sender and valid only during the call.
  bool deliverEvent(int id, int wParam, int lParam, QString text, void* data);

protected:
  // The QObject whose ancestors receive delivered events (the widget itself
  // for deliverer widgets); null for a deliverer without a place in a tree.
  virtual QObject* eventObject() { return nullptr; }
};

// A widget class W that is also an event deliverer.
template <typename W>
class CEventWidgetT : public W, public CEventDeliverer {
public:
  explicit CEventWidgetT(QWidget* parent = nullptr) : W(parent) {}

protected:
  QObject* eventObject() override { return this; }
};

}  // namespace GU
