# Helpers that keep every target of the project on the same rules.

# Warnings for our own code only; third-party headers come in as SYSTEM.
function(aw_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wnon-virtual-dtor $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>)
endfunction()

# aw_core_library(NAME folder DEPS other targets...)
# One Qt-free library per subsystem folder, built from the folder's sources.
# The folder may still be empty: then the target is an interface library, so
# that later code can link it before the subsystem exists.
function(aw_core_library)
  cmake_parse_arguments(ARG "" "NAME" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  set(target aw_${ARG_NAME})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
    aw_set_warnings(${target})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# aw_program_resources(target [BOOTSTRAP])
# The program data an executable carries (data/CMakeLists.txt): the full set,
# or with BOOTSTRAP the small set of the tools that make the full one. The
# resource layer of src/platform only declares the table; linking it here as
# object files keeps the core libraries free of data, whatever the link order.
function(aw_program_resources target)
  cmake_parse_arguments(ARG "BOOTSTRAP" "" "" ${ARGN})
  if(ARG_BOOTSTRAP)
    target_link_libraries(${target} PRIVATE aw_resources_bootstrap)
  else()
    target_link_libraries(${target} PRIVATE aw_resources_full)
  endif()
endfunction()

# aw_test_suite(NAME folder LIBS targets... [DEFINITIONS NAME=VALUE...])
# One GoogleTest executable per mirrored source folder. Its main() (the
# test support's TestMain.cpp) gives the run its own HOME and XDG folders
# inside the build tree and the offscreen Qt platform, also when the binary
# is started by hand, so that no test writes into the real home.
function(aw_test_suite)
  cmake_parse_arguments(ARG "" "NAME" "LIBS;DEFINITIONS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${ARG_NAME}/*.cpp")
  if(NOT sources)
    return()
  endif()
  set(target test_${ARG_NAME})
  add_executable(${target} ${sources} "${PROJECT_SOURCE_DIR}/tests/support/TestMain.cpp")
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} aw_test_support GTest::gtest GTest::gmock)
  aw_program_resources(${target})
  set(home "${PROJECT_BINARY_DIR}/test-home/${ARG_NAME}")
  target_compile_definitions(${target} PRIVATE
    AW_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data" AW_TEST_HOME="${home}" ${ARG_DEFINITIONS})
  aw_set_warnings(${target})
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST)
endfunction()

# aw_benchmark(NAME source LIBS targets...)
# A Google Benchmark program; CTest runs it once, very briefly, so that it
# keeps building and running. The figures come from running it by hand.
function(aw_benchmark)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
  set(target bench_${ARG_NAME})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} benchmark::benchmark)
  aw_program_resources(${target})
  aw_set_warnings(${target})
  if(AW_BUILD_TESTS)
    add_test(NAME ${target}.smoke COMMAND ${target} --benchmark_min_time=0.001)
    set_tests_properties(${target}.smoke PROPERTIES LABELS bench)
  endif()
endfunction()
