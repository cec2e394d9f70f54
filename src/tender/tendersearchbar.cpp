#include "tender/tendersearchbar.h"

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
#include "tender/tenderids.h"

#include <QCoreApplication>
#include <QSignalBlocker>
#include <QStringList>
#include <QVBoxLayout>

namespace LW {

namespace {

const char* const kBarFontKey = "fnt_default_normal_fix";
const char* const kDateFormat = "yyyyMMdd";

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

void setShown(QWidget* widget, bool shown) {
  if (widget) widget->setVisible(shown);
}

}  // namespace

CTenderSearchBar::CTenderSearchBar(QObject* parent) : QObject(parent) {
  qRegisterMetaType<LW::TenderSearchQuery>("LW::TenderSearchQuery");
}

CTenderSearchBar::~CTenderSearchBar() = default;

void CTenderSearchBar::build(QVBoxLayout* layout, GU::CAutoExpandToolBar* toolbar) {
  if (!layout || !toolbar || m_searchFieldCombo) return;

  m_queryLabel = new GU::CSimpleTextWidget(tr("查询: "), toolbar);
  m_queryLabel->setFontKey(barFont());
  toolbar->addToolItem(m_queryLabel, false);

  m_searchFieldCombo = new GU::CComboBox(0, toolbar);
  QStringList fields;
  for (int i = 0; i < kTenderSearchFieldCount; ++i) {
    fields << tr(tenderSearchFieldText(i));
  }
  {
    // Filling the box makes its first item current, which would deliver a
    // mode switch to the panel while the rest of the bar does not exist yet.
    // The bar starts in date mode by construction instead.
    const QSignalBlocker blocker(m_searchFieldCombo);
    m_searchFieldCombo->addItems(fields);
    m_searchFieldCombo->setCurrentIndex(0);
  }
  toolbar->addToolItem(m_searchFieldCombo, false);

  m_startTimeLabel = new GU::CSimpleTextWidget(tr("开始时间"), toolbar);
  m_startTimeLabel->setFontKey(barFont());
  toolbar->addToolItem(m_startTimeLabel, false);

  // Taken once so that both editors show the same day even across midnight.
  const QDate today = QDate::currentDate();

  m_startDateEdit = new GU::CSoftCalendarLineEdit(1, toolbar);
  setUpDateEdit(m_startDateEdit, today);
  toolbar->addToolItem(m_startDateEdit, false);

  m_endTimeLabel = new GU::CSimpleTextWidget(tr("结束时间"), toolbar);
  m_endTimeLabel->setFontKey(barFont());
  toolbar->addToolItem(m_endTimeLabel, false);

  m_endDateEdit = new GU::CSoftCalendarLineEdit(2, toolbar);
  setUpDateEdit(m_endDateEdit, today);
  toolbar->addToolItem(m_endDateEdit, false);

  m_searchTextEdit = new GU::CLineEdit(4, toolbar);
  m_searchTextEdit->setEmptyHintText(tr("请输入内容, 按Enter键查询"));
  m_searchTextEdit->setTextFontKey(barFont());
  m_searchTextEdit->setEmptyHintFont(barFont());
  m_searchTextEdit->setEmptyHintColor(QStringLiteral("clr_disable_color"));
  m_searchTextEdit->setFixedSize(160, 22);
  m_searchTextEdit->hide();
  toolbar->addToolItem(m_searchTextEdit, false);

  if (getUserConfig()->userType() == kInternalReportUserType) {
    m_internalOnlyCheck = new GU::CCheckBox(3, tr("仅显示有内部报量债券"), toolbar);
    m_internalOnlyCheck->setTextColorKey(QStringLiteral("clr_text_default"));
    m_internalOnlyCheck->setTextFontKey(barFont());
    m_internalOnlyCheck->setFixedSize(150, 24);
    toolbar->addFixedSpace(3);
    toolbar->addToolItem(m_internalOnlyCheck, false);
  }

  m_queryButton = new GU::CSmallNoNormalButton(5, false, toolbar);
  m_queryButton->setText(tr("查询"));
  toolbar->addFixedSpace(3);
  toolbar->addToolItem(m_queryButton, false);

  layout->addWidget(toolbar, 0);
}

void CTenderSearchBar::retranslate() {
  if (!m_searchFieldCombo) return;
  m_queryLabel->setText(tr("查询: "));
  {
    // Renaming items changes no choice; the panel must not hear of one.
    const QSignalBlocker blocker(m_searchFieldCombo);
    for (int i = 0; i < kTenderSearchFieldCount && i < m_searchFieldCombo->count(); ++i) {
      m_searchFieldCombo->setItemText(i, tr(tenderSearchFieldText(i)));
    }
  }
  m_startTimeLabel->setText(tr("开始时间"));
  m_endTimeLabel->setText(tr("结束时间"));
  m_searchTextEdit->setEmptyHintText(tr("请输入内容, 按Enter键查询"));
  if (m_internalOnlyCheck) m_internalOnlyCheck->setText(tr("仅显示有内部报量债券"));
  m_queryButton->setText(tr("查询"));
}

TenderSearchQuery CTenderSearchBar::query() const {
  TenderSearchQuery query;
  query.field = chosenField();
  query.isDateField = isDateField(query.field);
  query.startDate = dateText(m_startDateEdit);
  query.endDate = dateText(m_endDateEdit);
  query.internalOnly = m_internalOnlyCheck && m_internalOnlyCheck->isChecked();
  query.text = m_searchTextEdit ? utf8(m_searchTextEdit->toString()) : std::string();
  return query;
}

bool CTenderSearchBar::isDateField(const std::string& field) {
  const int index = tenderSearchFieldIndex(field);
  return index >= 0 && index < kTenderDateFieldCount;
}

void CTenderSearchBar::showDateMode() {
  setShown(m_startTimeLabel, true);
  setShown(m_endTimeLabel, true);
  setShown(m_startDateEdit, true);
  setShown(m_endDateEdit, true);
  setShown(m_searchTextEdit, false);
}

void CTenderSearchBar::showTextMode() {
  setShown(m_startTimeLabel, false);
  setShown(m_endTimeLabel, false);
  setShown(m_startDateEdit, false);
  setShown(m_endDateEdit, false);
  setShown(m_searchTextEdit, true);
}

std::string CTenderSearchBar::chosenField() const {
  // The items show the fields in the user's language; a query names them by
  // their source text, whichever language is shown.
  return m_searchFieldCombo ? tenderSearchFieldText(m_searchFieldCombo->currentIndex())
                            : std::string();
}

void CTenderSearchBar::showModeOfChosenField() {
  if (isDateField(chosenField())) {
    showDateMode();
  } else {
    showTextMode();
  }
}

bool CTenderSearchBar::checkDateRange() {
  // "Shown" is "not hidden by the mode switch": the panel itself may not be
  // on screen yet (or be in a hidden dock), and the check must still apply.
  if (!m_startDateEdit || !m_endDateEdit || m_startDateEdit->isHidden() ||
      m_endDateEdit->isHidden()) {
    return true;
  }
  const QDate start = m_startDateEdit->getDate();
  const QDate end = m_endDateEdit->getDate();
  if (start.isValid() && end.isValid() && start.daysTo(end) >= 0) return true;

  // The text is the panel's to translate: its translations carry it.
  // ALIGN_LEFT | ALIGN_BOTTOM (65): under the end-date editor.
  GU::CMessageTip::showTip(
      m_endDateEdit, QFlags<GU::EAlign>(GU::ALIGN_LEFT | GU::ALIGN_BOTTOM),
      QCoreApplication::translate("LW::CInstrumentsPanel", "查询开始时间和结束时间设置有误"), 2,
      mxservice::MSG_LEVEL_ERROR, 300);
  return false;
}

void CTenderSearchBar::requestSearch() { emit sigSearchRequested(query()); }

}  // namespace LW
