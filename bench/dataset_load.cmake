# The data-set loader on a synthetic set of 100,000 instruments (plus a few
# thousand of the other kinds), written once to a temporary directory outside
# the timed loop.
lw_add_bench(bench_dataset_load
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/dataset_load_bench.cpp
  LIBS lwhost_data)
