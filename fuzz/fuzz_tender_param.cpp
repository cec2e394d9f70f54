// Tender parameters of an order command, read from arbitrary BSON bytes.
//
// The bytes are taken twice: as the parameters document itself (what the
// panel hands to readBondTendersParam) and as a whole order command whose
// "params" member is then read, the way commands arrive from the account
// data. For each, the cheap bond-code reader must agree with the full reader,
// as the tender status derivation relies on it, and the record read must
// survive a write and read back unchanged.

#include "fuzzsupport.h"
#include "host/bson/bsonobj.h"
#include "host/data/bondtendersparam.h"
#include "host/data/ordercommand.h"
#include "tender/bondtendersparamreader.h"

#include <boost/shared_ptr.hpp>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

bool sameNumber(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

std::string describe(const mxservice::CBondTendersParam& p) {
  return "bondCode=" + lwfuzz::printable(p.bondCode) +
         " direction=" + lwfuzz::printable(p.direction) + " bidRate=" + std::to_string(p.bidRate) +
         " bidVolume=" + std::to_string(p.bidVolume);
}

// The write-read round trip of a tender parameter record.
void checkRoundTrip(const mxservice::CBondTendersParam& read) {
  const bson::BSONObj written = read.toBsonObj();
  mxservice::CBondTendersParam back;
  std::string errors;
  const bool clean = back.bsonValueFromObj(written, false, &errors);
  LW_FUZZ_CHECK(clean && errors.empty(),
                "a written record reads back with problems: " + lwfuzz::printable(errors) +
                    " from " + written.jsonString());
  LW_FUZZ_CHECK(back.bondCode == read.bondCode && back.direction == read.direction &&
                    sameNumber(back.bidRate, read.bidRate) &&
                    sameNumber(back.bidVolume, read.bidVolume),
                "read " + describe(read) + " came back as " + describe(back));
  LW_FUZZ_CHECK(back.toBsonObj() == written, "a second write differs from the first");
  LW_FUZZ_CHECK(read.getKey() == read.bondCode, "the key of a tender parameter is its bond code");
}

void checkReaders(const bson::BSONObj& parameters) {
  boost::shared_ptr<mxservice::CBondTendersParam> read;
  const bool present = LW::readBondTendersParam(parameters, read);
  LW_FUZZ_CHECK(present || !read, "no btdparam field, yet a record was read");
  LW_FUZZ_CHECK(present == parameters.hasField("btdparam"),
                "the result must say whether btdparam is there");

  std::string bondCode = "\x01unset";
  const bool named = LW::readTenderBondCode(parameters, &bondCode);
  LW_FUZZ_CHECK(named == static_cast<bool>(read),
                std::string("readTenderBondCode ") + (named ? "named a bond" : "named none") +
                    " where readBondTendersParam " + (read ? "read a record" : "read none"));
  if (!read) return;
  LW_FUZZ_CHECK(bondCode == read->bondCode, "bond code " + lwfuzz::printable(bondCode) +
                                                " against the record's " +
                                                lwfuzz::printable(read->bondCode));
  checkRoundTrip(*read);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  lwfuzz::quietHostLog();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  bson::BSONObj document;
  try {
    document = bson::BSONObj::fromBytes(data, size);
  } catch (const bson::BSONError&) {
    return 0;  // refused cleanly: that is all broken bytes may do
  }
  checkReaders(document);

  // The JSON writer sees every BSON type here; its text must be something
  // the reader either takes or refuses with an error, never a crash.
  const std::string json = document.jsonString();
  try {
    (void)bson::BSONObj::fromJson(json);
  } catch (const bson::BSONError&) {
  }

  mxservice::COrderCommand command;
  std::string errors;
  command.bsonValueFromObj(document, false, &errors);
  checkReaders(command.params);
  (void)command.getKey();
  mxservice::COrderCommand copy(command);
  LW_FUZZ_CHECK(copy.toBsonObj() == command.toBsonObj(), "a copied command writes differently");
  return 0;
}
