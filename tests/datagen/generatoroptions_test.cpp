// The lw-datagen command line.
#include "datagen/generatoroptions.h"

#include <gtest/gtest.h>

using datagen::CGeneratorOptions;
using datagen::GeneratorOptions;

TEST(GeneratorOptions, parsesValidCommandLines) {
  struct Case {
    std::vector<std::string> args;
    long long instruments, tenders, commands;
    bool mixed;
    int tradeType;
    std::uint64_t seed;
    bool sample;
  };
  const Case cases[] = {
      {{"--out", "d"}, 100000, 5000, 50000, false, 1, 1, false},
      {{"--out", "d", "--instruments", "0", "--tender-bonds", "7", "--order-commands", "20000000"},
       0,
       7,
       20000000,
       false,
       1,
       1,
       false},
      {{"--trade-type", "0x8000", "--out", "d"}, 100000, 5000, 50000, false, 0x8000, 1, false},
      {{"--out", "d", "--trade-type", "16384"}, 100000, 5000, 50000, false, 16384, 1, false},
      {{"--out", "d", "--trade-type", "mixed", "--seed", "18446744073709551615"},
       100000,
       5000,
       50000,
       true,
       0,
       18446744073709551615ULL,
       false},
      {{"--out", "d", "--seed", "0x10"}, 100000, 5000, 50000, false, 1, 16, false},
      {{"--sample", "--out", "d"}, 100000, 5000, 50000, false, 1, 1, true},
  };
  for (const Case& c : cases) {
    GeneratorOptions options;
    std::string error;
    bool help = true;
    ASSERT_TRUE(CGeneratorOptions::parse(c.args, options, &error, &help)) << error;
    EXPECT_FALSE(help);
    EXPECT_EQ(options.outputDirectory, "d");
    EXPECT_EQ(options.instruments, c.instruments);
    EXPECT_EQ(options.tenderBonds, c.tenders);
    EXPECT_EQ(options.orderCommands, c.commands);
    EXPECT_EQ(options.mixed, c.mixed);
    if (!c.mixed) {
      EXPECT_EQ(options.tradeType, c.tradeType);
    }
    EXPECT_EQ(options.seed, c.seed);
    EXPECT_EQ(options.sample, c.sample);
  }
}

TEST(GeneratorOptions, rejectsBadArgumentsNamingThemAndKeepsTheOptions) {
  struct Case {
    std::vector<std::string> args;
    const char* mentions;
  };
  const Case cases[] = {
      {{}, "--out"},
      {{"--out"}, "missing value"},
      {{"--out", ""}, "empty"},
      {{"--out", "d", "--instruments"}, "missing value"},
      {{"--out", "d", "--instruments", "-1"}, "'-1'"},
      {{"--out", "d", "--instruments", "20000001"}, "20000001"},
      {{"--out", "d", "--instruments", "12abc"}, "12abc"},
      {{"--out", "d", "--instruments", " 5"}, "' 5'"},
      {{"--out", "d", "--instruments", "99999999999999999999999"}, "9999"},
      {{"--out", "d", "--trade-type", "3"}, "'3'"},
      {{"--out", "d", "--trade-type", "0xC5DFF"}, "0xC5DFF"},
      {{"--out", "d", "--trade-type", "0x8000000"}, "0x8000000"},
      {{"--out", "d", "--trade-type", "0x"}, "'0x'"},
      {{"--out", "d", "--trade-type", "Mixed"}, "Mixed"},
      {{"--out", "d", "--trade-type", "8192"}, "8192"},
      {{"--out", "d", "--seed", "-5"}, "-5"},
      {{"--out", "d", "--bogus"}, "--bogus"},
      {{"d"}, "'d'"},
  };
  for (const Case& c : cases) {
    GeneratorOptions options;
    options.instruments = 123;
    std::string error;
    bool help = false;
    EXPECT_FALSE(CGeneratorOptions::parse(c.args, options, &error, &help)) << c.mentions;
    EXPECT_NE(error.find(c.mentions), std::string::npos)
        << "error '" << error << "' for " << c.mentions;
    EXPECT_EQ(options.instruments, 123) << "options are untouched on failure";
  }
}

TEST(GeneratorOptions, helpNeedsNoOtherArgumentsAndUsageListsCapacities) {
  GeneratorOptions options;
  std::string error;
  bool help = false;
  EXPECT_TRUE(CGeneratorOptions::parse({"--help"}, options, &error, &help));
  EXPECT_TRUE(help);
  const std::string usage = CGeneratorOptions::usage();
  EXPECT_NE(usage.find("--trade-type"), std::string::npos);
  EXPECT_NE(usage.find("0x100000"), std::string::npos);
}
