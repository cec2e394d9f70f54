# The quick search: one keystroke (text to ranked rows) for one-, two- and
# four-character texts of every kind, beside a QSortFilterProxyModel with a
# case-insensitive substring filter over the same rows; the index build and
# its bytes per instrument. Mixed sets of the generator (tools/datagen) at
# 1k, 10k and 100k instruments; 1M with LW_BENCH_1M=1, or the set in
# LW_BENCH_DATASET=<dir> instead of generating one.
if(TARGET lwdatagen)
  lw_add_bench(bench_quicksearch
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/quicksearch_bench.cpp
    LIBS lw_quicksearch lwdatagen)
endif()
