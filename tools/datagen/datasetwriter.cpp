#include "datagen/datasetwriter.h"

#include "datagen/recordjson.h"

#include <filesystem>
#include <system_error>

namespace datagen {

namespace {

const char* const kFileNames[7] = {
    "exchanges.jsonl",    "instruments.jsonl",    "fundplans.jsonl",       "interbank_bonds.jsonl",
    "tender_bonds.jsonl", "order_commands.jsonl", "bond_trade_infos.jsonl"};
enum FileIndex { Exchanges, Instruments, FundPlans, InterBank, Tenders, Commands, TradeInfos };

constexpr std::size_t kFlushBytes = 1 << 20;

}  // namespace

struct CDataSetWriter::OutputFile {
  std::string path;
  std::ofstream stream;
  std::string buffer;
  long long lines = 0;
  bool failed = false;

  void flush() {
    if (buffer.empty() || failed) return;
    stream.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    failed = !stream.good();
    buffer.clear();
  }
};

CDataSetWriter::CDataSetWriter() = default;
CDataSetWriter::~CDataSetWriter() = default;

bool CDataSetWriter::open(const std::string& directory, std::string* error) {
  m_directory = directory;
  std::error_code code;
  std::filesystem::create_directories(directory, code);
  if (code) {
    if (error != nullptr) *error = "cannot create " + directory + ": " + code.message();
    return false;
  }
  for (int i = 0; i < 7; ++i) {
    m_files[i] = std::make_unique<OutputFile>();
    m_files[i]->path = (std::filesystem::path(directory) / kFileNames[i]).string();
    m_files[i]->stream.open(m_files[i]->path, std::ios::binary | std::ios::trunc);
    if (!m_files[i]->stream.is_open()) {
      if (error != nullptr) *error = "cannot write " + m_files[i]->path;
      return false;
    }
  }
  return true;
}

CDataSetWriter::OutputFile& CDataSetWriter::file(int index) { return *m_files[index]; }

template <typename Record>
void CDataSetWriter::append(int index, const Record& record) {
  if (!m_files[index]) return;  // not opened: open() reported why
  OutputFile& out = file(index);
  appendJson(out.buffer, record);
  out.buffer.push_back('\n');
  ++out.lines;
  if (out.buffer.size() >= kFlushBytes) out.flush();
}

void CDataSetWriter::write(const ExchangeRecord& r) { append(Exchanges, r); }
void CDataSetWriter::write(const InstrumentRecord& r) { append(Instruments, r); }
void CDataSetWriter::write(const FundPlanRecord& r) { append(FundPlans, r); }
void CDataSetWriter::write(const InterBankBondRecord& r) { append(InterBank, r); }
void CDataSetWriter::write(const TenderBondRecord& r) { append(Tenders, r); }
void CDataSetWriter::write(const OrderCommandRecord& r) { append(Commands, r); }
void CDataSetWriter::write(const BondTradeInfoRecord& r) { append(TradeInfos, r); }

bool CDataSetWriter::finish(const ConfigRecord& config,
                            const std::map<std::string, std::map<int, std::string>>& enumNames,
                            std::string* error) {
  std::string firstError;
  for (auto& f : m_files) {
    if (!f) continue;
    f->flush();
    f->stream.close();
    if ((f->failed || f->stream.fail()) && firstError.empty())
      firstError = "cannot write " + f->path;
  }
  const auto writeWhole = [&](const char* name, const std::string& text) {
    const std::string path = (std::filesystem::path(m_directory) / name).string();
    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    stream.write(text.data(), static_cast<std::streamsize>(text.size()));
    stream.close();
    if (stream.fail() && firstError.empty()) firstError = "cannot write " + path;
  };
  std::string configText;
  appendJson(configText, config);
  configText.push_back('\n');
  writeWhole("config.json", configText);
  std::string enumsText;
  appendEnumsJson(enumsText, enumNames);
  writeWhole("enums.json", enumsText);
  if (!firstError.empty() && error != nullptr) *error = firstError;
  return firstError.empty();
}

long long CDataSetWriter::lineCount(const std::string& fileName) const {
  for (int i = 0; i < 7; ++i) {
    if (fileName == kFileNames[i] && m_files[i]) return m_files[i]->lines;
  }
  return 0;
}

}  // namespace datagen
