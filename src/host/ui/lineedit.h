#pragma once
// A one-line text editor of the host framework.
//
// Events (host/ui/eventids.h), delivered to the ancestors with the edit's id
// as wParam: EVENT_EDIT_TEXT_CHANGED (168) after every user edit, with the new
// text; EVENT_EDIT_RETURN_PRESSED (101) on Enter, with the text. Both are
// delivered once Qt has finished handling the input event, so a handler may
// hide, reparent or deleteLater() the edit; deleting it outright is also
// survived, but leaves no edit to read afterwards.
//
// The empty hint is painted by the edit itself rather than through Qt's
// placeholder text, because the host lets the hint have its own font. The
// hint is also the edit's accessible description, unless one was set.
//
// GUI thread only.

#include "lwhost_ui_export.h"

#include "host/ui/eventdeliverer.h"

#include <QFont>
#include <QLineEdit>

namespace GU {

class LWHOST_UI_EXPORT CLineEdit : public CEventWidgetT<QLineEdit> {
  Q_OBJECT
public:
  CLineEdit(int id, QWidget* parent = nullptr);
  ~CLineEdit() override;

  int id() const { return m_id; }
  QString toString() const { return text(); }

  void setEmptyHintText(const QString& hint);
  QString emptyHintText() const { return m_hintText; }
  void setEmptyHintColor(const QString& colorKey);
  void setEmptyHintFont(const QString& fontKey);
  void setTextFontKey(const QString& fontKey);

protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void paintEvent(QPaintEvent* e) override;

  // Delivers with this edit's id as wParam; false when the edit was destroyed
  // during delivery (callers then must not touch members).
  bool deliverFromEdit(int eventId, const QString& text);
  // Delivers what the last input event left pending; may destroy this.
  void flushPendingEvents();

private slots:
  void slotTextEdited(const QString& text);

private:
  int m_id;
  QString m_hintText;
  QString m_hintColorKey;  // looked up when painting, so it follows the theme
  QFont m_hintFont;
  bool m_hintFontSet = false;
  // Set by textEdited while Qt is inside its own input handling; the
  // delivery waits until event() returns to us.
  bool m_editPending = false;
  bool m_returnPending = false;
  int m_eventDepth = 0;
};

}  // namespace GU
