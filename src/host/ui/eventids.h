#pragma once
// Ids of the numbered events that widgets deliver to their ancestors
// (CEventDeliverer::deliverEvent). Every event carries (id, wParam, lParam,
// text, data); data is owned by the sender and valid only during delivery.
//
// A widget's own id (the int given to its constructor) travels in wParam for
// the edits, so that a parent with several edits can tell them apart.

namespace GU {

// A CSmallNoNormalButton delivers its own id as the event id when clicked;
// 5 is the id of the tender search bar's query button ("查询").
// wParam: the button id; lParam: 0; text: the button text.
constexpr int EVENT_QUERY_BUTTON_CLICKED = 5;

// The instrument table: a row of a tender list was clicked.
// wParam: 3 when the click was on column 3, else the table's own value;
// lParam: the row index; data: the table's click block (first int = column).
constexpr int EVENT_TABLE_TENDER_ROW_CLICKED = 43;

// CComboBox: the current item changed (by the user or by the program),
// never for "no current item".
// wParam: the new index; lParam: the combo box id; text: the new current text.
constexpr int EVENT_COMBO_CURRENT_CHANGED = 72;

// CLineEdit and its subclasses: Enter (Return or keypad Enter) was pressed.
// Delivered whatever the text, also when a validator or input mask would
// call it incomplete. wParam: the edit id; lParam: 0; text: the edit's text.
constexpr int EVENT_EDIT_RETURN_PRESSED = 101;

// CSearchTextLineEdit: the text was cleared with the clear button (or
// Escape). wParam: the edit id; lParam: 0; text: empty. When no ancestor
// consumes it, EVENT_EDIT_TEXT_CHANGED with the empty text follows, so a
// handler that only follows edits still sees the search go empty, and one
// that handles both reloads only once.
constexpr int EVENT_EDIT_CLEARED = 102;

// A dockable panel announces its title; the dock that holds it takes it as
// its window title. wParam, lParam: 0; text: the title; data: null.
constexpr int EVENT_DOCK_TITLE_CHANGED = 146;

// CLineEdit and its subclasses: the user changed the text (typing, paste,
// cut, undo, drop). Not sent for changes made by the program (setText).
// wParam: the edit id; lParam: 0; text: the new text.
constexpr int EVENT_EDIT_TEXT_CHANGED = 168;

// A button of a table's multi-button column was pressed.
// wParam: the delegate's own value; lParam: the button id; text: the row key.
constexpr int EVENT_DELEGATE_BUTTON_PRESSED = 228;

// The instrument table: the favourites button of a row was pressed.
// wParam: as received from the delegate; lParam: the table's trading type;
// text: the row's stock key.
constexpr int EVENT_FAVORITE_BUTTON_PRESSED = 1383;

}  // namespace GU
