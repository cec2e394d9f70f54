# Host services: the data centre's per-keystroke instrument query.
lw_add_bench(bench_hostservices
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/hostservices_bench.cpp
  LIBS lwhost_data)
