#pragma once
// A check box of the host framework with themed text (its colour key follows
// theme switches). It delivers no event of its own: the owner reads
// isChecked() when it needs the state (or connects to QCheckBox::toggled).
//
// GUI thread only.

#include "lwhost_ui_export.h"

#include "host/ui/eventdeliverer.h"

#include <QCheckBox>

namespace GU {

class LWHOST_UI_EXPORT CCheckBox : public CEventWidgetT<QCheckBox> {
  Q_OBJECT
public:
  CCheckBox(int id, const QString& text, QWidget* parent = nullptr);
  ~CCheckBox() override;

  int id() const { return m_id; }
  void setTextColorKey(const QString& colorKey);
  void setTextFontKey(const QString& fontKey);

private slots:
  void slotThemeChanged();

private:
  void applyTextColor();

  int m_id;
  QString m_textColorKey;
};

}  // namespace GU
