#pragma once
// A one-line label of the host framework with themed font and colour (the
// colour key follows theme switches). It delivers no events; it is a
// deliverer so that it can sit anywhere in a framework widget tree.
//
// GUI thread only.

#include "lwhost_ui_export.h"

#include "host/ui/eventdeliverer.h"

#include <QLabel>

namespace GU {

class LWHOST_UI_EXPORT CSimpleTextWidget : public CEventWidgetT<QLabel> {
  Q_OBJECT
public:
  CSimpleTextWidget(const QString& text, QWidget* parent = nullptr);
  ~CSimpleTextWidget() override;

  void setFontKey(const QString& fontKey);
  void setTextColorKey(const QString& colorKey);

private slots:
  void slotThemeChanged();

private:
  QString m_textColorKey;
};

}  // namespace GU
