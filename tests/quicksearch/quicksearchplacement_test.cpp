// Where the quick search popup goes over its host window, and that it stays
// on the screen whatever the host window does.
#include "quicksearch/quicksearchplacement.h"

#include <gtest/gtest.h>

#include <ostream>

// How GoogleTest prints a rectangle (found by argument-dependent lookup).
void PrintTo(const QRect& r, std::ostream* out) {
  *out << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

namespace {

TEST(QuickSearchPlacement, centresBelowTheHostTopAndStaysInsideTheScreen) {
  const QRect screen(0, 0, 1920, 1040), small(0, 0, 1024, 768);  // a task bar below
  const QSize popup(600, 400);
  // Host, preferred size, available screen, expected.
  const std::tuple<QRect, QSize, QRect, QRect> cases[] = {
      // Centred, an eighth of the height down; odd widths round to the left.
      {{100, 50, 1200, 800}, popup, screen, {400, 150, 600, 400}},
      {{0, 0, 1001, 800}, popup, screen, {200, 100, 600, 400}},
      {{0, 0, 1920, 1040}, popup, screen, {660, 120, 600, 400}},  // the offset stops growing
      // The host past the right, the left, the bottom, the top edge; on a second screen.
      {{1700, 100, 1000, 600}, popup, screen, {1320, 175, 600, 400}},
      {{-900, 100, 1000, 600}, popup, screen, {0, 175, 600, 400}},
      {{200, 900, 1000, 600}, popup, screen, {400, 640, 600, 400}},
      {{200, -700, 1000, 600}, popup, screen, {400, 0, 600, 400}},
      {{2000, 100, 1000, 600}, popup, {1920, 0, 1920, 1080}, {2200, 175, 600, 400}},
      // A popup wider, taller than the screen is cut down; a host narrower than the popup.
      {{0, 0, 800, 600}, {2000, 300}, small, {0, 75, 1024, 300}},
      {{0, 0, 800, 600}, {400, 2000}, small, {200, 0, 400, 768}},
      {{500, 100, 200, 160}, popup, screen, {300, 120, 600, 400}},
      // No host: centred on the screen; no screen: over the host, unclamped;
      // an empty size still makes a window.
      {QRect(), popup, screen, {660, 320, 600, 400}},
      {{-900, 100, 1000, 600}, popup, QRect(), {-700, 175, 600, 400}},
      {{0, 0, 800, 600}, {0, -5}, screen, {399, 75, 1, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    const QRect placed =
        LW::quickSearchPopupGeometry(std::get<0>(c), std::get<1>(c), std::get<2>(c));
    EXPECT_EQ(placed, std::get<3>(c));
    if (!std::get<2>(c).isEmpty()) {
      EXPECT_TRUE(std::get<2>(c).contains(placed)) << testing::PrintToString(placed);
    }
  }
}

}  // namespace
