// A Latin text takes a shortcut through the classes (one bit-parallel pass
// over the name); it must rank every code and name exactly as the single
// class tests and the panels' filter do, at every class limit.

#include "quicksearch/quicksearchtext.h"

#include "../text/instrumentnames.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

namespace {

using namespace LW::quicksearch;

// The classes by their own tests, one after the other.
int referenceClass(const CQuery& q, const QString& code, const QString& name) {
  const auto* c = code.utf16();
  const auto* n = name.utf16();
  if (codeEquals(q, c, code.size())) return 0;
  if (codeStartsWith(q, c, code.size())) return 1;
  if (initialsStartWith(q, n, name.size())) return 2;
  if (nameStartsWith(q, n, name.size())) return 3;
  if (fullPinyinStartsWith(q, n, name.size())) return 4;
  if (GU::isInByPy(c, code.size(), q.folded) || GU::isInByPy(n, name.size(), q.folded)) return 5;
  return kNoClass;
}

TEST(QuickSearchLatin, agreesWithTheSingleClassTestsOnRealNames) {
  // Texts of every shape a trader types, plus the 64-unit edge of the
  // shortcut: initials, full pinyin, codes, mixed case, digits and letters,
  // a letter no name holds twice in a row.
  QStringList texts = {"p",    "PA",      "payh", "payx", "pingan", "pinganyinh", "zhong",
                       "ZGYH", "zzzz",    "a",    "zjjt", "cjdl",   "zjdl",       "000",
                       "0001", "600",     "if24", "sz",   "gf",     "yh",         "jt2",
                       "ST",   "xinyong", "wkA",  "qq",   "h",      "zhongguo",   "shenzhen"};
  texts << QString(64, QLatin1Char('a')) << QString(65, QLatin1Char('a'))
        << QString("zgba").repeated(16) << QString("zgba").repeated(16) + "z";
  int codeNumber = 0;
  int compared = 0;
  int matched = 0;
  for (const QString& text : texts) {
    const CQuery q = makeQuery(text);
    ASSERT_EQ(q.bitParallel, text.size() <= 64) << text.toStdString();
    for (const InstrumentName& entry : kInstrumentNames) {
      const QString name = QString::fromUtf8(entry.name);
      // Codes of the lists' shapes, the initials among them, so that the
      // code classes and a code substring come up too.
      const QString codes[] = {QString::number(codeNumber++ % 1000000).rightJustified(6, '0'),
                               QString::fromLatin1(entry.initials) + "2406"};
      for (const QString& code : codes) {
        const std::uint64_t signature =
            signatureOf(code.utf16(), code.size(), name.utf16(), name.size());
        const int expected = referenceClass(q, code, name);
        matched += expected != kNoClass;
        for (int maxClass = 0; maxClass <= 5; ++maxClass) {
          SCOPED_TRACE(text.toStdString() + " / " + code.toStdString() + " " + entry.name +
                       " / maxClass " + std::to_string(maxClass));
          const int got = rankClassOf(q, code.utf16(), code.size(), name.utf16(), name.size(),
                                      signature, maxClass);
          ASSERT_EQ(got, expected <= maxClass ? expected : kNoClass);
          ++compared;
        }
      }
    }
  }
  // Both outcomes came up often, or the comparison proves little.
  EXPECT_GT(matched, 500);
  EXPECT_GT(compared - matched * 6, 10000);
}

TEST(QuickSearchLatin, initialsTableAgreesWithTheLookup) {
  const GU::CPinyinInitialsTable& table = GU::pinyinInitialsTable();
  ASSERT_LT(table.first, table.last);
  ASSERT_GT(table.paletteSize, 1);
  int withReading = 0;
  for (uint c = table.first; c <= table.last; ++c) {
    const int index = table.paletteIndex[c - table.first];
    ASSERT_LT(index, table.paletteSize);
    ASSERT_EQ(table.palette[index], GU::pinyinInitials(c)) << std::hex << c;
    withReading += table.palette[index] != 0;
  }
  EXPECT_GT(withReading, 20000);  // the unified ideographs nearly all have one
  EXPECT_EQ(GU::pinyinInitials(table.first - 1), 0u);
}

}  // namespace
