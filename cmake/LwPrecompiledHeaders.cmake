# Precompiled headers. Parsing the Qt, Boost and standard headers is a large
# part of every compile here: with them precompiled a panel or test source
# compiles about a quarter faster and a clean release build a sixth faster.
# Each large library parses them once; the tests, which share one set of
# compile flags, share one precompiled header.
#
# Only system headers go in: a change to one of the project's own headers
# rebuilds just the sources that include it, as without precompiling.
option(LW_PCH "Precompile the common Qt, Boost and standard headers" ON)

set(LW_PCH_CORE_HEADERS
  <algorithm> <atomic> <cmath> <condition_variable> <cstdint> <cstring>
  <functional> <limits> <map> <memory> <mutex> <set> <string> <thread>
  <unordered_map> <utility> <vector>
  <QtCore/QObject> <QtCore/QString> <QtCore/QStringList> <QtCore/QMap>
  <QtCore/QSet> <QtCore/QVector> <QtCore/QVariant> <QtCore/QPointer>
  <QtCore/QDateTime>
  <boost/shared_ptr.hpp> <boost/make_shared.hpp> <boost/function.hpp>
  <boost/signals2/signal.hpp>)
set(LW_PCH_WIDGETS_HEADERS
  <QtGui/QColor> <QtGui/QIcon> <QtGui/QPainter> <QtWidgets/QWidget>
  <QtWidgets/QAbstractItemView> <QtWidgets/QAction>)
set(LW_PCH_TEST_HEADERS
  <gtest/gtest.h> <QtTest/QSignalSpy> <QtTest/QTest>
  <QtWidgets/QApplication>)

# lw_precompile(target [WIDGETS] [TESTS]): precompiles the core headers for
# target (every source here is C++), with the widget headers when target links Qt Widgets
# and the test headers for the shared test support library.
function(lw_precompile target)
  if(NOT LW_PCH)
    return()
  endif()
  cmake_parse_arguments(P "WIDGETS;TESTS" "" "" ${ARGN})
  set(headers ${LW_PCH_CORE_HEADERS})
  if(P_WIDGETS OR P_TESTS)
    list(APPEND headers ${LW_PCH_WIDGETS_HEADERS})
  endif()
  if(P_TESTS)
    list(APPEND headers ${LW_PCH_TEST_HEADERS})
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()

# lw_precompile_like(target from): target uses from's precompiled header;
# both must be compiled with the same flags and definitions.
function(lw_precompile_like target from)
  if(LW_PCH)
    target_precompile_headers(${target} REUSE_FROM ${from})
  endif()
endfunction()
