#pragma once
// The quick search: finds instruments of every trading type the data centre
// holds from a few typed characters (a code, the pinyin initials or the full
// pinyin of a name, part of a name) and ranks them the way a trader expects.
//
// Ranking: a total order. A match falls in the first class of ERankClass it
// meets (see quicksearch/quicksearchtext.h for the exact text rules: Latin
// letters fold to lower case, full-width Latin letters and digits count as
// ASCII, polyphones match by any reading, as in the panels' filter):
//   ExactCode       the code is the text ("600000");
//   CodePrefix      the code starts with the text ("6000");
//   InitialsPrefix  the pinyin initials of the name start with the text
//                   ("payh", "payx" for 平安银行; 长 counts as c and z);
//   NamePrefix      the name starts with the text ("平安"; texts that are not
//                   only Latin letters and digits);
//   FullPinyin      the name's toneless pinyin starts with the text, a cut
//                   last syllable included ("pingan", "pinganyinh"; ü is v;
//                   texts of up to 63 letters);
//   Substring       the panels' filter (GU::isInByPy) finds the text anywhere
//                   in the code or the name, initials included.
// Within a class: the shorter name (UTF-16 units) first, then the trading
// type's place in the all-markets list (0xC5DFF: its types by ascending bit,
// then the other types by ascending bit), then the code folded as above,
// then the code as it is (UTF-16 order), then the market id, then the
// trading type's bit. An instrument listed under two
// trading types is two rows; one listed twice under the same type is one.
//
// Live data: the engine rebuilds its index from the data centre
// (mxservice::TraderCenter::instance()->getDataCenter()) when the exchange
// client announces a stock list, changed instruments or a new trading day,
// and on rebuild(). Builds run on a worker thread, one at a time; requests
// arriving while one runs are merged into one more build, which reads the
// data as it is when it starts (so a burst costs at most two builds and the
// last data wins). A build first takes a digest of what the index reads
// (codes, names, markets, types; CQuickSearchIndex::digest) and stops there
// when it equals the published index's: a list announced again unchanged,
// or a change of prices or states only, costs one pass over the data and no
// signal (bench_quicksearch, 1M instruments: a 30 ms digest against a
// 430 ms build). A finished index replaces the
// published one in one pointer swap, then sigIndexChanged() follows on the
// engine's thread.
//
// Threads: construct, destroy and connect on the GUI thread (the thread of
// the exchange client). search(), lookup(), isReady() and instrumentCount()
// may be called from any thread and never wait for a build: they use the
// index published last, which stays alive while a search uses it. The
// destructor cancels a running build and waits for it to stop (a build
// checks for that every few thousand instruments); no callback reaches the
// engine after it.

#include "lw_quicksearch_export.h"

#include "quicksearch/quicksearchmatch.h"

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

namespace LW {

class LW_QUICKSEARCH_EXPORT CQuickSearchEngine : public QObject {
  Q_OBJECT

public:
  enum ERankClass {
    ExactCode = 0,
    CodePrefix = 1,
    InitialsPrefix = 2,
    NamePrefix = 3,
    FullPinyin = 4,
    Substring = 5,
  };
  // The number of rows the popup asks for unless told otherwise.
  static constexpr int kDefaultLimit = 30;

  // Starts the first build at once, off the GUI thread.
  explicit CQuickSearchEngine(QObject* parent = nullptr);
  ~CQuickSearchEngine() override;

  // The best `limit` matches of text in rank order; empty for an empty text,
  // limit <= 0 or while no index is published yet.
  std::vector<CQuickSearchMatch> search(const QString& text, int limit) const;
  // The row of the instrument key ("600000.SH") under tradeType (rankClass
  // 0); false when the published index holds no such instrument.
  bool lookup(const QString& key, int tradeType, CQuickSearchMatch* match) const;
  // Whether an index has been published.
  bool isReady() const;
  // The rows of the published index (0 before the first).
  int instrumentCount() const;
  // The bytes the published index holds.
  std::size_t indexBytes() const;
  // The number of builds finished so far (published or not).
  int buildCount() const;
  // The number of requests that found the data as the published index has
  // it already, so built nothing and announced nothing.
  int upToDateCount() const;
  // Asks for a new build (see above: coalesced).
  void rebuild();

signals:
  // On the engine's thread after a new index is published.
  void sigIndexChanged();

private slots:
  void slotStockList();
  void slotStockListChange();
  void slotNewTradingDate();

private:
  struct Shared;
  std::shared_ptr<Shared> m_shared;
};

}  // namespace LW
