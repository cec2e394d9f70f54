# The instruments panel end to end through its search field: a keystroke and
# clearing the search until the table has repainted, and the first load from
# construction to painted rows, at 1k to 100k stocks (1M with LW_BENCH_1M=1;
# a generated data set's mixed list with LW_BENCH_DATASET=<dir>).
lw_add_bench(bench_panel
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/panel_bench.cpp
  LIBS lw_panel Qt5::Test)
