#pragma once
// JSON text of the records of records.h, in the field names and order of
// docs/data-format.md. Each function appends one object (no line break).
// Pure functions: any thread.

#include "datagen/records.h"

#include <map>
#include <string>

namespace datagen {

void appendJson(std::string& out, const ExchangeRecord& record);
void appendJson(std::string& out, const InstrumentRecord& record);
void appendJson(std::string& out, const FundPlanRecord& record);
void appendJson(std::string& out, const InterBankBondRecord& record);
void appendJson(std::string& out, const TenderBondRecord& record);
void appendJson(std::string& out, const OrderCommandRecord& record);
void appendJson(std::string& out, const BondTradeInfoRecord& record);
void appendJson(std::string& out, const ConfigRecord& record);
// enums.json: enum name -> value -> display text.
void appendEnumsJson(std::string& out,
                     const std::map<std::string, std::map<int, std::string>>& enumNames);

}  // namespace datagen
