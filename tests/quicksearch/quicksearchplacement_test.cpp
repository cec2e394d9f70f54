// Where the quick search popup goes over its host window, and that it stays
// on the screen whatever the host window does.
#include "quicksearch/quicksearchplacement.h"

#include <gtest/gtest.h>

#include <ostream>

// How GoogleTest prints a rectangle (found by argument-dependent lookup, so
// it lives in QRect's namespace).
void PrintTo(const QRect& r, std::ostream* out) {
  *out << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

namespace {

TEST(QuickSearchPlacement, centresBelowTheHostTopAndStaysInsideTheScreen) {
  const QRect screen(0, 0, 1920, 1040);  // a task bar below
  const QSize popup(600, 400);
  struct Case {
    const char* name;
    QRect host;
    QSize preferred;
    QRect available;
    QRect expected;
  };
  const Case cases[] = {
      {"centred, an eighth of the height down", QRect(100, 50, 1200, 800), popup, screen,
       QRect(400, 150, 600, 400)},
      {"odd widths round to the left", QRect(0, 0, 1001, 800), QSize(600, 400), screen,
       QRect(200, 100, 600, 400)},
      {"the offset stops growing", QRect(0, 0, 1920, 1040), popup, screen,
       QRect(660, 120, 600, 400)},
      {"host past the right edge", QRect(1700, 100, 1000, 600), popup, screen,
       QRect(1320, 175, 600, 400)},
      {"host past the left edge", QRect(-900, 100, 1000, 600), popup, screen,
       QRect(0, 175, 600, 400)},
      {"host low on the screen", QRect(200, 900, 1000, 600), popup, screen,
       QRect(400, 640, 600, 400)},
      {"host above the screen", QRect(200, -700, 1000, 600), popup, screen,
       QRect(400, 0, 600, 400)},
      {"host on a second screen", QRect(2000, 100, 1000, 600), popup, QRect(1920, 0, 1920, 1080),
       QRect(2200, 175, 600, 400)},
      {"a popup wider than the screen is cut down", QRect(0, 0, 800, 600), QSize(2000, 300),
       QRect(0, 0, 1024, 768), QRect(0, 75, 1024, 300)},
      {"and one taller than the screen", QRect(0, 0, 800, 600), QSize(400, 2000),
       QRect(0, 0, 1024, 768), QRect(200, 0, 400, 768)},
      {"a host narrower than the popup", QRect(500, 100, 200, 160), popup, screen,
       QRect(300, 120, 600, 400)},
      {"no host: centred on the screen", QRect(), popup, screen, QRect(660, 320, 600, 400)},
      {"no screen: over the host, unclamped", QRect(-900, 100, 1000, 600), popup, QRect(),
       QRect(-700, 175, 600, 400)},
      {"an empty size still makes a window", QRect(0, 0, 800, 600), QSize(0, -5), screen,
       QRect(399, 75, 1, 1)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QRect placed = LW::quickSearchPopupGeometry(c.host, c.preferred, c.available);
    EXPECT_EQ(placed, c.expected);
    if (!c.available.isEmpty()) {
      EXPECT_TRUE(c.available.contains(placed)) << testing::PrintToString(placed);
    }
  }
}

}  // namespace
