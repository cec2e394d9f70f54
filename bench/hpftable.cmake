# High-performance table against the stock Qt item-view approach, 1k to 100k
# rows: reload and repaint, sort by a decimal and a text column, filter, and
# the memory the view adds per row.
lw_add_bench(bench_hpftable
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/hpftable_bench.cpp
  LIBS lwhost_table lwhost_data lwhost_ui)
