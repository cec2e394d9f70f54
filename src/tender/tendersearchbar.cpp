// The tender search bar of a bond-tender panel: a field selector, a date
// range or a text, an optional internal-amount check box and the query
// button. The bar keeps no query state: every search reads the widgets
// afresh and hands a copy to the model, whose worker rebuilds the list.

#include "host/services/usermanager.h"
#include "host/ui/autoexpandtoolbar.h"
#include "host/ui/checkbox.h"
#include "host/ui/combobox.h"
#include "host/ui/lineedit.h"
#include "host/ui/messagetip.h"
#include "host/ui/simpletextwidget.h"
#include "host/ui/smallnonormalbutton.h"
#include "host/ui/softcalendarlineedit.h"
#include "host/ui/uiresource.h"
#include "model/instrumentmodel.h"
#include "panel/hpfinstable.h"
#include "panel/instrumentspanel.h"
#include "tender/tendersearchquery.h"

#include <QSignalBlocker>
#include <QStringList>
#include <QVBoxLayout>

namespace LW {

namespace {

const char* const kBarFontKey = "fnt_default_normal_fix";
const char* const kDateFormat = "yyyyMMdd";

// Only this user type reports internal amounts, so only it gets the filter
// for bonds that carry one.
const int kInternalReportUserType = 200;

QString barFont() { return QString::fromLatin1(kBarFontKey); }

void setUpDateEdit(GU::CSoftCalendarLineEdit* edit, const QDate& date) {
  edit->setTextFontKey(barFont());
  GU::CUiResource* resource = GU::CUiResource::instance();
  edit->resize(resource->getSize(QStringLiteral("lw_siz_setting_accounts_item_width")),
               resource->getSize(QStringLiteral("lw_siz_setting_accounts_item_height")));
  edit->setDate(date);
  edit->setReadOnly(false);
  edit->setInputMask(QStringLiteral("0000-00-00"));
}

std::string utf8(const QString& text) { return text.toUtf8().toStdString(); }

std::string dateText(const GU::CSoftCalendarLineEdit* edit) {
  // An unreadable date gives the empty text, which no stored date lies
  // between, so such a search lists nothing rather than everything.
  return edit ? utf8(edit->getDateTime().toString(QString::fromLatin1(kDateFormat)))
              : std::string();
}

}  // namespace

void CInstrumentsPanel::createBondTenderSearchUi(QVBoxLayout* layout,
                                                 GU::CAutoExpandToolBar* toolbar) {
  if (!layout || !toolbar) return;

  auto* queryLabel = new GU::CSimpleTextWidget(QStringLiteral("查询: "), toolbar);
  queryLabel->setFontKey(barFont());
  toolbar->addToolItem(queryLabel, false);

  searchFieldCombo = new GU::CComboBox(0, toolbar);
  QStringList fields;
  for (int i = 0; i < kTenderSearchFieldCount; ++i) {
    fields << QString::fromUtf8(tenderSearchFieldText(i));
  }
  {
    // Filling the box makes its first item current, which would deliver a
    // mode switch to this panel while the rest of the bar does not exist
    // yet. The bar starts in date mode by construction instead.
    const QSignalBlocker blocker(searchFieldCombo);
    searchFieldCombo->addItems(fields);
    searchFieldCombo->setCurrentText(QString::fromUtf8(tenderSearchFieldText(0)));
  }
  toolbar->addToolItem(searchFieldCombo, false);

  startTimeLabel = new GU::CSimpleTextWidget(QStringLiteral("开始时间"), toolbar);
  startTimeLabel->setFontKey(barFont());
  toolbar->addToolItem(startTimeLabel, false);

  // Taken once so that both editors show the same day even across midnight.
  const QDate today = QDate::currentDate();

  startDateEdit = new GU::CSoftCalendarLineEdit(1, toolbar);
  setUpDateEdit(startDateEdit, today);
  toolbar->addToolItem(startDateEdit, false);

  endTimeLabel = new GU::CSimpleTextWidget(QStringLiteral("结束时间"), toolbar);
  endTimeLabel->setFontKey(barFont());
  toolbar->addToolItem(endTimeLabel, false);

  endDateEdit = new GU::CSoftCalendarLineEdit(2, toolbar);
  setUpDateEdit(endDateEdit, today);
  toolbar->addToolItem(endDateEdit, false);

  searchTextEdit = new GU::CLineEdit(4, toolbar);
  searchTextEdit->setEmptyHintText(QStringLiteral("请输入内容, 按Enter键查询"));
  searchTextEdit->setTextFontKey(barFont());
  searchTextEdit->setEmptyHintFont(barFont());
  searchTextEdit->setEmptyHintColor(QStringLiteral("clr_disable_color"));
  searchTextEdit->setFixedSize(160, 22);
  searchTextEdit->hide();
  toolbar->addToolItem(searchTextEdit, false);

  if (getUserConfig()->userType() == kInternalReportUserType) {
    internalOnlyCheck = new GU::CCheckBox(3, QStringLiteral("仅显示有内部报量债券"), toolbar);
    internalOnlyCheck->setTextColorKey(QStringLiteral("clr_text_default"));
    internalOnlyCheck->setTextFontKey(barFont());
    internalOnlyCheck->setFixedSize(150, 24);
    toolbar->addFixedSpace(3);
    toolbar->addToolItem(internalOnlyCheck, false);
  }

  queryButton = new GU::CSmallNoNormalButton(5, false, toolbar);
  queryButton->setText(QStringLiteral("查询"));
  toolbar->addFixedSpace(3);
  toolbar->addToolItem(queryButton, false);

  layout->addWidget(toolbar, 0);
}

bool CInstrumentsPanel::isSearchDateTypeColumn(std::string field) {
  const int index = tenderSearchFieldIndex(field);
  return index >= 0 && index < kTenderDateFieldCount;
}

void CInstrumentsPanel::refreshDateTypeSearchUi() {
  if (startTimeLabel) startTimeLabel->show();
  if (endTimeLabel) endTimeLabel->show();
  if (startDateEdit) startDateEdit->show();
  if (endDateEdit) endDateEdit->show();
  if (searchTextEdit) searchTextEdit->hide();
}

void CInstrumentsPanel::refreshOtherTypeSearchUi() {
  if (startTimeLabel) startTimeLabel->hide();
  if (endTimeLabel) endTimeLabel->hide();
  if (startDateEdit) startDateEdit->hide();
  if (endDateEdit) endDateEdit->hide();
  if (searchTextEdit) searchTextEdit->show();
}

bool CInstrumentsPanel::testHintDate() {
  // "Shown" is "not hidden by the mode switch": the panel itself may not be
  // on screen yet (or be in a hidden dock), and the check must still apply.
  if (!startDateEdit || !endDateEdit || startDateEdit->isHidden() || endDateEdit->isHidden()) {
    return true;
  }
  const QDate start = startDateEdit->getDate();
  const QDate end = endDateEdit->getDate();
  if (start.isValid() && end.isValid() && start.daysTo(end) >= 0) return true;

  // ALIGN_LEFT | ALIGN_BOTTOM (65): under the end-date editor.
  GU::CMessageTip::showTip(endDateEdit, QFlags<GU::EAlign>(GU::ALIGN_LEFT | GU::ALIGN_BOTTOM),
                           tr("查询开始时间和结束时间设置有误"), 2, mxservice::MSG_LEVEL_ERROR,
                           300);
  return false;
}

void CInstrumentsPanel::handleBondTenderSearchOperation() {
  const std::string field =
      searchFieldCombo ? utf8(searchFieldCombo->currentText()) : std::string();
  const bool isDateField = isSearchDateTypeColumn(field);
  const std::string startDate = dateText(startDateEdit);
  const std::string endDate = dateText(endDateEdit);
  const bool internalOnly = internalOnlyCheck && internalOnlyCheck->isChecked();
  const std::string text = searchTextEdit ? utf8(searchTextEdit->toString()) : std::string();
  if (!m_table) return;
  m_table->model()->searchTenderBonds(isDateField, field, text, startDate, endDate, internalOnly);
}

}  // namespace LW
