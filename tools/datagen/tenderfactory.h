#pragma once
// Primary-market tender bonds (tender_bonds.jsonl) and the order commands
// that carry their tenders (order_commands.jsonl).
//
// A tender bond's workflow status is never stored: the panels derive it from
// the bond's order commands (the first command approving, running, locked or
// finished decides; all revoked gives revoked; anything else gives "settle
// finished"). The factory therefore plans the commands of each bond by a
// pattern, so that a data set shows every status, and keeps the bond's own
// workflow members (trader, report and winning amounts) consistent with it.
// Pure functions: any thread.

#include "datagen/codespace.h"
#include "datagen/records.h"

#include <vector>

namespace datagen {

enum class TenderCommandPattern {
  NoCommands,            // no command at all: derived -2
  Approving,             // only status 0
  ApprovingAndRunning,   // statuses 0 and 2 (the first in list order decides)
  Running,               // 2 among revoked ones
  Locked,                // 204 among revoked ones
  FinishedAmongRevoked,  // 201 with 5s
  AllRevoked,            // every command 5
  RevokedWithUnlisted,   // 5s and a status outside the workflow (3): -2
  StringParameterOnly,   // "btdparam" is a string, so no command counts: -2
};

class CTenderFactory {
public:
  // The kinds of bonds offered by tender in one year, weighted like the
  // primary market (policy banks and local governments tender most often).
  static std::vector<CodeSegment> segments();

  // A bond of a segment's kind issued in year, tendering offsetDays from the
  // load day.
  static void makeBond(const CodeSegment& segment, long long ordinal, int year, int offsetDays,
                       CRandomSource& random, TenderBondRecord& bond);

  // Sets the bond's trader and amounts for the state its commands will give.
  static void applyWorkflow(TenderCommandPattern pattern, CRandomSource& random,
                            TenderBondRecord& bond);

  // The fewest commands a pattern needs (0 for NoCommands).
  static int minimumCommands(TenderCommandPattern pattern);
  // Appends count commands (at least minimumCommands) of the pattern for the
  // bond; commandId is left for the caller to number in file order.
  static void appendCommands(TenderCommandPattern pattern, const TenderBondRecord& bond, int count,
                             CRandomSource& random, std::vector<OrderCommandRecord>& out);
  // A command of another trading type (a stock or futures order).
  static OrderCommandRecord otherCommand(CRandomSource& random);

  static const std::vector<std::string>& traderNames();
};

}  // namespace datagen
