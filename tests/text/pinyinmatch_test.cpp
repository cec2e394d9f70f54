#include "host/text/pinyinmatch.h"

#include <gtest/gtest.h>

#include <QVector>
#include <random>
#include <vector>

#include "instrumentnames.h"

namespace {

quint32 bit(char letter) { return 1u << (letter - 'a'); }

QString u16(std::initializer_list<ushort> units) {
  QString s;
  for (ushort u : units) s.append(QChar(u));
  return s;
}

struct MatchCase {
  QString text;
  QString filter;
  bool matches;
};

void expectMatches(const std::vector<MatchCase>& cases) {
  for (const MatchCase& c : cases) {
    EXPECT_EQ(GU::isInByPy(c.text, c.filter), c.matches)
        << "text \"" << c.text.toStdString() << "\" filter \"" << c.filter.toStdString() << '"';
    // The compiled filter and the buffer overload answer the same, reading
    // no further than the text: the buffer goes on with the filter itself,
    // which a reader past the end would find.
    const QString buffer = c.text + c.filter + c.filter;
    const ushort* units = buffer.utf16();
    EXPECT_EQ(GU::isInByPy(units, c.text.size(), c.filter), c.matches)
        << "buffer: text \"" << c.text.toStdString() << "\" filter \"" << c.filter.toStdString()
        << '"';
    const GU::CPinyinFilter compiled(c.filter);
    EXPECT_EQ(compiled.matches(units, c.text.size()), c.matches)
        << "compiled: text \"" << c.text.toStdString() << "\" filter \"" << c.filter.toStdString()
        << '"';
  }
}

TEST(PinyinInitials, keepsEveryReadingOfAPolyphone) {
  EXPECT_EQ(GU::pinyinInitials(U'行') & (bit('h') | bit('x')), bit('h') | bit('x'));
  EXPECT_EQ(GU::pinyinInitials(U'长') & (bit('c') | bit('z')), bit('c') | bit('z'));
  EXPECT_EQ(GU::pinyinInitials(U'重') & (bit('c') | bit('z')), bit('c') | bit('z'));
  EXPECT_EQ(GU::pinyinInitials(U'厦') & (bit('s') | bit('x')), bit('s') | bit('x'));
  // Syllables without a consonant start with a toned vowel: 阿 ā/ē, 恩 ēn.
  EXPECT_EQ(GU::pinyinInitials(U'阿') & (bit('a') | bit('e')), bit('a') | bit('e'));
  EXPECT_TRUE(GU::pinyinInitials(U'恩') & bit('e'));
  EXPECT_TRUE(GU::pinyinInitials(U'欧') & bit('o'));
  // zh, ch, sh count as their first letter.
  EXPECT_EQ(GU::pinyinInitials(U'中'), bit('z'));
  EXPECT_EQ(GU::pinyinInitials(U'山'), bit('s'));
  EXPECT_EQ(GU::pinyinInitials(U'银'), bit('y'));
}

TEST(PinyinInitials, coversExtensionAndCompatibilityBlocksAndNothingElse) {
  EXPECT_EQ(GU::pinyinInitials(0x3400), bit('q'));      // 㐀 qiū, Extension A
  EXPECT_TRUE(GU::pinyinInitials(0x20000) & bit('h'));  // 𠀀 hē, Extension B
  EXPECT_NE(GU::pinyinInitials(0xF900), 0u);            // 豈, compatibility
  EXPECT_EQ(GU::pinyinInitials(0xF900), GU::pinyinInitials(0x8C48));
  EXPECT_NE(GU::pinyinInitials(0x2F800), 0u);  // compatibility supplement
  for (uint cp : {0u, uint('A'), uint('z'), 0x3000u, 0x33FFu, 0x4DC0u, 0xD800u, 0xDFFFu, 0xFFFDu,
                  0x1F600u, 0x10FFFFu, 0x110000u, 0xFFFFFFFFu}) {
    EXPECT_EQ(GU::pinyinInitials(cp), 0u) << std::hex << cp;
  }
}

TEST(IsInByPy, matchesPolyphonesByAnyReading) {
  expectMatches({
      {"平安银行", "PAYH", true},
      {"平安银行", "PAYX", true},
      {"长江电力", "CJDL", true},
      {"长江电力", "ZJDL", true},
      {"重庆", "CQ", true},
      {"重庆", "ZQ", true},
      {"中国平安", "ZGPA", true},
      {"中国平安", "GPA", true},
      {"中国平安", "PA", true},
      {"厦门空港", "XMKG", true},
      {"厦门空港", "SMKG", true},
      {"大参林", "DSL", true},
      {"大参林", "DCL", true},
  });
}

TEST(IsInByPy, filtersBySubstringNotSubsequence) {
  expectMatches({
      {"中国平安", "ZPA", false},  // skips 国
      {"中国平安", "ZGPZ", false},
      {"中国平安", "AP", false},   // reversed
      {"平安银行", "BAYH", true},  // 平 also reads bìng/bēng
      {"平安银行", "PAYHX", false},
      {"平安银行", "YHPA", false},
      {"平安银行", "安银", true},  // Chinese characters of the filter match themselves
      {"平安银行", "安Y", true},
      {"平安银行", "银安", false},
      {"平安银行", "行", true},
      {"平安银行", "平银", false},
  });
}

TEST(IsInByPy, treatsLettersOfEitherCaseAlike) {
  expectMatches({
      {"平安银行", "payh", true},
      {"平安银行", "PaYh", true},
      {"长江电力", "cjdl", true},
      {"ST康美", "stkm", true},
      {"Abc", "aBC", true},
      {"TCL科技", "tclkj", true},
      {"TCL科技", "tcLKJ", true},
  });
}

TEST(IsInByPy, mixesLatinDigitsAndChinese) {
  expectMatches({
      {"ST康美", "STKM", true},
      {"ST康美", "TK", true},
      {"ST康美", "KM", true},
      {"ST康美", "SK", false},
      {"*ST海航", "*STHH", true},
      {"*ST海航", "STHH", true},
      {"*ST海航", "*", true},
      {"*ST海航", " ST", false},  // a space must match a space
      {"*ST海航", "-ST", false},
      {"中信证券A", "ZXZQA", true},
      {"中信证券A", "zqa", true},
      {"中信证券A", "A", true},
      {"中信证券A", "ZXZQB", false},
      {"50ETF购3月", "50ETFG3Y", true},
      {"50ETF购3月", "50etfg3y", true},
      {"50ETF购3月", "ETFG", true},
      {"50ETF购3月", "0E", true},
      {"50ETF购3月", "3Y", true},
      {"50ETF购3月", "G4Y", false},
      {"50ETF购3月", "5OE", false},  // the letter O is not the digit 0
      {"21国债01", "21GZ01", true},
      {"21国债01", "1G", true},
      {"21国债01", "21GZ02", false},
      {"中-国", "ZG", false},  // a filter letter never matches punctuation
      {"中-国", "Z-G", true},
      {"中 国", "Z G", true},
      {"ＳＴ康美", "STKM", true},  // full-width letters count as ASCII
      {"中信证券Ａ", "zxzqa", true},
      {"平安银行", "ＰＡＹＨ", true},
      {"５０ETF", "50E", true},
      {"Ärzte 中", "äRZTE Z", true},  // other letters compare case-folded
  });
}

TEST(IsInByPy, handlesEmptyAndOverlongFilters) {
  expectMatches({
      {"", "", true},
      {QString(), QString(), true},
      {"平安银行", "", true},
      {"", "P", false},
      {QString(), "P", false},
      {"平安", "PAYH", false},
      {"ab", "abc", false},
      {"abc", "abc", true},
  });
}

TEST(IsInByPy, treatsSurrogatePairsAsOneCharacterAndSurvivesBrokenUtf16) {
  const QString emoji = QString::fromUcs4(U"\U0001F600");
  const QString extB = QString::fromUcs4(U"\U00020000");  // 𠀀 hē
  const QString hi = u16({0xD800});
  const QString lo = u16({0xDC00});
  expectMatches({
      {emoji + "平安", "PA", true},
      {emoji + "平安", emoji + "P", true},
      {emoji + "平安", emoji, true},
      {emoji + "平安", "XPA", false},  // the emoji has no initial
      {emoji, "X", false},
      {emoji, "XX", false},  // two units of text, but one character
      {"平" + extB + "安", "PHA", true},
      {"平" + extB + "安", "PA", false},
      {"平" + hi + "安", "PA", false},  // a lone surrogate is a character of its own
      {"平" + hi + "安", "P", true},
      {"平安" + hi, "PA", true},
      {lo + "平安", "PA", true},
      {"a" + hi + "b", "a" + hi + "b", true},
      {hi + lo, hi, false},  // half of a pair is not the pair
      {"a" + hi, hi + lo, false},
      {lo + hi, lo + hi, true},  // reversed halves are two lone surrogates
      {hi + hi + lo, hi, true},
  });
}

TEST(IsInByPy, staysCorrectAtTheSixtyFourCharacterBoundary) {
  const QString name = "x" + QString("平安银行").repeated(20);
  const QString initials = QString("PAYH").repeated(16);
  expectMatches({
      {name, initials.left(63), true},
      {name, initials, true},        // 64: the last single-word filter
      {name, initials + "P", true},  // 65: the multi-word path
      {name, initials + "X", false},
      {name, "X" + initials, true},  // x is a letter of the text
      {name, "XP" + initials, false},
      {name, QString("PAYH").repeated(20), true},  // all 80 characters
      {name, QString("PAYH").repeated(20) + "P", false},
      {QString("a").repeated(127) + "b", QString("a").repeated(127) + "b", true},
      {QString("a").repeated(127) + "b", QString("a").repeated(128), false},
  });
}

// The shift-and matcher against the obvious retry-at-every-start loop, on
// random texts over an alphabet rich in the cases that differ: polyphones,
// case, digits, punctuation, surrogate pairs and lone surrogates.
QVector<uint> codePoints(const QString& s) {
  QVector<uint> out;
  for (int i = 0; i < s.size(); ++i) {
    const uint c = s.at(i).unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
      out.append(QChar::surrogateToUcs4(ushort(c), s.at(i + 1).unicode()));
      ++i;
    } else {
      out.append(c);
    }
  }
  return out;
}

