# Helpers that keep every subsystem folder's CMakeLists short and alike. The
# build settings every library and test binary shares live here and in
# ZorbitInstrumentation.cmake, so a new folder gets them by using these helpers.

# How many source files a unity translation unit takes: fewer, larger units save
# the headers parsed again in every file; enough units keep all cores busy.
set(ZORBIT_UNITY_BATCH 8 CACHE STRING "Source files per unity translation unit")

# Precompiled headers pay only without unity builds: a library compiled in a
# few large units parses its headers a few times only, and building the header
# cost as much as it saved (measured on the instrumented build).
if(ZORBIT_UNITY)
  set(zorbit_pch_default OFF)
else()
  set(zorbit_pch_default ON)
endif()
option(ZORBIT_PCH "Precompiled headers (cmake/qt_pch.h, cmake/test_pch.h)" ${zorbit_pch_default})

# Unity build of a target (ZORBIT_UNITY). A file that cannot share a unit with
# others (a clashing file-local name, a macro it defines) sets the source
# property SKIP_UNITY_BUILD_INCLUSION.
function(zorbit_unity target)
  set_target_properties(${target} PROPERTIES
    UNITY_BUILD ${ZORBIT_UNITY}
    UNITY_BUILD_BATCH_SIZE ${ZORBIT_UNITY_BATCH})
endfunction()

# zorbit_library(<name> SOURCES ... DEPENDS ... [PCH])
# One static library per subsystem folder. PCH adds the shared precompiled Qt
# header when ZORBIT_PCH is on.
function(zorbit_library name)
  cmake_parse_arguments(ARG "PCH" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  zorbit_unity(${name})
  target_compile_options(${name} PRIVATE ${ZORBIT_LIBRARY_OPTIONS})
  if(ZORBIT_FUZZ)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
  if(ARG_PCH AND ZORBIT_PCH)
    target_precompile_headers(${name} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/qt_pch.h)
  endif()
endfunction()

# zorbit_test(<name> SOURCES ... DEPENDS ... [WIDGETS] [SHARDS n])
# One GoogleTest binary per subsystem folder, registered with CTest as one test,
# or as n tests that each run every n-th of its tests (GoogleTest's sharding),
# so that ctest -j runs a long binary on several cores. Each test runs on Qt's
# offscreen platform with a home, settings, data and temporary folder of its own.
function(zorbit_test name)
  cmake_parse_arguments(ARG "WIDGETS" "SHARDS" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/TestMain.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} zorbit_qtprinter GTest::gtest GTest::gmock Qt6::Gui)
  if(ARG_WIDGETS)
    target_compile_definitions(${name} PRIVATE ZORBIT_TEST_WIDGETS)
    target_link_libraries(${name} PRIVATE Qt6::Widgets)
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  zorbit_unity(${name})
  if(ZORBIT_PCH)
    target_precompile_headers(${name} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/test_pch.h)
  endif()
  target_compile_definitions(${name} PRIVATE ZORBIT_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures")
  if(NOT ARG_SHARDS)
    set(ARG_SHARDS 1)
  endif()
  math(EXPR last_shard "${ARG_SHARDS} - 1")
  foreach(shard RANGE ${last_shard})
    set(test ${name})
    set(sharding "")
    if(ARG_SHARDS GREATER 1)
      set(test ${name}-${shard})
      set(sharding "GTEST_TOTAL_SHARDS=${ARG_SHARDS};GTEST_SHARD_INDEX=${shard};")
    endif()
    add_test(NAME ${test} COMMAND ${name})
    set(home ${CMAKE_BINARY_DIR}/test-home/${test})
    # A temporary folder of its own, so that binaries running side by side (or
    # another checkout's tests) never meet in the names they make there.
    file(MAKE_DIRECTORY ${home}/tmp)
    set_tests_properties(${test} PROPERTIES ENVIRONMENT
      "${sharding}QT_QPA_PLATFORM=offscreen;HOME=${home};TMPDIR=${home}/tmp;XDG_CONFIG_HOME=${home}/config;XDG_DATA_HOME=${home}/data;XDG_CACHE_HOME=${home}/cache;XDG_RUNTIME_DIR=${home}/runtime;ASAN_OPTIONS=halt_on_error=1:detect_leaks=1;UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0")
  endforeach()
endfunction()
