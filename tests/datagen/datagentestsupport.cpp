#include "datagentestsupport.h"

#include "datagen/vocabulary.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>

namespace datagen_test {

QByteArray readBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

std::vector<QJsonObject> readJsonLines(const QString& path, QStringList* bad) {
  std::vector<QJsonObject> records;
  const QList<QByteArray> lines = readBytes(path).split('\n');
  for (int i = 0; i < lines.size(); ++i) {
    if (lines[i].trimmed().isEmpty()) continue;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(lines[i], &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
      if (bad != nullptr)
        bad->append(QStringLiteral("%1:%2: %3").arg(path).arg(i + 1).arg(error.errorString()));
      continue;
    }
    records.push_back(document.object());
  }
  return records;
}

QJsonObject readJsonObject(const QString& path, QString* problem) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(readBytes(path), &error);
  if (error.error != QJsonParseError::NoError || !document.isObject()) {
    if (problem != nullptr) *problem = path + ": " + error.errorString();
    return QJsonObject();
  }
  return document.object();
}

const std::set<QString>& instrumentFields() {
  static const std::set<QString> fields = {"tradeType",
                                           "marketId",
                                           "code",
                                           "name",
                                           "productCode",
                                           "productName",
                                           "exchangeCode",
                                           "exchangeName",
                                           "underlyingCode",
                                           "currency",
                                           "expireDate",
                                           "deliveryDate",
                                           "priceTick",
                                           "preClose",
                                           "upperLimit",
                                           "lowerLimit",
                                           "preSettlement",
                                           "longMarginRate",
                                           "shortMarginRate",
                                           "floatCapital",
                                           "totalCapital",
                                           "accruedInterest",
                                           "faceValue",
                                           "contractUnit",
                                           "marginUnit",
                                           "strikePrice",
                                           "volumeMultiple",
                                           "maxMarketBuyVolume",
                                           "maxLimitBuyVolume",
                                           "maxMarketSellVolume",
                                           "maxLimitSellVolume",
                                           "maxLimitOrderVolume",
                                           "neeqLayer",
                                           "qualifiedInvestor",
                                           "stockKind",
                                           "attributeFlags",
                                           "commission"};
  return fields;
}

const std::set<QString>& fundPlanFields() {
  static const std::set<QString> fields = [] {
    std::set<QString> all = instrumentFields();
    for (const char* name :
         {"baseInfoType", "fundType", "prStatus", "prevUnitNetValue", "maxSubscriptionAmount",
          "minSubscriptionAmount", "redemptionSettleDays", "minRedemptionUnits", "bonusTypes",
          "supportConversion", "transferAgent", "fundManager", "latestNetValue"}) {
      all.insert(QString::fromLatin1(name));
    }
    return all;
  }();
  return fields;
}

const std::set<QString>& interBankFields() {
  static const std::set<QString> fields = {"market",
                                           "bondCode",
                                           "bondName",
                                           "shortPinyin",
                                           "shCode",
                                           "shName",
                                           "szCode",
                                           "szName",
                                           "issueDate",
                                           "endDate",
                                           "firstValueDate",
                                           "lastTradeDate",
                                           "termYears",
                                           "issuePrice",
                                           "denomination",
                                           "currentDenomination",
                                           "couponPaymentType",
                                           "interestRateType",
                                           "couponRate",
                                           "paymentsPerYear",
                                           "interestDays",
                                           "prevCleanClose"};
  return fields;
}

const std::set<QString>& tenderBondFields() {
  static const std::set<QString> fields = {"status",
                                           "trader",
                                           "internalAmount",
                                           "externalAmount",
                                           "winBidAmount",
                                           "bondCode",
                                           "shortName",
                                           "fullName",
                                           "actionText",
                                           "leadUnderwriter",
                                           "listingCode",
                                           "subscriptionCode",
                                           "bondType",
                                           "bondTypeDetail",
                                           "tenderMarket",
                                           "preMarket",
                                           "crossMarket",
                                           "issueType",
                                           "issuerName",
                                           "issuerCode",
                                           "issuerAttribute",
                                           "issuerType",
                                           "industry",
                                           "issuePrice",
                                           "referenceRate",
                                           "issueTarget",
                                           "minSubscriptionAmount",
                                           "plannedIssueSize",
                                           "actualRaisedAmount",
                                           "expectedYield",
                                           "raiseType",
                                           "termDays",
                                           "termYears",
                                           "faceValue",
                                           "tenderingType",
                                           "tenderTarget",
                                           "bidRangeLow",
                                           "bidRangeHigh",
                                           "bidStep",
                                           "basicBidUnit",
                                           "minBidVolume",
                                           "maxBidVolume",
                                           "issuerRating",
                                           "issueRating",
                                           "lgfvFlag",
                                           "guarantor",
                                           "tenderDate",
                                           "tenderEndDate",
                                           "issueStartDate",
                                           "issueEndDate",
                                           "paymentDate",
                                           "valueDate",
                                           "listingDate",
                                           "maturityDate"};
  return fields;
}

