#include "host/ui/checkbox.h"

#include "host/ui/uiresource.h"

namespace GU {

CCheckBox::CCheckBox(int id, const QString& text, QWidget* parent)
    : CEventWidgetT<QCheckBox>(parent), m_id(id) {
  setText(text);
  setFont(*CUiResource::instance()->getFont("fnt_default_normal"));
  setTextColorKey(QStringLiteral("clr_text_default"));
}

CCheckBox::~CCheckBox() = default;

void CCheckBox::setTextColorKey(const QString& colorKey) {
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, *CUiResource::instance()->getColor(colorKey));
  palette.setColor(QPalette::ButtonText, *CUiResource::instance()->getColor(colorKey));
  setPalette(palette);
}

void CCheckBox::setTextFontKey(const QString& fontKey) {
  setFont(*CUiResource::instance()->getFont(fontKey));
}

}  // namespace GU
