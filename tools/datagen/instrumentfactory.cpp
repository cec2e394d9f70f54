#include "datagen/instrumentfactory.h"

#include "datagen/derivativefactory.h"
#include "datagen/equityfactory.h"
#include "datagen/otherfactory.h"

namespace datagen {

bool CInstrumentFactory::make(const CodeSegment& segment, long long ordinal, int tradeType,
                              CRandomSource& random, InstrumentRecord& record) {
  switch (segment.kind) {
    case SegmentKind::DomesticFuture:
    case SegmentKind::DomesticFutureSpread:
    case SegmentKind::FutureOption:
    case SegmentKind::StockOption:
    case SegmentKind::ForeignFuture:
    case SegmentKind::ForeignFutureSpread:
      CDerivativeFactory::make(segment, ordinal, tradeType, random, record);
      return true;
    case SegmentKind::GoldExchange:
    case SegmentKind::ForeignExchange:
    case SegmentKind::CommoditySpot:
    case SegmentKind::InterestRateSwap:
      COtherFactory::make(segment, ordinal, tradeType, random, record);
      return true;
    case SegmentKind::OtcFund:
    case SegmentKind::OtcAssetPlan:
    case SegmentKind::OtcPrivateFund:
    case SegmentKind::InterBankTreasury:
    case SegmentKind::InterBankPolicyBank:
    case SegmentKind::InterBankLocalGovernment:
    case SegmentKind::InterBankEnterprise:
    case SegmentKind::InterBankMediumTermNote:
    case SegmentKind::InterBankCommercialPaper:
    case SegmentKind::InterBankDepositCertificate:
      record = InstrumentRecord();
      return false;
    default:
      CEquityFactory::make(segment, ordinal, tradeType, random, record);
      return true;
  }
}

}  // namespace datagen
