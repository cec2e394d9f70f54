#include "host/ui/checkbox.h"

#include "host/ui/uiresource.h"

namespace GU {

CCheckBox::CCheckBox(int id, const QString& text, QWidget* parent)
    : CEventWidgetT<QCheckBox>(parent), m_id(id) {
  setText(text);
  setFont(*CUiResource::instance()->getFont("fnt_default_normal"));
  setTextColorKey(QStringLiteral("clr_text_default"));
  connect(CUiResource::instance(), SIGNAL(sigThemeChanged(QString)), this,
          SLOT(slotThemeChanged()));
}

CCheckBox::~CCheckBox() = default;

void CCheckBox::setTextColorKey(const QString& colorKey) {
  m_textColorKey = colorKey;
  applyTextColor();
}

void CCheckBox::applyTextColor() {
  const QColor color = *CUiResource::instance()->getColor(m_textColorKey);
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, color);
  palette.setColor(QPalette::ButtonText, color);
  setPalette(palette);
}

void CCheckBox::slotThemeChanged() { applyTextColor(); }

void CCheckBox::setTextFontKey(const QString& fontKey) {
  setFont(*CUiResource::instance()->getFont(fontKey));
}

}  // namespace GU
