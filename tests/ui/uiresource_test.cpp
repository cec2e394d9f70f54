#include "host/ui/uiresource.h"

#include "uitesthelpers.h"

#include <gtest/gtest.h>
#include <QImage>

namespace {

using GU::CUiResource;

// The keys the panels ask for by name.
const char* const kNamedColors[] = {"clr_text_default", "clr_table_background",
                                    "clr_table_background2", "clr_disable_color"};
const char* const kNamedPixmaps[] = {"lw_img_op_hedge_type_bg", "img_code_delisting_finishing_icon",
                                     "img_neeq_innovate_icon",  "img_neeq_basics_icon",
                                     "img_neeq_selects_icon",   "img_bond_qualified_investor_icon",
                                     "img_code_gem_icon",       "img_code_kcb_cdr_icon",
                                     "img_code_cdr_icon",       "img_code_kcb_icon",
                                     "img_code_innovate_icon"};
const char* const kNamedSizes[] = {"lw_siz_setting_accounts_item_width",
                                   "lw_siz_setting_accounts_item_height"};
// What a table needs beyond those.
const char* const kTableColors[] = {"clr_table_header_background",
                                    "clr_table_header_text",
                                    "clr_table_grid",
                                    "clr_table_selection_background",
                                    "clr_table_selection_text",
                                    "clr_button_background",
                                    "clr_button_text",
                                    "clr_button_border",
                                    "clr_button_text_disabled"};

TEST(UiResource, everyNamedKeyIsKnownAndNeverLogged) {
  uitest::LogCapture log;
  CUiResource* resource = CUiResource::instance();
  for (const char* key : kNamedColors) {
    SCOPED_TRACE(key);
    EXPECT_TRUE(resource->contains(key));
    const QColor* color = resource->getColor(key);
    ASSERT_NE(color, nullptr);
    EXPECT_TRUE(color->isValid());
  }
  for (const char* key : kTableColors) {
    SCOPED_TRACE(key);
    EXPECT_TRUE(resource->contains(key));
    EXPECT_TRUE(resource->getColor(key)->isValid());
  }
  EXPECT_TRUE(resource->contains("fnt_default_normal_fix"));
  EXPECT_GT(resource->getFont("fnt_default_normal_fix")->pixelSize(), 0);
  for (const char* key : kNamedSizes) {
    SCOPED_TRACE(key);
    EXPECT_TRUE(resource->contains(key));
    EXPECT_GT(resource->getSize(key), 0);
  }
  for (const char* key : kNamedPixmaps) {
    SCOPED_TRACE(key);
    EXPECT_TRUE(resource->contains(key));
    const QPixmap* pixmap = resource->getPixmap(key);
    ASSERT_NE(pixmap, nullptr);
    EXPECT_FALSE(pixmap->isNull());
  }
  // The table's alternating rows must be told apart.
  EXPECT_NE(*resource->getColor("clr_table_background"),
            *resource->getColor("clr_table_background2"));
  EXPECT_EQ(log.lines().size(), 0u);
  const QStringList unknown = resource->unknownKeys();
  for (const char* key : kNamedPixmaps) EXPECT_FALSE(unknown.contains(key));
}

TEST(UiResource, tagBadgesAreOpaqueInTheMiddleAndDistinct) {
  CUiResource* resource = CUiResource::instance();
  QList<QImage> images;
  for (const char* key : kNamedPixmaps) {
    if (QString(key).startsWith("lw_")) continue;
    SCOPED_TRACE(key);
    const QImage image = resource->getPixmap(key)->toImage();
    EXPECT_EQ(image.height(), 16);
    EXPECT_GT(qAlpha(image.pixel(2, image.height() / 2)), 200);  // the badge body
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);                     // the rounded corner
    images.append(image);
  }
  for (int i = 0; i < images.size(); ++i)
    for (int j = i + 1; j < images.size(); ++j) EXPECT_NE(images[i], images[j]) << i << " " << j;
}

TEST(UiResource, unknownKeysGiveSafeDefaultsAndLogOncePerKey) {
  uitest::LogCapture log;
  CUiResource* resource = CUiResource::instance();
  const QString colorKey = "clr_test_unknown_colour";
  const QString fontKey = "fnt_test_unknown_font";
  const QString pixmapKey = "img_test_unknown_pixmap";
  const QString sizeKey = "lw_siz_test_unknown_size";
  for (int round = 0; round < 3; ++round) {
    const QColor* color = resource->getColor(colorKey);
    ASSERT_NE(color, nullptr);
    EXPECT_TRUE(color->isValid());
    ASSERT_NE(resource->getFont(fontKey), nullptr);
    const QPixmap* pixmap = resource->getPixmap(pixmapKey);
    ASSERT_NE(pixmap, nullptr);
    EXPECT_EQ(pixmap, resource->getPixmap("img_test_other_unknown"));  // one shared blank
    EXPECT_EQ(resource->getSize(sizeKey), 24);
  }
  for (const QString& key : {colorKey, fontKey, pixmapKey, sizeKey}) {
    SCOPED_TRACE(key.toStdString());
    EXPECT_EQ(log.count(key.toStdString()), 1);
    EXPECT_FALSE(resource->contains(key));
    EXPECT_TRUE(resource->unknownKeys().contains(key));
  }
  // The record format of the host: "[address] [function] message".
  ASSERT_FALSE(log.lines().empty());
  EXPECT_EQ(log.lines().front().rfind("[0x", 0), 0u);
  EXPECT_NE(log.lines().front().find("] [GU::CUiResource::get"), std::string::npos);
}

TEST(UiResource, pointersStayTheSameAcrossLookups) {
  CUiResource* resource = CUiResource::instance();
  EXPECT_EQ(resource, CUiResource::instance());
  EXPECT_EQ(resource->getColor("clr_text_default"), resource->getColor("clr_text_default"));
  EXPECT_EQ(resource->getPixmap("img_code_kcb_icon"), resource->getPixmap("img_code_kcb_icon"));
  EXPECT_NE(resource->getPixmap("img_code_kcb_icon"), resource->getPixmap("img_code_cdr_icon"));
  const QStringList keys = resource->keys();
  EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
  for (const char* key : kNamedPixmaps) EXPECT_TRUE(keys.contains(key));
}

}  // namespace
