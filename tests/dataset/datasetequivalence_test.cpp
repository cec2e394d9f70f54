// The data-set reader against golden dumps recorded from the reader as it
// was before the JSON lines were parsed with simdjson and the files loaded in
// parallel: the same records in the same order, the same configuration and
// the same error lines (file, line and wording) on the bundled sample, on a
// generated mixed set and on a set with every kind of damage.
#include "damageddataset.h"
#include "datasetdump.h"

#include "datagen/datagenerator.h"
#include "host/data/datasetloader.h"

#include <gtest/gtest.h>
#include <QCryptographicHash>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <functional>

using namespace dataset_test;

namespace {

const QDate kToday(2027, 3, 10);

// Large dumps are kept as their SHA-256 and line count ("<hex> <lines>\n");
// a mismatch writes the actual dump next to the test's working directory for
// a diff against a dump written by the reader of the commit before.
struct GoldenCase {
  const char* golden;
  bool digestOnly;
  // Lines the JSON reader must leave to BSON: more means the fast path got
  // lost. In the damaged set: the 33 lines that are not JSON objects, six
  // with extended JSON or "$" keys, a number past the int64 range,
  // a "\u0000" and a 70-level nesting; the sample and generated sets
  // are plain JSON throughout.
  std::size_t bsonLines;
  // Fills the directory (or names another one) and returns the directory to load.
  std::function<std::string(const std::string& scratch)> prepare;
};

std::string sampleDir(const std::string&) {
  const char* source = std::getenv("LW_SOURCE_DIR");
  return std::string(source ? source : ".") + "/data/sample";
}

std::string generatedDir(const std::string& scratch) {
  datagen::GeneratorOptions options;
  options.outputDirectory = scratch;
  options.instruments = 300;
  options.mixed = true;
  options.tenderBonds = 12;
  options.orderCommands = 40;
  options.seed = 16;
  std::string error;
  EXPECT_TRUE(datagen::CDataGenerator::generate(options, nullptr, &error)) << error;
  return scratch;
}

std::string damagedDir(const std::string& scratch) {
  EXPECT_TRUE(writeDamagedDataSet(scratch));
  return scratch;
}

std::string digestOf(const std::string& dump) {
  const QByteArray hash =
      QCryptographicHash::hash(QByteArray::fromStdString(dump), QCryptographicHash::Sha256);
  const auto lines = std::count(dump.begin(), dump.end(), '\n');
  return hash.toHex().toStdString() + " " + std::to_string(lines) + "\n";
}

struct LoadVariant {
  const char* name;
  int threads;
  bool useJsonReader;
};
const LoadVariant kVariants[] = {
    {"bson-1", 1, false}, {"json-1", 1, true}, {"json-2", 2, true},
    {"json-3", 3, true},  {"json-8", 8, true}, {"json-default", 0, true},
};

const GoldenCase kCases[] = {
    {"sample.sha256", true, 0, &sampleDir},
    {"generated.sha256", true, 0, &generatedDir},
    {"damaged.dump", false, 42, &damagedDir},
};

}  // namespace

TEST(DataSetEquivalence, loadsExactlyTheGoldenRecordsAndErrors) {
  const bool rewrite = std::getenv("LW_WRITE_GOLDEN") != nullptr;
  for (const GoldenCase& c : kCases) {
    SCOPED_TRACE(c.golden);
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const std::string dir = c.prepare(scratch.path().toStdString());
    // Every line through BSON on one thread (the reader as it was), and the
    // JSON reader on several thread counts: all must give the golden dump.
    for (const LoadVariant& variant : kVariants) {
      SCOPED_TRACE(variant.name);
      mxservice::DataSetLoadOptions options;
      options.threads = variant.threads;
      options.useJsonReader = variant.useJsonReader;
      mxservice::DataSetLoadProgress last;
      options.progress = [&last](const mxservice::DataSetLoadProgress& p) { last = p; };
      const std::string dump = dumpDataSet(mxservice::loadDataSet(dir, kToday, options));
      if (variant.useJsonReader) {
        EXPECT_EQ(last.bsonLines, c.bsonLines);
      }
      const std::string actual = c.digestOnly ? digestOf(dump) : dump;
      if (rewrite) {
        ASSERT_TRUE(writeText(goldenPath(c.golden), actual));
        break;
      }
      std::string expected;
      ASSERT_TRUE(readText(goldenPath(c.golden), expected)) << goldenPath(c.golden);
      EXPECT_EQ(firstDifference(expected, actual), "");
      EXPECT_EQ(expected.size(), actual.size());
      if (c.digestOnly && expected != actual) {
        const std::string saved = std::string(c.golden) + "." + variant.name + ".actual";
        writeText(saved, dump);
        ADD_FAILURE() << "the dump differs; written to " << saved;
      }
    }
  }
}
