# Compiler and linker settings of the whole build, so that every library and
# program gets them without a line of its own.
#
# ZORBIT_SANITIZE: address and undefined-behaviour sanitizers; a report ends the
# program (no recovery), so a finding fails its test.
# ZORBIT_FUZZ (clang only, implies ZORBIT_SANITIZE): the product libraries also
# carry libFuzzer's coverage instrumentation (zorbit_library adds it), so that
# the test binaries and the fuzz targets of tests/fuzz/ link the very same
# libraries; scripts/test builds both at once.

if(ZORBIT_FUZZ AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "ZORBIT_FUZZ needs clang: configure with CC=clang CXX=clang++")
endif()

if(ZORBIT_SANITIZE OR ZORBIT_FUZZ)
  set(zorbit_sanitizers -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all)
  add_compile_options(${zorbit_sanitizers} -fno-omit-frame-pointer)
  add_link_options(${zorbit_sanitizers})
  # Line tables are all the sanitizers' stack traces need; full debug
  # information costs several times as much to compile and to link.
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    add_compile_options(-gline-tables-only)
  else()
    add_compile_options(-g1)
  endif()
  # The product code is optimised lightly in a debug build: under the
  # sanitizers it runs five to eight times as fast as unoptimised, which the
  # fuzz targets' 30 seconds and the pixel tests need. Test code stays
  # unoptimised; it is cheaper to compile so and its speed matters little.
  set(ZORBIT_LIBRARY_OPTIONS $<$<CONFIG:Debug>:-O1>)
  # The instrumented build links some thirty large programs, and CI machines
  # have little disk: the libraries are thin archives (they name their object
  # files instead of holding a copy), and the programs' line tables are
  # compressed.
  foreach(lang C CXX)
    set(CMAKE_${lang}_ARCHIVE_CREATE "<CMAKE_AR> qcT <TARGET> <LINK_FLAGS> <OBJECTS>")
    set(CMAKE_${lang}_ARCHIVE_APPEND "<CMAKE_AR> qT <TARGET> <LINK_FLAGS> <OBJECTS>")
  endforeach()
  add_link_options(-Wl,--compress-debug-sections=zlib)
endif()

# lld links the large sanitized programs in a third of the time of ld.bfd.
find_program(ZORBIT_LLD NAMES ld.lld)
if(ZORBIT_LLD)
  add_link_options(-fuse-ld=lld)
endif()
