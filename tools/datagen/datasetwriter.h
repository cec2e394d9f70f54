#pragma once
// Writes the files of one data-set directory (docs/data-format.md): the seven
// JSON Lines files record by record, then config.json and enums.json.
//
// Lines are buffered and written in large blocks, so a set of a hundred
// thousand instruments costs a few dozen writes. Every file of the format is
// created, even when it stays empty, because the loader reports a missing
// file. A failed write is remembered and reported by finish(); nothing throws.
//
// Not thread-safe: one writer per thread. Files are closed by finish() or the
// destructor.

#include "datagen/records.h"

#include <fstream>
#include <map>
#include <memory>
#include <string>

namespace datagen {

class CDataSetWriter {
public:
  CDataSetWriter();
  ~CDataSetWriter();
  CDataSetWriter(const CDataSetWriter&) = delete;
  CDataSetWriter& operator=(const CDataSetWriter&) = delete;

  // Creates the directory (and its parents) and the seven .jsonl files,
  // replacing files of a previous set. False with *error set on failure.
  bool open(const std::string& directory, std::string* error);

  void write(const ExchangeRecord& record);
  void write(const InstrumentRecord& record);
  void write(const FundPlanRecord& record);
  void write(const InterBankBondRecord& record);
  void write(const TenderBondRecord& record);
  void write(const OrderCommandRecord& record);
  void write(const BondTradeInfoRecord& record);

  // Writes config.json and enums.json, flushes and closes every file.
  bool finish(const ConfigRecord& config,
              const std::map<std::string, std::map<int, std::string>>& enumNames,
              std::string* error);

  long long lineCount(const std::string& fileName) const;

private:
  struct OutputFile;
  OutputFile& file(int index);
  template <typename Record>
  void append(int index, const Record& record);

  std::string m_directory;
  std::unique_ptr<OutputFile> m_files[7];
};

}  // namespace datagen
