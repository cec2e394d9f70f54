#include "host/ui/simpletextwidget.h"

#include "host/ui/uiresource.h"

namespace GU {

CSimpleTextWidget::CSimpleTextWidget(const QString& text, QWidget* parent)
    : CEventWidgetT<QLabel>(parent) {
  // Plain text: a name from the data centre must never be read as markup.
  setTextFormat(Qt::PlainText);
  setText(text);
  setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
  setFont(*CUiResource::instance()->getFont("fnt_default_normal"));
  setTextColorKey(QStringLiteral("clr_text_default"));
  connect(CUiResource::instance(), SIGNAL(sigThemeChanged(QString)), this,
          SLOT(slotThemeChanged()));
}

CSimpleTextWidget::~CSimpleTextWidget() = default;

void CSimpleTextWidget::setFontKey(const QString& fontKey) {
  setFont(*CUiResource::instance()->getFont(fontKey));
}

void CSimpleTextWidget::setTextColorKey(const QString& colorKey) {
  m_textColorKey = colorKey;
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, *CUiResource::instance()->getColor(colorKey));
  setPalette(palette);
}

void CSimpleTextWidget::slotThemeChanged() { setTextColorKey(m_textColorKey); }

}  // namespace GU
