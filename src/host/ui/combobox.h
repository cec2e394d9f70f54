#pragma once
// A combo box of the host framework. Every change of the current item (by the
// user or by the program, but never to "no item") delivers
// EVENT_COMBO_CURRENT_CHANGED (72) to the ancestors: wParam the new index,
// lParam the combo box id, text the new current text.
//
// GUI thread only.

#include "lwhost_ui_export.h"

#include "host/ui/eventdeliverer.h"

#include <QComboBox>

namespace GU {

class LWHOST_UI_EXPORT CComboBox : public CEventWidgetT<QComboBox> {
  Q_OBJECT
public:
  CComboBox(int id, QWidget* parent = nullptr);
  ~CComboBox() override;

  int id() const { return m_id; }
  void setTextFontKey(const QString& fontKey);

private slots:
  void slotCurrentIndexChanged(int index);

private:
  int m_id;
};

}  // namespace GU
