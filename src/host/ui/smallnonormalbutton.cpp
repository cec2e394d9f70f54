#include "host/ui/smallnonormalbutton.h"

#include "host/ui/uiresource.h"

namespace GU {

CSmallNoNormalButton::CSmallNoNormalButton(int id, bool primary, QWidget* parent)
    : CEventWidgetT<QPushButton>(parent), m_id(id), m_primary(primary) {
  setFont(*CUiResource::instance()->getFont("fnt_default_normal"));
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::TabFocus);
  applyStyle();
  connect(this, SIGNAL(clicked()), this, SLOT(slotClicked()));
  connect(CUiResource::instance(), SIGNAL(sigThemeChanged(QString)), this,
          SLOT(slotThemeChanged()));
}

CSmallNoNormalButton::~CSmallNoNormalButton() = default;

QSize CSmallNoNormalButton::sizeHint() const {
  CUiResource* resource = CUiResource::instance();
  const int textWidth = fontMetrics().horizontalAdvance(text()) + 20;
  return QSize(qMax(resource->getSize("lw_siz_button_min_width"), textWidth),
               resource->getSize("lw_siz_button_height"));
}

void CSmallNoNormalButton::slotClicked() { deliverEvent(m_id, m_id, 0, text(), nullptr); }

void CSmallNoNormalButton::slotThemeChanged() { applyStyle(); }

void CSmallNoNormalButton::applyStyle() {
  CUiResource* resource = CUiResource::instance();
  auto color = [resource](const char* key) { return resource->getColor(key)->name(); };
  const QString background =
      m_primary ? color("clr_button_primary_background") : color("clr_button_background");
  const QString foreground =
      m_primary ? color("clr_button_primary_text") : color("clr_button_text");
  setStyleSheet(QStringLiteral("QPushButton { background: %1; color: %2; border: 1px solid %3;"
                               " border-radius: 3px; padding: 0 8px; }"
                               "QPushButton:hover { background: %4; }"
                               "QPushButton:pressed { background: %5; }"
                               "QPushButton:disabled { background: %6; color: %7; }")
                    .arg(background, foreground, color("clr_button_border"),
                         m_primary ? background : color("clr_button_background_hover"),
                         color("clr_button_background_pressed"),
                         color("clr_button_background_disabled"),
                         color("clr_button_text_disabled")));
}

}  // namespace GU
