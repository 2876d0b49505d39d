# Precompiled headers: the standard library, GoogleTest and, in the Windows
# build, the Windows API are parsed once per kind of target rather than in
# every source file (most of a test file's compile time was spent there).
# Each kind has one donor target whose header the others reuse, so all of a
# kind share its flags: the global options and the build type's.
set(TONALYX_PCH_STD <algorithm> <array> <cmath> <cstdint> <cstdio> <cstdlib> <cstring> <fstream>
  <functional> <iterator> <map> <memory> <optional> <span> <sstream> <string> <string_view> <vector>)
set(TONALYX_PCH_WIN <windows.h> <mmsystem.h>)
set(TONALYX_PCH_DONOR_SOURCE ${CMAKE_BINARY_DIR}/pch_donor.cpp)
file(WRITE ${TONALYX_PCH_DONOR_SOURCE} "")

# Libraries of the platform-free engine and the pure cores: no platform header.
add_library(tonalyx_pch_core OBJECT ${TONALYX_PCH_DONOR_SOURCE})
target_precompile_headers(tonalyx_pch_core PRIVATE ${TONALYX_PCH_STD})
# The test programs: GoogleTest besides.
add_library(tonalyx_pch_test OBJECT ${TONALYX_PCH_DONOR_SOURCE})
target_link_libraries(tonalyx_pch_test PRIVATE GTest::gtest)
target_precompile_headers(tonalyx_pch_test PRIVATE ${TONALYX_PCH_STD} <gtest/gtest.h>)
# The tests' own code is checks and fixtures, not the measured code: optimising
# it fully took half the build's processor time (twice that of -Og) and gained
# the test runs nothing. The program's libraries they link keep the build
# type's optimisation.
set(TONALYX_TEST_OPTIMISATION -Og)
target_compile_options(tonalyx_pch_test PRIVATE ${TONALYX_TEST_OPTIMISATION})
if(WIN32)
  target_precompile_headers(tonalyx_pch_test PRIVATE ${TONALYX_PCH_WIN})
  # The program's Windows libraries.
  add_library(tonalyx_pch_win OBJECT ${TONALYX_PCH_DONOR_SOURCE})
  target_precompile_headers(tonalyx_pch_win PRIVATE ${TONALYX_PCH_STD} ${TONALYX_PCH_WIN})
endif()

# The program's libraries also build in batches of sources compiled as one
# (unity builds): their sources share most of their headers, whose parsing
# took most of each source's compile time. So names private to a source file
# must differ from those of the other sources of its library.
function(tonalyx_batched_sources target)
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 16)
endfunction()
# Sources whose private names repeat those of other sources of their library,
# by a pattern of their kind (a dialog's Binding(), a generator page's control
# ids), compile on their own. Call from the library's folder.
function(tonalyx_separate_sources)
  set_source_files_properties(${ARGN} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
endfunction()

# Call once, after every target is added.
function(tonalyx_precompiled_headers)
  foreach(target tonalyx_base tonalyx_framework_core tonalyx_engine tonalyx_views_core tonalyx_dialogs_core
                 tonalyx_automation_core tonalyx_utilities_core tonalyx_generator_core)
    target_precompile_headers(${target} REUSE_FROM tonalyx_pch_core)
    tonalyx_batched_sources(${target})
  endforeach()
  if(WIN32)
    foreach(target tonalyx_framework tonalyx_framework_main tonalyx_engine_win tonalyx_views tonalyx_dialogs
                   tonalyx_automation tonalyx_utilities tonalyx_generator tonalyx_shell Tonalyx)
      target_precompile_headers(${target} REUSE_FROM tonalyx_pch_win)
      tonalyx_batched_sources(${target})
    endforeach()
  endif()
  get_property(tests GLOBAL PROPERTY TONALYX_TEST_EXECUTABLES)
  foreach(target ${tests})
    target_precompile_headers(${target} REUSE_FROM tonalyx_pch_test)
    # GCC 12 takes std::string's inlined copies in the precompiled header for
    # overruns (a known false report) in many test files.
    target_compile_options(${target} PRIVATE ${TONALYX_TEST_OPTIMISATION} -Wno-array-bounds -Wno-stringop-overflow
                                             -Wno-stringop-overread)
  endforeach()
endfunction()
