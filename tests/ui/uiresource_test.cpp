// The UI resource: the keys the panels and tables ask for, safe defaults
// for unknown keys, the themes (complete palettes under the same keys,
// readable body text in both, switching at run time) and pixmaps painted
// and cached per device pixel ratio.
#include "host/ui/uiresource.h"

#include "uitesthelpers.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QtMath>
#include <cmath>
#include <limits>

namespace {

using GU::CUiResource;
using uitest::ThemeGuard;

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

// WCAG 2 relative luminance and contrast ratio.
double channel(int value) {
  const double c = value / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
double luminance(const QColor& color) {
  return 0.2126 * channel(color.red()) + 0.7152 * channel(color.green()) +
         0.0722 * channel(color.blue());
}
double contrast(const QColor& a, const QColor& b) {
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
// over laid on under with alpha (0..255), as QPainter fills it.
QColor blend(const QColor& over, int alpha, const QColor& under) {
  const auto mix = [alpha](int o, int u) { return qRound(u + (o - u) * alpha / 255.0); };
  return QColor(mix(over.red(), under.red()), mix(over.green(), under.green()),
                mix(over.blue(), under.blue()));
}

QStringList colourKeys() {
  QStringList keys;
  for (const QString& key : CUiResource::instance()->keys())
    if (key.startsWith(QLatin1String("clr_"))) keys << key;
  return keys;
}

TEST(UiTheme, everyThemeDefinesEveryColourKey) {
  CUiResource* resource = CUiResource::instance();
  const QStringList themes = CUiResource::themeNames();
  ASSERT_EQ(themes, (QStringList{"light", "dark"}));
  const QStringList keys = colourKeys();
  ASSERT_GT(keys.size(), 60);
  for (const QString& theme : themes)
    for (const QString& key : keys)
      EXPECT_TRUE(resource->themeColor(theme, key).isValid()) << qPrintable(theme + " " + key);
  // The dark theme is a theme of its own, not the light one under a name.
  int differing = 0;
  for (const QString& key : keys)
    differing += resource->themeColor("light", key) != resource->themeColor("dark", key);
  EXPECT_GT(differing, keys.size() / 2);
  EXPECT_FALSE(resource->themeColor("solarized", "clr_text_default").isValid());
  EXPECT_FALSE(resource->themeColor("dark", "clr_no_such_colour").isValid());
}

// The default build must look as it did before themes existed.
TEST(UiTheme, theLightThemeKeepsTheColoursDrawnBefore) {
  const struct {
    const char* key;
    const char* value;
  } kBefore[] = {
      {"clr_text_default", "#333333"},
      {"clr_table_background", "#ffffff"},
      {"clr_table_background2", "#f6f8fb"},
      {"clr_text_up", "#e0302f"},
      {"clr_text_down", "#119c4b"},
      {"clr_disable_color", "#a8adb4"},
      {"clr_toolbar_background", "#eef1f5"},
      {"clr_button_primary_background", "#1f6fd1"},
      // What the table's cell buttons and the painted icons used as constants.
      {"clr_table_button_primary", "#2d7ff9"},
      {"clr_table_button_warning", "#f59a23"},
      {"clr_table_button_plain_border", "#a0a0a0"},
      {"clr_table_button_disabled_background", "#dcdcdc"},
      {"clr_table_button_disabled_text", "#909090"},
      {"clr_icon_ink", "#5f6b7a"},
      {"clr_toolbar_gradient_top", "#f7f9fb"},
      {"clr_badge_gem", "#2e7d32"},
  };
  ThemeGuard guard;
  CUiResource* resource = CUiResource::instance();
  ASSERT_TRUE(resource->setTheme("light"));
  EXPECT_EQ(resource->theme(), "light");
  for (const auto& entry : kBefore) {
    SCOPED_TRACE(entry.key);
    EXPECT_EQ(resource->getColor(entry.key)->name(), QString::fromLatin1(entry.value));
    EXPECT_EQ(resource->themeColor("light", entry.key), QColor(entry.value));
  }
}

TEST(UiTheme, upIsRedAndDownIsGreenInEveryTheme) {
  CUiResource* resource = CUiResource::instance();
  for (const QString& theme : CUiResource::themeNames()) {
    SCOPED_TRACE(theme.toStdString());
    const QColor up = resource->themeColor(theme, "clr_text_up");
    const QColor down = resource->themeColor(theme, "clr_text_down");
    const int upHue = up.hsvHue();
    EXPECT_TRUE(upHue <= 15 || upHue >= 345) << upHue;
    EXPECT_GE(down.hsvHue(), 90);
    EXPECT_LE(down.hsvHue(), 160);
    EXPECT_GT(up.red(), up.green());
    EXPECT_GT(down.green(), down.red());
  }
}

TEST(UiTheme, bodyTextReachesFourAndAHalfToOneOnEveryBackgroundItIsDrawnOn) {
  CUiResource* resource = CUiResource::instance();
  const char* const kBodyText[] = {"clr_text_default", "clr_table_text", "clr_text_equal",
                                   "clr_table_header_text"};
  const char* const kBackgrounds[] = {
      "clr_table_background",           "clr_table_background2",      "clr_table_hover_background",
      "clr_table_selection_background", "clr_background_default",     "clr_panel_background",
      "clr_toolbar_background",         "clr_edit_background",        "clr_table_header_background",
      "clr_toolbar_gradient_top",       "clr_toolbar_gradient_bottom"};
  // Text drawn on one background only.
  const std::pair<const char*, const char*> kPairs[] = {
      {"clr_table_selection_text", "clr_table_selection_background"},
      {"clr_button_text", "clr_button_background"},
      {"clr_button_primary_text", "clr_button_primary_background"},
      {"clr_tip_info_text", "clr_tip_info_background"},
      {"clr_tip_warning_text", "clr_tip_warning_background"},
      {"clr_tip_error_text", "clr_tip_error_background"},
  };
  for (const QString& theme : CUiResource::themeNames()) {
    auto color = [&](const char* key) { return resource->themeColor(theme, key); };
    for (const char* text : kBodyText)
      for (const char* background : kBackgrounds)
        EXPECT_GE(contrast(color(text), color(background)), 4.5)
            << qPrintable(theme) << " " << text << " on " << background;
    for (const auto& pair : kPairs)
      EXPECT_GE(contrast(color(pair.first), color(pair.second)), 4.5)
          << qPrintable(theme) << " " << pair.first << " on " << pair.second;
  }

  // Under the dark theme the table also paints with the palette it gives
  // the application: its base colours and the selection tint laid over rows.
  const QPalette dark = resource->themePalette("dark");
  auto color = [&](const char* key) { return resource->themeColor("dark", key); };
  QList<QColor> rows = {dark.color(QPalette::Base), dark.color(QPalette::AlternateBase),
                        color("clr_table_background"), color("clr_table_background2")};
  for (const QColor& row : QList<QColor>(rows))
    rows << blend(dark.color(QPalette::Highlight), CUiResource::kTableSelectionAlpha, row);
  for (const QColor& row : rows) {
    EXPECT_GE(contrast(color("clr_text_default"), row), 4.5) << qPrintable(row.name());
    EXPECT_GE(contrast(dark.color(QPalette::Text), row), 4.5) << qPrintable(row.name());
  }
  EXPECT_GE(contrast(dark.color(QPalette::ButtonText), dark.color(QPalette::Button)), 4.5);
  EXPECT_GE(contrast(dark.color(QPalette::WindowText), dark.color(QPalette::Window)), 4.5);
  EXPECT_GE(contrast(dark.color(QPalette::HighlightedText), dark.color(QPalette::Highlight)), 4.5);
  // Price colours on the dark rows they are drawn on.
  for (const char* price : {"clr_text_up", "clr_text_down"})
    for (const char* row :
         {"clr_table_background", "clr_table_background2", "clr_table_hover_background"})
      EXPECT_GE(contrast(color(price), color(row)), 4.5) << price << " on " << row;
}

TEST(UiTheme, switchingChangesLookupsPixmapsAndTheApplicationPaletteAndAnnouncesIt) {
  ThemeGuard guard;
  CUiResource* resource = CUiResource::instance();
  ASSERT_TRUE(resource->setTheme("light"));
  const QPalette before = QApplication::palette();
  const QColor* lightText = resource->getColor("clr_text_default");
  const QColor lightValue = *lightText;
  const QImage lightBadge = resource->getPixmap("img_code_gem_icon")->toImage();
  const QImage lightBar = resource->getPixmap("lw_img_op_hedge_type_bg")->toImage();
  QSignalSpy spy(resource, SIGNAL(sigThemeChanged(QString)));

  ASSERT_TRUE(resource->setTheme(" Dark "));
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.at(0).at(0).toString(), "dark");
  EXPECT_EQ(resource->theme(), "dark");
  EXPECT_EQ(*resource->getColor("clr_text_default"),
            resource->themeColor("dark", "clr_text_default"));
  // A pointer handed out before still points at the colour it was.
  EXPECT_EQ(*lightText, lightValue);
  EXPECT_NE(resource->getColor("clr_text_default"), lightText);
  // The tool bar background is painted in the dark colours; the badges keep
  // their look.
  EXPECT_NE(resource->getPixmap("lw_img_op_hedge_type_bg")->toImage(), lightBar);
  EXPECT_EQ(resource->getPixmap("img_code_gem_icon")->toImage(), lightBadge);
  EXPECT_EQ(QApplication::palette().color(QPalette::Base),
            resource->themeColor("dark", "clr_table_background"));
  EXPECT_EQ(QApplication::palette().color(QPalette::Text),
            resource->themeColor("dark", "clr_text_default"));

  // The same theme again: nothing to do, nothing announced.
  EXPECT_TRUE(resource->setTheme("dark"));
  EXPECT_EQ(spy.count(), 1);

  ASSERT_TRUE(resource->setTheme("light"));
  ASSERT_EQ(spy.count(), 2);
  EXPECT_EQ(spy.at(1).at(0).toString(), "light");
  EXPECT_EQ(resource->getColor("clr_text_default"), lightText);
  EXPECT_EQ(resource->getPixmap("lw_img_op_hedge_type_bg")->toImage(), lightBar);
  // The light theme gives back the palette the application had.
  EXPECT_EQ(QApplication::palette(), before);
}

TEST(UiTheme, anUnknownThemeNameKeepsTheCurrentThemeAndIsLogged) {
  ThemeGuard guard;
  CUiResource* resource = CUiResource::instance();
  ASSERT_TRUE(resource->setTheme("dark"));
  uitest::LogCapture log;
  QSignalSpy spy(resource, SIGNAL(sigThemeChanged(QString)));
  const QPalette palette = QApplication::palette();
  for (const QString& name : {QStringLiteral("solarized"), QString(), QStringLiteral("dark-ish"),
                              QStringLiteral("light\ndark")}) {
    SCOPED_TRACE(name.toStdString());
    EXPECT_FALSE(resource->setTheme(name));
    EXPECT_EQ(resource->theme(), "dark");
  }
  EXPECT_EQ(spy.count(), 0);
  EXPECT_EQ(QApplication::palette(), palette);
  EXPECT_EQ(log.count("solarized"), 1);
  EXPECT_EQ(log.count("unknown theme"), 4);
}

TEST(UiTheme, pixmapsArePaintedForEachDevicePixelRatioAndCachedPerRatio) {
  CUiResource* resource = CUiResource::instance();
  const struct {
    const char* key;
    QSize logical;
  } kPixmaps[] = {{"img_code_gem_icon", {16, 16}},
                  {"img_code_kcb_cdr_icon", {28, 16}},
                  {"img_calendar", {14, 14}},
                  {"img_edit_clear", {14, 14}},
                  {"lw_img_op_hedge_type_bg", {8, 32}}};
  for (const auto& entry : kPixmaps) {
    SCOPED_TRACE(entry.key);
    const QPixmap* one = resource->getPixmap(entry.key, 1.0);
    for (qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
      SCOPED_TRACE(ratio);
      const QPixmap* pixmap = resource->getPixmap(entry.key, ratio);
      ASSERT_NE(pixmap, nullptr);
      EXPECT_DOUBLE_EQ(pixmap->devicePixelRatio(), ratio);
      EXPECT_EQ(pixmap->size(),
                QSize(qCeil(entry.logical.width() * ratio), qCeil(entry.logical.height() * ratio)));
      // Cached: the same pixmap every time for this ratio, another for others.
      EXPECT_EQ(resource->getPixmap(entry.key, ratio), pixmap);
      if (ratio != 1.0) {
        EXPECT_NE(pixmap, one);
      }
      // A pixmap handed out for one ratio leads to the one for another.
      EXPECT_EQ(resource->pixmapForRatio(one, ratio), pixmap);
      EXPECT_EQ(resource->pixmapForRatio(pixmap, 1.0), one);
    }
    EXPECT_EQ(resource->getPixmap(entry.key, 2.0)->size(), one->size() * 2);
    // Without a ratio: the application's (1 on the offscreen platform).
    EXPECT_EQ(resource->getPixmap(entry.key),
              resource->getPixmap(entry.key, qApp->devicePixelRatio()));
    // Ratios that are no ratio count as the application's; huge ones are capped.
    for (qreal bad : {0.0, -2.0, std::numeric_limits<qreal>::quiet_NaN(),
                      std::numeric_limits<qreal>::infinity()})
      EXPECT_EQ(resource->getPixmap(entry.key, bad), resource->getPixmap(entry.key)) << bad;
    EXPECT_EQ(resource->getPixmap(entry.key, 1e9), resource->getPixmap(entry.key, 8.0));
  }
  // A pixmap that is not the resource's comes back as it is.
  QPixmap own(4, 4);
  EXPECT_EQ(resource->pixmapForRatio(&own, 2.0), &own);
  EXPECT_EQ(resource->pixmapForRatio(nullptr, 2.0), nullptr);
}

TEST(UiTheme, aRatioTwoBadgeIsDrawnAtRatioTwoNotScaledUp) {
  CUiResource* resource = CUiResource::instance();
  const QImage sharp = resource->getPixmap("img_code_gem_icon", 2.0)->toImage();
  const QImage scaled = resource->getPixmap("img_code_gem_icon", 1.0)
                            ->toImage()
                            .scaled(sharp.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
  EXPECT_NE(sharp, scaled);
  // Its rounded corner is still transparent and its body opaque.
  EXPECT_EQ(qAlpha(sharp.pixel(0, 0)), 0);
  EXPECT_GT(qAlpha(sharp.pixel(4, sharp.height() / 2)), 200);
}

TEST(UiTheme, iconsCarryAPixmapPerRatio) {
  CUiResource* resource = CUiResource::instance();
  const QIcon icon = resource->getIcon("img_calendar");
  ASSERT_FALSE(icon.isNull());
  const QList<QSize> sizes = icon.availableSizes();
  EXPECT_TRUE(sizes.contains(QSize(14, 14)));
  EXPECT_TRUE(sizes.contains(QSize(28, 28)));
  uitest::LogCapture log;
  EXPECT_TRUE(resource->getIcon("img_theme_test_unknown").isNull());
  EXPECT_EQ(log.count("img_theme_test_unknown"), 1);
}

}  // namespace
