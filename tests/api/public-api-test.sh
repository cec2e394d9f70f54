#!/usr/bin/env bash
# Reads the dynamic symbol table of libinstrumentspanel.so: every exported
# class must define its symbols there, and no internal class or function of
# the layers may appear.
# Usage: public-api-test.sh NM LIBRARY
set -uo pipefail
nm=${1:?nm}
library=${2:?library}
symbols=$("$nm" -D --defined-only -C "$library") || exit 1
failures=0

# Exported: each line a text the table must contain.
while IFS= read -r wanted; do
  [ -z "$wanted" ] && continue
  if grep -qF -- "$wanted" <<<"$symbols"; then
    echo "ok   exported: $wanted"
  else
    echo "FAIL not exported: $wanted"
    failures=$((failures + 1))
  fi
done <<'LIST'
LW::CInstrumentsPanel::CInstrumentsPanel(int, mxservice::ENqTraderType, QWidget*)
LW::CInstrumentsPanel::staticMetaObject
LW::CInstrumentsPanel::sigSelectStock(QString)
LW::CInstrumentsPanel::kDockKey
LW::CBondInfoPanel::CBondInfoPanel(int, QWidget*)
LW::CBondInfoPanel::staticMetaObject
LW::CBondInfoPanel::kDockKey
LW::CInstrumentsHelper::updateCommandStatus
typeinfo for LW::CInstrumentsPanel
LW::CQuickSearchEngine::CQuickSearchEngine(QObject*)
LW::CQuickSearchEngine::search(QString const&, int) const
LW::CQuickSearchEngine::lookup(QString const&, int, LW::CQuickSearchMatch*) const
LW::CQuickSearchEngine::sigIndexChanged()
LW::CQuickSearchEngine::staticMetaObject
LW::CQuickSearchPopup::CQuickSearchPopup(LW::CQuickSearchEngine*, QWidget*)
LW::CQuickSearchPopup::openWithText(QString const&)
LW::CQuickSearchPopup::setHostWindow(QWidget*, bool)
LW::CQuickSearchPopup::setRecentPicks(QStringList const&)
LW::CQuickSearchPopup::sigSelectStock(QString)
LW::CQuickSearchPopup::sigSelectInstrument(QString, int)
LW::CQuickSearchPopup::staticMetaObject
LIST

# Internal: no defined symbol may name these.
while IFS= read -r unwanted; do
  [ -z "$unwanted" ] && continue
  hits=$(grep -F -- "$unwanted" <<<"$symbols" | head -3)
  if [ -n "$hits" ]; then
    echo "FAIL internal symbol exported ($unwanted):"
    echo "$hits"
    failures=$((failures + 1))
  else
    echo "ok   hidden: $unwanted"
  fi
done <<'LIST'
LW::CHpfInsModel
LW::CHpfInsTable
LW::CInstrumentData
LW::CColumnCatalogue
LW::CTenderModel
LW::CTenderWorkflow
LW::CTenderSearchBar
LW::CInstrumentSearchCache
LW::mixedMarketKinds
LW::detail::
LW::CQuickSearchIndex
LW::quicksearch::
LW::CQuickSearchModel
LW::CQuickSearchRecent
LW::quickSearchPopupGeometry
LIST

# Every defined symbol of the library's namespace belongs to an exported
# class (or is a typeinfo/vtable of one).
stray=$(grep -E ' (typeinfo (name )?for |vtable for |VTT for )?LW::' <<<"$symbols" |
  grep -vE 'LW::(CInstrumentsPanel|CBondInfoPanel|CInstrumentsHelper|CQuickSearchEngine|CQuickSearchPopup)\b' |
  head -5)
if [ -n "$stray" ]; then
  echo "FAIL symbols of LW outside the exported classes:"
  echo "$stray"
  failures=$((failures + 1))
else
  echo "ok   nothing else of LW"
fi
# The host singletons the panels reach (utils::CManualSingletonT) keep their
# instance and its mutex in inline static members; each must be a visible
# global that the dynamic linker merges with the host library's copy, or the
# panels would talk to singletons of their own: gcc marks them unique ("u"),
# clang weak ("V"); a hidden or local copy shows as "b", "d" or is missing.
singletons=$(grep -F 'utils::CManualSingletonT<' <<<"$symbols" | grep -E '::s_(storage|mutex)$' |
  grep -v 'guard variable')
if [ -z "$singletons" ]; then
  echo "FAIL no host singleton storage in the dynamic symbol table"
  failures=$((failures + 1))
elif grep -qvE ' [uV] ' <<<"$singletons"; then
  echo "FAIL host singleton storage not unique:"
  echo "$singletons"
  failures=$((failures + 1))
else
  echo "ok   host singletons shared: $(wc -l <<<"$singletons")"
fi
[ "$failures" -eq 0 ]
