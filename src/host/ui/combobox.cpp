#include "host/ui/combobox.h"

#include "host/ui/eventids.h"
#include "host/ui/uiresource.h"

namespace GU {

CComboBox::CComboBox(int id, QWidget* parent) : CEventWidgetT<QComboBox>(parent), m_id(id) {
  setFont(*CUiResource::instance()->getFont("fnt_default_normal"));
  connect(this, SIGNAL(currentIndexChanged(int)), this, SLOT(slotCurrentIndexChanged(int)));
}

CComboBox::~CComboBox() = default;

void CComboBox::setTextFontKey(const QString& fontKey) {
  setFont(*CUiResource::instance()->getFont(fontKey));
}

void CComboBox::slotCurrentIndexChanged(int index) {
  if (index < 0) return;
  // Filling an empty combo box makes item 0 current: the owner hears of its
  // first item too, which keeps a mode switch driven by 72 in step.
  deliverEvent(EVENT_COMBO_CURRENT_CHANGED, index, m_id, itemText(index), nullptr);
}

}  // namespace GU
