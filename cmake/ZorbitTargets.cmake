# Helpers that keep every subsystem folder's CMakeLists short and alike.

# zorbit_library(<name> SOURCES ... DEPENDS ... [PCH])
# One static library per subsystem folder. PCH adds the shared precompiled Qt header.
function(zorbit_library name)
  cmake_parse_arguments(ARG "PCH" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  if(ARG_PCH)
    target_precompile_headers(${name} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/qt_pch.h)
  endif()
endfunction()

# zorbit_test(<name> SOURCES ... DEPENDS ... [WIDGETS])
# One GoogleTest binary per subsystem folder, registered with CTest as one test.
# Tests run on Qt's offscreen platform with a private settings and data folder.
function(zorbit_test name)
  cmake_parse_arguments(ARG "WIDGETS" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/TestMain.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} zorbit_qtprinter GTest::gtest GTest::gmock Qt6::Gui)
  if(ARG_WIDGETS)
    target_compile_definitions(${name} PRIVATE ZORBIT_TEST_WIDGETS)
    target_link_libraries(${name} PRIVATE Qt6::Widgets)
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_precompile_headers(${name} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/test_pch.h)
  target_compile_definitions(${name} PRIVATE ZORBIT_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures")
  add_test(NAME ${name} COMMAND ${name})
  set(home ${CMAKE_BINARY_DIR}/test-home/${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;HOME=${home};XDG_CONFIG_HOME=${home}/config;XDG_DATA_HOME=${home}/data;XDG_CACHE_HOME=${home}/cache;XDG_RUNTIME_DIR=${home}/runtime;ASAN_OPTIONS=halt_on_error=1:detect_leaks=1;UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0")
endfunction()
