# The bond tender workflow: a wide tender search (every bond kept) over 1k to
# 5k bonds with ten order commands each, the one-bond row update after an
# order-command change, and the status derivation alone (one pass against
# the bond-by-bond rule).
lw_add_bench(bench_tender
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tender_bench.cpp
  LIBS lw_panel)
