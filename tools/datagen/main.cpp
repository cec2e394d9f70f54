// lw-datagen: writes the bundled sample data set or a large synthetic one.
// See CGeneratorOptions::usage() for the command line.

#include "datagen/datagenerator.h"
#include "datagen/generatoroptions.h"
#include "datagen/sampledataset.h"

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  datagen::GeneratorOptions options;
  std::string error;
  bool help = false;
  if (!datagen::CGeneratorOptions::parse(args, options, &error, &help)) {
    std::fprintf(stderr, "lw-datagen: %s\n\n%s", error.c_str(),
                 datagen::CGeneratorOptions::usage().c_str());
    return 2;
  }
  if (help) {
    std::fputs(datagen::CGeneratorOptions::usage().c_str(), stdout);
    return 0;
  }
  const auto start = std::chrono::steady_clock::now();
  datagen::GenerationSummary summary;
  const bool written =
      options.sample ? datagen::CSampleDataSet::write(options.outputDirectory, &summary, &error)
                     : datagen::CDataGenerator::generate(options, &summary, &error);
  if (!written) {
    std::fprintf(stderr, "lw-datagen: %s\n", error.c_str());
    return 1;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf(
      "%s: %lld instruments, %lld fund plans, %lld inter-bank bonds, %lld tender bonds, "
      "%lld order commands (%lld tender), %lld bond trading records in %.2f s\n",
      options.outputDirectory.c_str(), summary.instruments, summary.fundPlans,
      summary.interBankBonds, summary.tenderBonds, summary.orderCommands, summary.tenderCommands,
      summary.bondTradeInfos, seconds);
  for (const auto& entry : summary.listedByTradeType) {
    std::printf("  trading type %#10x: %lld\n", static_cast<unsigned>(entry.first), entry.second);
  }
  return 0;
}
