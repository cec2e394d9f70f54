# The instrument model: one keystroke (refresh until sigRefreshed) over lists
# of 1k, 10k and 100k instruments, a full reload, the memory a row costs, and
# the stock Qt filter (QStandardItemModel + QSortFilterProxyModel) beside it.
lw_add_bench(bench_insmodel
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/insmodel_bench.cpp
  LIBS lw_panel Qt5::Gui)
