# A smoke run of one benchmark program, registered as a CTest test by
# bench/CMakeLists.txt:
#
#   cmake -DPROGRAM=<benchmark program> -P BenchSmoke.cmake
#
# Runs every benchmark of the program once, each on its smallest size (the
# first numeric argument of its name; benchmarks without one as they are),
# for the least time Google Benchmark allows. It measures nothing: it fails
# when the program crashes, exits non-zero or a benchmark reports an error,
# and the test's timeout catches a hang, so that a broken benchmark is found
# by the test run rather than by the next person who measures.

if(NOT PROGRAM)
  message(FATAL_ERROR "BenchSmoke.cmake: PROGRAM is not set")
endif()

execute_process(
  COMMAND "${PROGRAM}" --benchmark_list_tests=true
  RESULT_VARIABLE listed
  OUTPUT_VARIABLE names
  ERROR_VARIABLE errors
  TIMEOUT 60)
if(NOT listed EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --benchmark_list_tests=true failed (${listed}):\n${errors}")
endif()

# Names look like "BM_Reload/1000/repeats:5" or "matchList/oneLetter/1000":
# the parts before the first number name the benchmark, the number is its
# size. Keep the smallest size of each benchmark.
string(REPLACE "\n" ";" names "${names}")
set(benchmarks "")
set(smallest_sizes "")
set(chosen_names "")
foreach(name IN LISTS names)
  if(name STREQUAL "")
    continue()
  endif()
  string(REPLACE "/" ";" parts "${name}")
  set(benchmark "")
  set(size -1)
  foreach(part IN LISTS parts)
    if(part MATCHES "^[0-9]+$")
      set(size ${part})
      break()
    endif()
    string(APPEND benchmark "/${part}")
  endforeach()
  list(FIND benchmarks "${benchmark}" index)
  if(index EQUAL -1)
    list(APPEND benchmarks "${benchmark}")
    list(APPEND smallest_sizes ${size})
    list(APPEND chosen_names "${name}")
  else()
    list(GET smallest_sizes ${index} known)
    if(size LESS known)
      list(REMOVE_AT smallest_sizes ${index})
      list(INSERT smallest_sizes ${index} ${size})
      list(REMOVE_AT chosen_names ${index})
      list(INSERT chosen_names ${index} "${name}")
    endif()
  endif()
endforeach()
if(NOT chosen_names)
  message(FATAL_ERROR "${PROGRAM} lists no benchmarks")
endif()

# One anchored alternative per chosen name, with the regex characters a name
# may hold escaped.
set(filter "")
foreach(name IN LISTS chosen_names)
  string(REGEX REPLACE "([][.*+?^$(){}|\\])" "\\\\\\1" escaped "${name}")
  if(filter)
    string(APPEND filter "|")
  endif()
  string(APPEND filter "${escaped}")
endforeach()
set(filter "^(${filter})$")

list(LENGTH chosen_names count)
message(STATUS "smoke run of ${count} benchmarks: ${filter}")
execute_process(
  COMMAND "${PROGRAM}" "--benchmark_filter=${filter}" --benchmark_min_time=0.001
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors
  TIMEOUT 600)
message("${output}${errors}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} ended with '${result}'")
endif()
# A benchmark that calls SkipWithError still lets the program exit with 0.
if(output MATCHES "ERROR OCCURRED")
  message(FATAL_ERROR "a benchmark of ${PROGRAM} reported an error")
endif()
