#pragma once
// IDataKey: what an account-data subscription listens to and what a
// publication is filed under: a data type (535 for order commands) and a
// record's data key (IData::getKey()).
//
// A subscription whose key text is empty receives every record of its data
// type; a non-empty key receives only the record with exactly that key.
// Publications always carry the record's full key.

#include "lwhost_data_export.h"

#include "host/services/subtable.h"

#include <string>
#include <tuple>

namespace mxservice {

struct LWHOST_DATA_EXPORT IDataKey {
  IDataKey() = default;
  IDataKey(int dataType, std::string key) : dataType(dataType), key(std::move(key)) {}

  int dataType = 0;
  std::string key;  // empty in a subscription: every record of dataType

  bool operator==(const IDataKey& other) const {
    return dataType == other.dataType && key == other.key;
  }
  bool operator!=(const IDataKey& other) const { return !(*this == other); }
  bool operator<(const IDataKey& other) const {
    return std::tie(dataType, key) < std::tie(other.dataType, other.key);
  }
};

}  // namespace mxservice

namespace utils {

template <>
struct SubKeyMatch<mxservice::IDataKey> {
  bool operator()(const mxservice::IDataKey& subscribed,
                  const mxservice::IDataKey& published) const {
    return subscribed.dataType == published.dataType &&
           (subscribed.key.empty() || subscribed.key == published.key);
  }
};

}  // namespace utils
