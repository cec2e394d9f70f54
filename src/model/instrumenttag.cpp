#include "model/instrumenttag.h"

#include "host/services/markethelper.h"
#include "host/ui/uiresource.h"

#include <QCoreApplication>

namespace LW {

namespace {

constexpr int kDelistingArrangementKind = 1193;
constexpr int kSciTechKind = 1172;
constexpr int kSciTechKindB = 1173;

struct TagText {
  const char* pixmapKey;
  const char* tip;  // UTF-8 source text, translated when shown
};

// Indexed by EInstrumentTag.
const TagText kTagTexts[] = {
    {"", ""},
    {"img_code_delisting_finishing_icon", QT_TRANSLATE_NOOP("LW::InstrumentTag", "退市整理股票")},
    {"img_neeq_innovate_icon", QT_TRANSLATE_NOOP("LW::InstrumentTag", "创新层股票")},
    {"img_neeq_basics_icon", QT_TRANSLATE_NOOP("LW::InstrumentTag", "基础层股票")},
    {"img_neeq_selects_icon", QT_TRANSLATE_NOOP("LW::InstrumentTag", "北交所股票")},
    {"img_bond_qualified_investor_icon",
     QT_TRANSLATE_NOOP("LW::InstrumentTag", "此品种仅面向债券专业投资者")},
    {"img_code_gem_icon", QT_TRANSLATE_NOOP("LW::InstrumentTag", "创业板")},
    {"img_code_kcb_cdr_icon", QT_TRANSLATE_NOOP("LW::InstrumentTag", "科创板存托凭证")},
    {"img_code_cdr_icon", QT_TRANSLATE_NOOP("LW::InstrumentTag", "存托凭证")},
    {"img_code_kcb_icon", QT_TRANSLATE_NOOP("LW::InstrumentTag", "科创板")},
    {"img_code_innovate_icon", QT_TRANSLATE_NOOP("LW::InstrumentTag", "创新企业股票")},
};

const TagText& textOf(EInstrumentTag tag) {
  const auto index = static_cast<std::size_t>(tag);
  return index < sizeof(kTagTexts) / sizeof(kTagTexts[0]) ? kTagTexts[index] : kTagTexts[0];
}

}  // namespace

EInstrumentTag classifyInstrumentTag(const mxservice::CInstrumentDetailPtr& instrument) {
  using namespace mxservice;
  if (!instrument) return EInstrumentTag::None;
  if (isTypedStock(instrument, kDelistingArrangementKind)) {
    return EInstrumentTag::DelistingArrangement;
  }
  // NEEQ and Beijing shares are told apart by their layer, whatever their code.
  if (isNew3BoardMarket(instrument) || isBJMarket(instrument)) {
    switch (instrument->neeqLayer) {
      case 1:
        return EInstrumentTag::NeeqInnovation;
      case 2:
        return EInstrumentTag::NeeqBasic;
      case 3:
        return EInstrumentTag::BeijingExchange;
      default:
        return EInstrumentTag::None;
    }
  }
  if (!isStockMarket(instrument)) return EInstrumentTag::None;
  if (instrument->qualifiedInvestor == 1) return EInstrumentTag::QualifiedInvestor;
  if (isShenzhenGemBoard(instrument)) return EInstrumentTag::GrowthEnterprise;
  // A sci-tech depositary receipt is also a depositary receipt; the
  // narrower badge wins.
  if (isKcbCDRCode(instrument)) return EInstrumentTag::SciTechDepositaryReceipt;
  if (isCDRCode(instrument)) return EInstrumentTag::DepositaryReceipt;
  if (isTypedStock(instrument, kSciTechKind) || isTypedStock(instrument, kSciTechKindB)) {
    return EInstrumentTag::SciTech;
  }
  if (isInnovateCode(instrument)) return EInstrumentTag::InnovativeEnterprise;
  return EInstrumentTag::None;
}

QString tagPixmapKey(EInstrumentTag tag) { return QString::fromLatin1(textOf(tag).pixmapKey); }

QString tagTip(EInstrumentTag tag) {
  return QCoreApplication::translate("LW::InstrumentTag", textOf(tag).tip);
}

// Looked up by key only when painted: the resource cache hands worker threads
// a blank pixmap until the GUI thread has painted its badges, so resolving it
// where rows are built (the worker) could leave a row blank for good.
const QPixmap* tagPixmap(EInstrumentTag tag) {
  if (tag == EInstrumentTag::None) return nullptr;
  return GU::CUiResource::instance()->getPixmap(tagPixmapKey(tag));
}

}  // namespace LW
