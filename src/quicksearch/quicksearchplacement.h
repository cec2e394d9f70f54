#pragma once
// Where the quick search popup goes: centred across the host window, a
// little below its top edge (over the tool bars, where the eye already is
// when typing into the window), and always inside the screen's available
// area, so that a host window dragged half off the screen or onto the task
// bar still gets a whole, reachable popup.
//
// A pure function of rectangles in global (virtual desktop) coordinates, so
// that every rule is testable without a window system.

#include <QRect>
#include <QSize>

namespace LW {

// The popup's global geometry for a popup of preferred size over host (the
// host window's global geometry) on a screen whose available area is
// available.
//   * The size is the preferred size, cut down to fit available.
//   * Horizontally centred on host; the top edge one eighth of host's height
//     below host's top (at most kQuickSearchTopOffsetMax pixels).
//   * Then moved, never resized, the least distance that brings it inside
//     available.
// An empty host centres the popup on available instead. An empty available
// area (no screen) keeps the position relative to host, unclamped.
QRect quickSearchPopupGeometry(const QRect& host, const QSize& preferred, const QRect& available);

constexpr int kQuickSearchTopOffsetMax = 120;

}  // namespace LW