const std::set<QString>& orderCommandFields() {
  static const std::set<QString> fields = {"tradeType",    "commandId", "status",
                                           "passBackText", "userName",  "params"};
  return fields;
}

const std::set<QString>& tenderParamFields() {
  static const std::set<QString> fields = {"bondCode", "direction", "bidRate", "bidVolume"};
  return fields;
}

const std::set<QString>& bondTradeInfoFields() {
  static const std::set<QString> fields = {"marketId",       "code",        "bondType",
                                           "tradeMode",      "pledgeCode",  "conversionRate",
                                           "minTradeVolume", "tradeStatus", "maturityDate"};
  return fields;
}

const std::set<QString>& exchangeFields() {
  static const std::set<QString> fields = {"marketId", "name", "shortName"};
  return fields;
}

const std::set<QString>& commissionFields() {
  static const std::set<QString> fields = {"mode", "open", "close", "intradayOpen",
                                           "intradayClose"};
  return fields;
}

QStringList unknownFields(const QJsonObject& obj, const std::set<QString>& allowed) {
  QStringList unknown;
  for (auto it = obj.begin(); it != obj.end(); ++it) {
    if (allowed.count(it.key()) == 0) unknown.append(it.key());
  }
  return unknown;
}

int derivedTenderStatus(const std::vector<int>& statuses) {
  if (statuses.empty()) return -2;
  for (int status : statuses) {
    if (status == 0 || status == 2 || status == 204 || status == 201) return status;
  }
  for (int status : statuses) {
    if (status != 5) return -2;
  }
  return 5;
}

std::map<QString, int> tenderStatuses(const std::vector<QJsonObject>& bonds,
                                      const std::vector<QJsonObject>& commands) {
  std::map<QString, std::vector<int>> byBond;
  for (const QJsonObject& bond : bonds) byBond[bond.value("bondCode").toString()];
  for (const QJsonObject& command : commands) {
    const QJsonValue param = command.value("params").toObject().value("btdparam");
    if (!param.isObject()) continue;
    byBond[param.toObject().value("bondCode").toString()].push_back(
        command.value("status").toInt());
  }
  std::map<QString, int> statuses;
  for (const auto& entry : byBond) statuses[entry.first] = derivedTenderStatus(entry.second);
  return statuses;
}

bool matchesFilter(const QJsonObject& instrument, const QString& filter) {
  for (const char* field : {"code", "name", "productCode", "marketId"}) {
    if (instrument.value(QLatin1String(field)).toString().toUpper().contains(filter)) return true;
  }
  const std::string name = instrument.value("name").toString().toStdString();
  return QString::fromStdString(datagen::CVocabulary::initialsOf(name)).contains(filter);
}

double filterShare(const std::vector<QJsonObject>& instruments, const QString& filter) {
  if (instruments.empty()) return 0;
  std::size_t kept = 0;
  for (const QJsonObject& instrument : instruments)
    kept += matchesFilter(instrument, filter) ? 1 : 0;
  return static_cast<double>(kept) / static_cast<double>(instruments.size());
}

void generate(GeneratedSet& set, const datagen::GeneratorOptions& options) {
  ASSERT_TRUE(set.directory.isValid());
  datagen::GeneratorOptions withDirectory = options;
  withDirectory.outputDirectory = set.directory.path().toStdString();
  set.ok = datagen::CDataGenerator::generate(withDirectory, &set.summary, &set.error);
  ASSERT_TRUE(set.ok) << set.error;
}

QString sampleDirectory() {
  const QByteArray configured = qgetenv("LW_SAMPLE_DATA");
  if (!configured.isEmpty()) return QString::fromLocal8Bit(configured);
  const QByteArray source = qgetenv("LW_SOURCE_DIR");
  return QDir(QString::fromLocal8Bit(source)).filePath("data/sample");
}

}  // namespace datagen_test
