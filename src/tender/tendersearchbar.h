#pragma once
// The search bar of a bond-tender panel: a field selector, a date range (date
// mode) or a text editor (text mode), an internal-amount check box for the
// user type that reports internal amounts, and the query button. Exactly one
// mode is shown at a time, decided by the chosen field; the bar starts in
// date mode on the tender date, both dates today.
//
// The bar keeps no query state: query() reads the widgets afresh, and a
// search hands a copy to whoever listens to sigSearchRequested(), so the user
// may change the bar while a search runs. It never filters rows itself.
//
// The host framework delivers the widgets' events (5 query, 72 field chosen,
// 101 Enter) to the panel above the tool bar; the panel calls the bar's
// operations. Which user action raises which event is the framework's.
//
// Ownership: the widgets are Qt children of the tool bar given to build() and
// are never deleted by the bar; their accessors stay null until build() (the
// check box stays null unless the user type is 200). The bar object itself is
// owned by its Qt parent.
//
// Threads: GUI thread only.

#include "tender/tendersearchquery.h"

#include <QObject>
#include <string>

class QVBoxLayout;

namespace GU {
class CAutoExpandToolBar;
class CCheckBox;
class CComboBox;
class CLineEdit;
class CSimpleTextWidget;
class CSmallNoNormalButton;
class CSoftCalendarLineEdit;
}  // namespace GU

namespace LW {

class CTenderSearchBar : public QObject {
  Q_OBJECT

public:
  explicit CTenderSearchBar(QObject* parent = nullptr);
  ~CTenderSearchBar() override;

  // Builds the bar's widgets into toolbar, in the order the user reads them,
  // and adds toolbar to layout. Nothing when either is null or the bar is
  // built already.
  void build(QVBoxLayout* layout, GU::CAutoExpandToolBar* toolbar);

  // The search the widgets describe now; a missing widget counts as an empty
  // value (no field, no dates, no text, the check box off).
  TenderSearchQuery query() const;

  // True for the seven date items of the field selector ("招标日" to
  // "上市日"), compared byte for byte.
  static bool isDateField(const std::string& field);

  // Shows the date range and hides the text editor; and the reverse. Neither
  // searches nor clears an editor.
  void showDateMode();
  void showTextMode();
  // The mode of the field chosen in the selector (event 72).
  void showModeOfChosenField();

  // False, after showing the tip "查询开始时间和结束时间设置有误" at the
  // end-date editor, when the date range is shown and either date is invalid
  // or the start lies after the end. True otherwise, also in text mode: the
  // range is not used there.
  bool checkDateRange();

  // Sets every text of the bar again in the installed language (the panel
  // calls it on QEvent::LanguageChange). The chosen field, the dates and the
  // search text stay.
  void retranslate();

  // Emits sigSearchRequested() with the current query, without a date check
  // (the query button, and the searches the panel starts by itself).
  void requestSearch();

  // The widgets, for the panel that shows them and for tests.
  GU::CSimpleTextWidget* startTimeLabel() const { return m_startTimeLabel; }
  GU::CSimpleTextWidget* endTimeLabel() const { return m_endTimeLabel; }
  GU::CSoftCalendarLineEdit* startDateEdit() const { return m_startDateEdit; }
  GU::CSoftCalendarLineEdit* endDateEdit() const { return m_endDateEdit; }
  GU::CComboBox* searchFieldCombo() const { return m_searchFieldCombo; }
  GU::CCheckBox* internalOnlyCheck() const { return m_internalOnlyCheck; }
  GU::CLineEdit* searchTextEdit() const { return m_searchTextEdit; }
  GU::CSmallNoNormalButton* queryButton() const { return m_queryButton; }

signals:
  void sigSearchRequested(const LW::TenderSearchQuery& query);

private:
  // The chosen field's source text (UTF-8), "" when none.
  std::string chosenField() const;

  GU::CSimpleTextWidget* m_queryLabel = nullptr;
  GU::CSimpleTextWidget* m_startTimeLabel = nullptr;
  GU::CSimpleTextWidget* m_endTimeLabel = nullptr;
  GU::CSoftCalendarLineEdit* m_startDateEdit = nullptr;
  GU::CSoftCalendarLineEdit* m_endDateEdit = nullptr;
  GU::CComboBox* m_searchFieldCombo = nullptr;
  GU::CCheckBox* m_internalOnlyCheck = nullptr;
  GU::CLineEdit* m_searchTextEdit = nullptr;
  GU::CSmallNoNormalButton* m_queryButton = nullptr;
};

}  // namespace LW
