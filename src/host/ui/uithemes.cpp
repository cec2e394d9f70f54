#include "host/ui/uithemes_p.h"

namespace GU {
namespace theme {

namespace {

// The light theme: the colours this framework has always drawn with. Up is
// red and down is green, as on the mainland markets.
const SColorEntry kLight[] = {
    {"clr_text_default", "#333333"},
    {"clr_text_secondary", "#7a7f87"},
    {"clr_text_highlight", "#1f6fd1"},
    {"clr_text_up", "#e0302f"},
    {"clr_text_down", "#119c4b"},
    {"clr_text_equal", "#333333"},
    {"clr_text_link", "#1f6fd1"},
    {"clr_text_warning", "#d9822b"},
    {"clr_text_error", "#d32f2f"},
    {"clr_disable_color", "#a8adb4"},
    {"clr_background_default", "#ffffff"},
    {"clr_panel_background", "#f5f6f8"},
    {"clr_toolbar_background", "#eef1f5"},
    {"clr_toolbar_gradient_top", "#f7f9fb"},
    {"clr_toolbar_gradient_bottom", "#e8ecf1"},
    {"clr_toolbar_border", "#d0d4da"},
    {"clr_border_default", "#d0d4da"},
    {"clr_table_background", "#ffffff"},
    {"clr_table_background2", "#f6f8fb"},
    {"clr_table_header_background", "#eef1f5"},
    {"clr_table_header_text", "#4a4f57"},
    {"clr_table_header_border", "#d6dae0"},
    {"clr_table_grid", "#e6e9ee"},
    {"clr_table_text", "#333333"},
    {"clr_table_selection_background", "#d6e8fb"},
    {"clr_table_selection_text", "#1a1a1a"},
    {"clr_table_hover_background", "#edf4fc"},
    {"clr_table_sort_indicator", "#1f6fd1"},
    // The buttons painted inside table cells (lock, revoke, add to
    // favourites), by button type.
    {"clr_table_button_primary", "#2d7ff9"},
    {"clr_table_button_primary_text", "#ffffff"},
    {"clr_table_button_light", "#2d7ff9"},
    {"clr_table_button_warning", "#f59a23"},
    {"clr_table_button_warning_text", "#ffffff"},
    {"clr_table_button_plain_border", "#a0a0a0"},
    {"clr_table_button_plain_text", "#333333"},
    {"clr_table_button_disabled_background", "#dcdcdc"},
    {"clr_table_button_disabled_border", "#c8c8c8"},
    {"clr_table_button_disabled_text", "#909090"},
    {"clr_button_background", "#ffffff"},
    {"clr_button_background_hover", "#eaf2fd"},
    {"clr_button_background_pressed", "#d3e4fa"},
    {"clr_button_background_disabled", "#f2f3f5"},
    {"clr_button_border", "#c3c9d1"},
    {"clr_button_text", "#1f6fd1"},
    {"clr_button_text_disabled", "#b0b4ba"},
    {"clr_button_primary_background", "#1f6fd1"},
    {"clr_button_primary_text", "#ffffff"},
    {"clr_edit_background", "#ffffff"},
    {"clr_edit_border", "#c3c9d1"},
    {"clr_edit_border_focus", "#1f6fd1"},
    {"clr_edit_hint", "#a8adb4"},
    {"clr_tip_info_background", "#eaf2fd"},
    {"clr_tip_info_text", "#1f4f8f"},
    {"clr_tip_warning_background", "#fff4e0"},
    {"clr_tip_warning_text", "#8a5300"},
    {"clr_tip_error_background", "#fdecea"},
    {"clr_tip_error_text", "#b3261e"},
    // Painted icons.
    {"clr_icon_ink", "#5f6b7a"},
    {"clr_icon_paper", "#ffffff"},
    {"clr_icon_search", "#7a7f87"},
    {"clr_icon_clear", "#b7bcc4"},
    {"clr_icon_clear_mark", "#ffffff"},
    // Instrument tag badges: a letter in clr_badge_text on the tag's colour.
    {"clr_badge_text", "#ffffff"},
    {"clr_badge_delisting", "#8d6e63"},
    {"clr_badge_neeq_innovate", "#7b1fa2"},
    {"clr_badge_neeq_basics", "#00897b"},
    {"clr_badge_neeq_selects", "#c62828"},
    {"clr_badge_qualified_investor", "#ef6c00"},
    {"clr_badge_gem", "#2e7d32"},
    {"clr_badge_kcb_cdr", "#283593"},
    {"clr_badge_cdr", "#0277bd"},
    {"clr_badge_kcb", "#3949ab"},
    {"clr_badge_innovate", "#ad1457"},
    // Qt's own widgets under a theme that sets the application palette.
    {"clr_palette_highlight", "#1f6fd1"},
    {"clr_palette_highlight_text", "#ffffff"},
};

// The dark theme for desks that run dark screens all day. Body text keeps at
// least 4.5:1 against every background it is drawn on; up stays red and down
// green, lightened so they read on the dark rows.
const SColorEntry kDark[] = {
    {"clr_text_default", "#d7dbe0"},
    {"clr_text_secondary", "#9aa3ad"},
    {"clr_text_highlight", "#6aa8ff"},
    {"clr_text_up", "#ff6e68"},
    {"clr_text_down", "#2fc26b"},
    {"clr_text_equal", "#d7dbe0"},
    {"clr_text_link", "#6aa8ff"},
    {"clr_text_warning", "#f0a04b"},
    {"clr_text_error", "#ff7a72"},
    {"clr_disable_color", "#7d848c"},
    {"clr_background_default", "#1e2126"},
    {"clr_panel_background", "#1a1d21"},
    {"clr_toolbar_background", "#23272d"},
    {"clr_toolbar_gradient_top", "#2a2f36"},
    {"clr_toolbar_gradient_bottom", "#22262c"},
    {"clr_toolbar_border", "#3a4049"},
    {"clr_border_default", "#3a4049"},
    {"clr_table_background", "#1b1e23"},
    {"clr_table_background2", "#22262c"},
    {"clr_table_header_background", "#2a2f36"},
    {"clr_table_header_text", "#c9ced6"},
    {"clr_table_header_border", "#3a4049"},
    {"clr_table_grid", "#30353d"},
    {"clr_table_text", "#d7dbe0"},
    {"clr_table_selection_background", "#1d3553"},
    {"clr_table_selection_text", "#ffffff"},
    {"clr_table_hover_background", "#263140"},
    {"clr_table_sort_indicator", "#6aa8ff"},
    {"clr_table_button_primary", "#2f6fd0"},
    {"clr_table_button_primary_text", "#ffffff"},
    {"clr_table_button_light", "#6aa8ff"},
    {"clr_table_button_warning", "#a65d06"},
    {"clr_table_button_warning_text", "#ffffff"},
    {"clr_table_button_plain_border", "#6b727b"},
    {"clr_table_button_plain_text", "#d7dbe0"},
    {"clr_table_button_disabled_background", "#2c3036"},
    {"clr_table_button_disabled_border", "#3a4049"},
    {"clr_table_button_disabled_text", "#7d848c"},
    {"clr_button_background", "#2a2f36"},
    {"clr_button_background_hover", "#33404f"},
    {"clr_button_background_pressed", "#1d3553"},
    {"clr_button_background_disabled", "#25292f"},
    {"clr_button_border", "#4a525c"},
    {"clr_button_text", "#7fb5ff"},
    {"clr_button_text_disabled", "#6b727b"},
    {"clr_button_primary_background", "#2f6fd0"},
    {"clr_button_primary_text", "#ffffff"},
    {"clr_edit_background", "#15181c"},
    {"clr_edit_border", "#4a525c"},
    {"clr_edit_border_focus", "#6aa8ff"},
    {"clr_edit_hint", "#7d848c"},
    {"clr_tip_info_background", "#1f3350"},
    {"clr_tip_info_text", "#bcd7ff"},
    {"clr_tip_warning_background", "#3d2f14"},
    {"clr_tip_warning_text", "#ffd08a"},
    {"clr_tip_error_background", "#4a1f1f"},
    {"clr_tip_error_text", "#ffb4ab"},
    {"clr_icon_ink", "#aab3bd"},
    {"clr_icon_paper", "#2a2f36"},
    {"clr_icon_search", "#9aa3ad"},
    {"clr_icon_clear", "#6b727b"},
    {"clr_icon_clear_mark", "#1e2126"},
    // The badges keep their colours: a tag must look the same in both
    // themes, and the saturated tones read on dark rows as well.
    {"clr_badge_text", "#ffffff"},
    {"clr_badge_delisting", "#8d6e63"},
    {"clr_badge_neeq_innovate", "#7b1fa2"},
    {"clr_badge_neeq_basics", "#00897b"},
    {"clr_badge_neeq_selects", "#c62828"},
    {"clr_badge_qualified_investor", "#ef6c00"},
    {"clr_badge_gem", "#2e7d32"},
    {"clr_badge_kcb_cdr", "#283593"},
    {"clr_badge_cdr", "#0277bd"},
    {"clr_badge_kcb", "#3949ab"},
    {"clr_badge_innovate", "#ad1457"},
    {"clr_palette_highlight", "#3d6fb0"},
    {"clr_palette_highlight_text", "#ffffff"},
};

template <int N>
STheme makeTheme(const char* name, bool setsPalette, const SColorEntry (&colors)[N]) {
  return STheme{name, setsPalette, colors, N};
}

}  // namespace

const std::vector<STheme>& builtInThemes() {
  static const std::vector<STheme> themes = {makeTheme("light", false, kLight),
                                             makeTheme("dark", true, kDark)};
  return themes;
}

QPalette applicationPalette(const std::function<QColor(const char*)>& color) {
  const QColor window = color("clr_panel_background");
  const QColor text = color("clr_text_default");
  const QColor base = color("clr_table_background");
  const QColor button = color("clr_table_header_background");
  const QColor disabled = color("clr_disable_color");

  QPalette palette;
  palette.setColor(QPalette::Window, window);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Base, base);
  palette.setColor(QPalette::AlternateBase, color("clr_table_background2"));
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::BrightText, color("clr_text_error"));
  palette.setColor(QPalette::Button, button);
  palette.setColor(QPalette::ButtonText, color("clr_table_header_text"));
  palette.setColor(QPalette::Highlight, color("clr_palette_highlight"));
  palette.setColor(QPalette::HighlightedText, color("clr_palette_highlight_text"));
  palette.setColor(QPalette::Link, color("clr_text_link"));
  palette.setColor(QPalette::LinkVisited, color("clr_text_link"));
  palette.setColor(QPalette::ToolTipBase, color("clr_tip_info_background"));
  palette.setColor(QPalette::ToolTipText, color("clr_tip_info_text"));
  palette.setColor(QPalette::PlaceholderText, color("clr_edit_hint"));
  // The bevel shades the styles draw frames and header sections with; the
  // table draws its grid in Midlight.
  palette.setColor(QPalette::Light, button.lighter(130));
  palette.setColor(QPalette::Midlight, color("clr_table_grid"));
  palette.setColor(QPalette::Mid, color("clr_table_header_border"));
  palette.setColor(QPalette::Dark, window.darker(150));
  palette.setColor(QPalette::Shadow, QColor(0, 0, 0));
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    palette.setColor(QPalette::Disabled, role, disabled);
  palette.setColor(QPalette::Disabled, QPalette::Base, window);
  palette.setColor(QPalette::Disabled, QPalette::Button, color("clr_button_background_disabled"));
  palette.setColor(QPalette::Disabled, QPalette::Highlight, color("clr_border_default"));
  return palette;
}

}  // namespace theme
}  // namespace GU
