#!/usr/bin/env bash
# Runs scripts/check-layers on the source tree (it must pass) and on small
# trees with one planted fault each (it must fail and name the fault).
# Usage: check-layers-test.sh REPOSITORY_ROOT
set -uo pipefail
repo=${1:?repository root}
check=$repo/scripts/check-layers
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# A tree that uses every allowed direction once.
make_tree() {
  local t=$1
  mkdir -p "$t"/src/host/{core,bson,data,services,text,ui,table} "$t"/src/{model,tender,panel,bondinfo,quicksearch} "$t"/tests
  echo '#pragma once' >"$t/src/host/core/core.h"
  printf '#pragma once\n#include "host/core/core.h"\n' >"$t/src/host/ui/widget.h"
  printf '#pragma once\n#include "host/ui/widget.h"\n' >"$t/src/host/table/table.h"
  printf '#pragma once\n#include "host/table/table.h"\n' >"$t/src/model/model.h"
  echo '#pragma once' >"$t/src/model/modellog_p.h"
  printf '#include "model/model.h"\n#include "modellog_p.h"\n' >"$t/src/model/model.cpp"
  printf '#pragma once\n#include "model/model.h"\n' >"$t/src/tender/tender.h"
  printf '#pragma once\n#include "tender/tender.h"\n#include "host/ui/widget.h"\n' >"$t/src/panel/panel.h"
  printf '#pragma once\n#include "host/table/table.h"\n' >"$t/src/bondinfo/bondinfo.h"
  printf '#pragma once\n#include "model/model.h"\n' >"$t/src/quicksearch/quicksearch.h"
  printf '#include "panel/panel.h"\n#include "bondinfo/bondinfo.h"\n' >"$t/tests/panel_test.cpp"
}

# expect NAME STATUS TEXT FILE LINE...: plants the lines into FILE of a
# fresh tree; the check must exit with STATUS and, when TEXT is not empty,
# say TEXT.
expect() {
  local name=$1 status=$2 text=$3 file=$4
  shift 4
  local t=$work/$name
  make_tree "$t"
  for line in "$@"; do echo "$line" >>"$t/$file"; done
  local out rc
  out=$("$check" "$t" 2>&1)
  rc=$?
  if [ "$rc" -ne "$status" ]; then
    echo "FAIL $name: exit status $rc, expected $status; output:"
    echo "$out"
    failures=$((failures + 1))
  elif [ -n "$text" ] && ! grep -qF -- "$text" <<<"$out"; then
    echo "FAIL $name: output lacks '$text':"
    echo "$out"
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

expect clean-tree            0 "" src/model/model.cpp
expect model-includes-panel  1 "model must not include panel/panel.h" \
  src/model/model.cpp '#include "panel/panel.h"'
expect panel-includes-quicksearch 1 "panel must not include quicksearch/quicksearch.h" \
  src/panel/panel.h '#include "quicksearch/quicksearch.h"'
expect quicksearch-includes-tender 1 "quicksearch must not include tender/tender.h" \
  src/quicksearch/quicksearch.h '#include "tender/tender.h"'
expect model-includes-quicksearch 1 "model must not include quicksearch/quicksearch.h" \
  src/model/model.cpp '#include "quicksearch/quicksearch.h"'
expect model-includes-tender 1 "model must not include tender/tender.h" \
  src/model/model.h '#include "tender/tender.h"'
expect tender-includes-panel 1 "tender must not include panel/panel.h" \
  src/tender/tender.h '#include "panel/panel.h"'
expect host-includes-model   1 "host/table must not include model/model.h" \
  src/host/table/table.h '#include "model/model.h"'
expect host-core-includes-ui 1 "host/core must not include host/ui/widget.h" \
  src/host/core/core.h '#include "host/ui/widget.h"'
expect bondinfo-includes-model 1 "bondinfo must not include model/model.h" \
  src/bondinfo/bondinfo.h '#include "model/model.h"'
expect private-header-across 1 "private header model/modellog_p.h included from another folder" \
  src/tender/tender.h '#include "model/modellog_p.h"'
expect private-header-in-tests 1 "private header model/modellog_p.h included from another folder" \
  tests/panel_test.cpp '#include "model/modellog_p.h"'

# expect_tree NAME TEXT: the check must fail on the tree $work/NAME, made by
# the caller, and say TEXT.
expect_tree() {
  local out
  if out=$("$check" "$work/$1" 2>&1) || ! grep -qF -- "$2" <<<"$out"; then
    echo "FAIL $1: expected a failure saying '$2'; output:"
    echo "$out"
    failures=$((failures + 1))
  else
    echo "ok   $1"
  fi
}

# Two headers of one folder including each other.
make_tree "$work/header-cycle"
echo '#include "host/core/other.h"' >>"$work/header-cycle/src/host/core/core.h"
printf '#pragma once\n#include "host/core/core.h"\n' >"$work/header-cycle/src/host/core/other.h"
expect_tree header-cycle \
  "include cycle: src/host/core/core.h -> src/host/core/other.h -> src/host/core/core.h"

# A library folder the layers do not know.
make_tree "$work/unknown-folder"
mkdir -p "$work/unknown-folder/src/extra"
printf '#include "model/model.h"\n' >"$work/unknown-folder/src/extra/extra.cpp"
expect_tree unknown-folder "folder src/extra has no place in the layers"

# The project's own tree is clean.
if ! out=$("$check" "$repo" 2>&1); then
  echo "FAIL source tree:"
  echo "$out"
  failures=$((failures + 1))
else
  echo "ok   source tree"
fi

[ "$failures" -eq 0 ]
