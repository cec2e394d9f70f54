#pragma once
// The bundled sample data set (data/sample): a few hundred instruments over
// every trading type with a list, fund plans, inter-bank bonds, forty tender
// bonds whose order commands produce every tender status (ten of them
// tendering on the load day, so the tender panel's first search shows them
// all), bond trading records and the configuration of a user of type 200.
//
// Built from the same factories as the large sets, from a fixed seed, then
// completed by hand where a case must be present (a delisting-arrangement
// share, qualified-investor and clean-price bonds, the repo codes, a futures
// fee of -1, stock options named like 50ETF购3月3000, ...). The output does not
// depend on the date: tender dates are relative to the load day.
// Stateless; any thread.

#include "datagen/datagenerator.h"

#include <string>

namespace datagen {

class CSampleDataSet {
public:
  static bool write(const std::string& directory, GenerationSummary* summary, std::string* error);
};

}  // namespace datagen
