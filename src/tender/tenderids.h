#pragma once
// The numbers a bond-tender table shares between the tender workflow, the
// panel that shows it and the host: the columns of the workflow, the ids of
// the row action buttons and the user types that change what a tender panel
// offers. Defined here once; the host framework delivers the button ids back
// with event 228.

namespace LW {

// Column 3 "操作" holds a tender row's action buttons (a multi-button
// delegate the panel installs); columns 3 to 8 are the workflow columns:
// actions, status and the three amounts.
constexpr int kTenderActionColumn = 3;
constexpr int kTenderFirstWorkflowColumn = 3;
constexpr int kTenderLastWorkflowColumn = 8;

// The action buttons of a tender row.
enum ETenderButtonId {
  TENDER_BUTTON_REVOKE = 16,  // "撤销"
  TENDER_BUTTON_LOCK = 26,    // "锁定"
  TENDER_BUTTON_UNLOCK = 27,  // "解锁"
};

// User types of the host's user configuration (CUserConfig::userType()).
// 101 and 102 view the tender list without taking part in the bidding: their
// panels show no workflow columns.
constexpr int kTenderViewerUserTypeA = 101;
constexpr int kTenderViewerUserTypeB = 102;
// The one user type that reports internal amounts, and so the only one that
// gets the search filter for bonds carrying one.
constexpr int kInternalReportUserType = 200;

constexpr bool isTenderViewerUserType(int userType) {
  return userType == kTenderViewerUserTypeA || userType == kTenderViewerUserTypeB;
}

}  // namespace LW
