// The table at 150% and 200%: a row's tag icon is drawn from the pixmap
// painted for the device's pixel ratio, pixel for pixel, not a 100% pixmap
// scaled up.
#include "hpftestsupport.h"

#include "host/table/hpfdatatable.h"
#include "host/ui/uiresource.h"

#include <gtest/gtest.h>
#include <QPainter>
#include <QTest>

using namespace hpftest;

namespace {

const char kBadge[] = "img_code_gem_icon";

// A row whose code column shows a tag badge, obtained as a row does: by key,
// without knowing any screen.
class CIconRow : public CTestRow {
public:
  using CTestRow::CTestRow;
  const QPixmap* getIcon(int column) override {
    return column == COL_CODE ? GU::CUiResource::instance()->getPixmap(kBadge) : nullptr;
  }
};

// Whether the opaque pixels of badge appear unchanged in image at (x, y).
bool containsBadgeAt(const QImage& image, const QImage& badge, int x, int y) {
  int opaque = 0;
  for (int by = 0; by < badge.height(); ++by) {
    for (int bx = 0; bx < badge.width(); ++bx) {
      const QRgb pixel = badge.pixel(bx, by);
      if (qAlpha(pixel) != 255) continue;
      ++opaque;
      if (image.pixel(x + bx, y + by) != pixel) return false;
    }
  }
  return opaque > badge.width() * badge.height() / 2;
}

TEST(HpfTableHighDpi, rowIconsAreDrawnFromThePixmapOfTheDevicesRatio) {
  auto model = boost::make_shared<CTestModel>();
  CEventSink sink;
  auto* table = new LW::CHpfDataTable(1, 550, &sink, GU::MENU_FLAG_ALL);
  table->setGeometry(0, 0, 500, 200);
  table->setDataModel(model);
  table->setColumnShowIcon(COL_CODE, true);
  table->setColumnWidth(COL_CODE, 120);
  model->addData(boost::make_shared<CIconRow>("600000", 1.0, 1, QString()));
  table->updateTable();
  sink.resize(500, 200);
  sink.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&sink));

  const QRect cell = table->visualCellRect(0, COL_CODE);
  ASSERT_FALSE(cell.isEmpty());
  for (qreal ratio : {1.0, 1.5, 2.0}) {
    SCOPED_TRACE(ratio);
    QWidget* viewport = table->viewport();
    QPixmap canvas(viewport->size() * ratio);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(Qt::white);
    viewport->render(&canvas);
    const QImage image = canvas.toImage();
    const QImage badge = GU::CUiResource::instance()->getPixmap(kBadge, ratio)->toImage();
    // The badge sits in the square left of the text, centred, on whole
    // device pixels.
    const int side = qMin(table->rowHeight() - 4, cell.width() - 8);
    const qreal left = cell.left() + 4 + (side - 16) / 2.0;
    const qreal top = cell.top() + (table->rowHeight() - side) / 2 + (side - 16) / 2.0;
    const int x = qRound(left * ratio);
    const int y = qRound(top * ratio);
    EXPECT_TRUE(containsBadgeAt(image, badge, x, y))
        << "badge not found pixel for pixel at " << x << "," << y;
  }
}

}  // namespace