bool referenceMatch(const QVector<uint>& text, const QVector<uint>& filter) {
  auto fold = [](uint c) { return c >= 0xFF10 && c <= 0xFF5A ? c - 0xFEE0 : c; };
  auto isLetter = [](uint c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  auto same = [&](uint t, uint f) {
    t = fold(t);
    f = fold(f);
    if (!isLetter(f)) return t == f;
    const uint lower = f | 0x20;
    if (isLetter(t)) return (t | 0x20) == lower;
    return (GU::pinyinInitials(t) & (1u << (lower - 'a'))) != 0;
  };
  for (int start = 0; start + filter.size() <= text.size(); ++start) {
    int j = 0;
    while (j < filter.size() && same(text[start + j], filter[j])) ++j;
    if (j == filter.size()) return true;
  }
  return filter.isEmpty();
}

TEST(IsInByPy, agreesWithAReferenceMatcherOnRandomInput) {
  const QVector<QString> textAlphabet = {"平",
                                         "安",
                                         "银",
                                         "行",
                                         "长",
                                         "重",
                                         "a",
                                         "B",
                                         "Ｃ",
                                         "1",
                                         "*",
                                         " ",
                                         QString::fromUcs4(U"\U00020000"),
                                         u16({0xD800}),
                                         u16({0xDC00})};
  // Enough distinct non-Latin characters that long filters hold more than a
  // handful of them.
  const QVector<QString> filterAlphabet = {
      "p",  "A",  "y",  "H",  "x",  "c",  "Z",  "b",  "1",           "*",           " ",  "e", "平",
      "安", "银", "行", "长", "重", "中", "国", "。", u16({0xD800}), u16({0xDC00}), "Ｃ", "ａ"};
  std::mt19937 random(42);
  int matched = 0;
  for (int round = 0; round < 6000; ++round) {
    QVector<QString> pieces;
    const int textLength = random() % 160;
    for (int i = 0; i < textLength; ++i)
      pieces.append(textAlphabet[random() % textAlphabet.size()]);
    QString text;
    for (const QString& piece : pieces) text += piece;
    // Filters cut from the text's own initials make long matches, across the
    // 64-character boundary and nearly as long as the text (the plain-loop
    // path of long filters); random filters make mostly misses.
    int start = 0, filterLength = 0;
    const int kind = round % 4;
    if (kind == 0 && textLength > 0) {
      start = random() % textLength;
      filterLength = random() % 80;
    } else if (kind == 1 && textLength > 0) {
      start = random() % 3;
      filterLength = textLength - start - random() % 3;
    } else {
      filterLength = kind == 2 ? random() % 4 : random() % 80;
    }
    QString filter;
    if (kind <= 1) {
      for (int i = start; i < textLength && i < start + filterLength; ++i) {
        const quint32 initials = GU::pinyinInitials(codePoints(pieces[i]).value(0));
        filter += initials ? QString(QChar('A' + __builtin_ctz(initials))) : pieces[i];
      }
      // Now and then spoil one character so that near misses are tested too.
      if (!filter.isEmpty() && random() % 4 == 0) filter[int(random() % filter.size())] = 'Q';
    } else {
      for (int i = 0; i < filterLength; ++i)
        filter += filterAlphabet[random() % filterAlphabet.size()];
    }
    const bool expected = referenceMatch(codePoints(text), codePoints(filter));
    matched += expected;
    ASSERT_EQ(GU::isInByPy(text, filter), expected)
        << "text \"" << text.toStdString() << "\" filter \"" << filter.toStdString() << '"';
  }
  EXPECT_GT(matched, 1000);
}

TEST(IsInByPy, handlesHundredThousandCharacterStrings) {
  const QString names = QString("平安银行").repeated(25000) + "中国";
  EXPECT_TRUE(GU::isInByPy(names, "ZG"));
  EXPECT_TRUE(GU::isInByPy(names, "HZG"));
  EXPECT_FALSE(GU::isInByPy(names, "ZGX"));
  EXPECT_TRUE(GU::isInByPy(names, names.right(3000)));
  EXPECT_FALSE(GU::isInByPy(names, names + "Z"));
  // Worst case for a retry-at-every-start matcher: 5,000 steps per start.
  const QString as(100000, QLatin1Char('a'));
  EXPECT_FALSE(GU::isInByPy(as, QString(5000, QLatin1Char('A')) + "b"));
  EXPECT_TRUE(GU::isInByPy(as + "b", QString(5000, QLatin1Char('A')) + "b"));
  EXPECT_TRUE(GU::isInByPy(as + "b", QString(70, QLatin1Char('a')) + "b"));
  EXPECT_TRUE(GU::isInByPy(as, as));
  EXPECT_TRUE(GU::isInByPy(as + "b", as.left(99990) + "ab"));
  EXPECT_FALSE(GU::isInByPy(as + "b", as.left(99990) + "bb"));
  // Thousands of distinct characters repeated: too many masks for a long filter,
  // matched by the plain loop instead.
  QString cycle;
  for (char32_t c = 0x4E00; c < 0x4E00 + 1000; ++c) cycle += QChar(ushort(c));
  const QString distinct = cycle.repeated(100);
  EXPECT_TRUE(GU::isInByPy(distinct, distinct));
  EXPECT_TRUE(GU::isInByPy("x" + distinct, distinct));
  EXPECT_FALSE(GU::isInByPy(distinct, distinct.left(99999) + "x"));
  EXPECT_TRUE(GU::isInByPy(distinct, distinct.mid(500, 90000)));
  const QString pairs = QString::fromUcs4(U"\U00020000").repeated(60000);  // 120,000 units
  EXPECT_TRUE(GU::isInByPy(pairs, QString("H").repeated(2000)));
  EXPECT_FALSE(GU::isInByPy(pairs, QString("H").repeated(60001)));
  EXPECT_FALSE(GU::isInByPy(pairs + "y", QString("H").repeated(2000) + "HX"));
}

// Every name must be found by the initials of its everyday reading, the way
// traders type them; a miss means the table lost a reading.
TEST(IsInByPy, findsInstrumentNamesByTheirEverydayInitials) {
  int checked = 0;
  for (const InstrumentName& n : kInstrumentNames) {
    const QString name = QString::fromUtf8(n.name);
    const QString initials = QString::fromLatin1(n.initials);
    ASSERT_EQ(codePoints(name).size(), initials.size()) << "bad test data for " << n.name;
    EXPECT_TRUE(GU::isInByPy(name, initials)) << n.name << " " << n.initials;
    EXPECT_TRUE(GU::isInByPy(name, initials.toLower())) << n.name;
    // Its last character alone, and the whole name as typed in Chinese.
    EXPECT_TRUE(GU::isInByPy(name, initials.right(1))) << n.name;
    EXPECT_TRUE(GU::isInByPy(name, name)) << n.name;
    ++checked;
  }
  EXPECT_GE(checked, 300);
}

}  // namespace
