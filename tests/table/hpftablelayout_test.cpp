// The text form of table layouts: round trip and refusal of anything that is
// not a complete layout.
#include "hpftestsupport.h"

#include "host/table/hpftablelayout.h"

#include <gtest/gtest.h>

using GU::CHpfTableLayout;
using GU::SHpfLayout;
using hpftest::signedLayout;

namespace {

SHpfLayout sample() {
  SHpfLayout layout;
  layout.scope = QStringLiteral("550.1");
  layout.columns = {{3, 120, false}, {0, 80, true}, {10001, 64, false}};
  layout.sortColumn = 3;
  layout.sortAscending = false;
  return layout;
}

}  // namespace

TEST(HpfTableLayout, roundTripKeepsEveryField) {
  const SHpfLayout layout = sample();
  SHpfLayout back;
  QString error;
  ASSERT_TRUE(CHpfTableLayout::decode(CHpfTableLayout::encode(layout), &back, &error))
      << error.toStdString();
  EXPECT_EQ(back.scope, layout.scope);
  EXPECT_EQ(back.columns, layout.columns);
  EXPECT_EQ(back.sortColumn, 3);
  EXPECT_FALSE(back.sortAscending);

  SHpfLayout unsorted = layout;
  unsorted.sortColumn = -1;
  ASSERT_TRUE(CHpfTableLayout::decode(CHpfTableLayout::encode(unsorted), &back));
  EXPECT_EQ(back.sortColumn, -1);
}

TEST(HpfTableLayout, refusesTextsThatAreNotACompleteLayout) {
  const QString good = CHpfTableLayout::encode(sample());
  const QString body = good.left(good.lastIndexOf(QStringLiteral(";crc=")));
  struct Case {
    const char* name;
    QString text;
  };
  std::vector<Case> cases = {
      {"empty", QString()},
      {"garbage", QStringLiteral("garbage")},
      {"other version", QString(good).replace(0, 5, QStringLiteral("HPFT2"))},
      {"binary", QString::fromLatin1(QByteArray("\x00\x01\xff\xfe", 4))},
      {"invalid utf-8", QString::fromUtf8("HPFT1;\xff\xfe\xfd")},
      {"checksum edited",
       QString(good).replace(good.size() - 1, 1,
                             good.endsWith('0') ? QStringLiteral("1") : QStringLiteral("0"))},
      {"body edited", QString(good).replace(QStringLiteral("120"), QStringLiteral("121"))},
      {"no checksum", body},
      {"width zero",
       signedLayout(QString(body).replace(QStringLiteral("3:120"), QStringLiteral("3:0")))},
      {"width huge", signedLayout(QString(body).replace(QStringLiteral("3:120"),
                                                        QStringLiteral("3:99999999999")))},
      {"negative id",
       signedLayout(QString(body).replace(QStringLiteral("cols=3"), QStringLiteral("cols=-3")))},
      {"repeated id",
       signedLayout(QString(body).replace(QStringLiteral("0:80"), QStringLiteral("3:80")))},
      {"hidden flag 2",
       signedLayout(QString(body).replace(QStringLiteral("0:80:1"), QStringLiteral("0:80:2")))},
      {"sort not a column",
       signedLayout(QString(body).replace(QStringLiteral("sort=3:d"), QStringLiteral("sort=7:d")))},
      {"sort bad direction",
       signedLayout(QString(body).replace(QStringLiteral("sort=3:d"), QStringLiteral("sort=3:x")))},
      {"unknown field", signedLayout(body + QStringLiteral(";extra=1"))},
      {"missing sort", signedLayout(body.left(body.indexOf(QStringLiteral(";sort"))))},
      {"repeated field", signedLayout(body + QStringLiteral(";scope=1"))},
      {"non-ascii digits",
       signedLayout(QString(body).replace(QStringLiteral("3:120"), QString::fromUtf8("3:１２０")))},
      {"too long", QString(70000, QLatin1Char('x'))},
  };
  for (int cut : {1, 5, 10, good.size() / 2, good.size() - 5, good.size() - 1})
    cases.push_back({"truncated", good.left(cut)});
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + ": " + c.text.left(80).toStdString());
    SHpfLayout out = sample();
    out.scope = QStringLiteral("untouched");
    EXPECT_FALSE(CHpfTableLayout::decode(c.text, &out));
    EXPECT_EQ(out.scope, QStringLiteral("untouched"));
  }
}
