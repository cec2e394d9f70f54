#pragma once
// Reading the tender parameters of an order command.
//
// A tender order command links itself to its bond through the "btdparam"
// document inside its parameters: the host writes a CBondTendersParam there
// when it creates the command. Everything the tender workflow knows about
// which command belongs to which bond comes through this one reader.
//
// Threads: any; the reader keeps no state and BSON objects are safe to read
// concurrently.

#include "host/bson/bsonobj.h"
#include "host/data/bondtendersparam.h"

#include <boost/shared_ptr.hpp>
#include <string>

namespace LW {

// Looks the field "btdparam" up in parameters. Returns false when the field is
// absent (out untouched). When it holds an embedded document, out is set to a
// new CBondTendersParam filled from it by the host's generic reader (unknown
// fields ignored, damaged fields left at their defaults). A field of any other
// type leaves out untouched, yet the result is true: callers decide by out,
// never by the result, so such a command belongs to no bond.
bool readBondTendersParam(bson::BSONObj parameters,
                          boost::shared_ptr<mxservice::CBondTendersParam>& out);

// The bond code alone, as readBondTendersParam() would set it in out, without
// building the record: false exactly when readBondTendersParam() would leave
// out unset. The status of thousands of bonds is derived from tens of
// thousands of commands, and the bond code is all that derivation needs.
bool readTenderBondCode(const bson::BSONObj& parameters, std::string* bondCode);

}  // namespace LW
