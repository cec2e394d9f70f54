#pragma once
// The search field of the host framework: a CLineEdit with an optional input
// pattern and a clear button. Its accessible name is "搜索" (search) unless
// the owner gives another; the icons follow theme switches.
//
// Events (host/ui/eventids.h), wParam = the edit's id: EVENT_EDIT_TEXT_CHANGED
// (168) after each user edit; EVENT_EDIT_RETURN_PRESSED (101) on Enter;
// EVENT_EDIT_CLEARED (102) when the clear button or Escape emptied the field,
// followed by 168 with the empty text when no ancestor consumed 102. The
// clear events are delivered from the event loop right after the click,
// never from inside the clear button's own mouse handling.
//
// GUI thread only.

#include "lwhost_ui_export.h"

#include "host/ui/lineedit.h"

class QAction;
class QRegularExpressionValidator;

namespace GU {

class LWHOST_UI_EXPORT CSearchTextLineEdit : public CLineEdit {
  Q_OBJECT
public:
  // showSearchIcon: a magnifier at the left of the text.
  CSearchTextLineEdit(int id, QWidget* parent = nullptr, bool showSearchIcon = false);
  ~CSearchTextLineEdit() override;

  void setLineEditFrame(bool frame);
  bool lineEditFrame() const { return hasFrame(); }

  // Restricts what can be typed or pasted: the whole text must match pattern
  // (a Perl-compatible expression, anchored at both ends) or be a prefix of a
  // possible match. An empty pattern lifts the restriction; an invalid one
  // is logged and lifts it too, rather than blocking all input. Text already
  // in the field is left as it is.
  void setRegExp(const QString& pattern);
  QString regExp() const { return m_pattern; }

  QString getText() const { return text(); }

  // The clear button's action (visible only while there is text); for tests
  // and for hosts that add it to a menu.
  QAction* clearAction() const { return m_clearAction; }

protected:
  void keyPressEvent(QKeyEvent* e) override;

private slots:
  void slotClearTriggered();
  void slotDeliverCleared();
  void slotUpdateClearButton(const QString& text);
  void slotThemeChanged();

private:
  QAction* m_clearAction;                    // owned by this edit (Qt parent)
  QAction* m_searchAction = nullptr;         // owned by this edit; null without the icon
  QRegularExpressionValidator* m_validator;  // owned by this edit (Qt parent)
  QString m_pattern;
  bool m_clearQueued = false;
};

}  // namespace GU
