# Pinyin-initials matcher of the instrument filter: per-name cost and whole
# lists of realistic sizes.
lw_add_bench(bench_pinyin
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/pinyin_bench.cpp
  LIBS lwhost_text)
