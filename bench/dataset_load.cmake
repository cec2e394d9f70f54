# The data-set loader and the host install on the mixed set of a full client,
# written by the generator (tools/datagen) at 1k, 10k and 100k instruments
# (1M with LW_BENCH_1M=1), once per size outside the timed loop. Needs the
# generator, which is built with the apps.
if(TARGET lwdatagen)
  lw_add_bench(bench_dataset_load
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/dataset_load_bench.cpp
    LIBS lwhost_data lwdatagen)
endif()
