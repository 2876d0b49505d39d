# GoogleTest from Debian's sources, built with the project's own toolchain.
set(TONALYX_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
add_subdirectory(${TONALYX_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The folder that holds the committed reference fixtures, handed to the tests.
if(WIN32)
  # Wine maps the Linux root to drive Z:.
  set(TONALYX_FIXTURES_DIR Z:${CMAKE_SOURCE_DIR}/tests/fixtures)
else()
  set(TONALYX_FIXTURES_DIR ${CMAKE_SOURCE_DIR}/tests/fixtures)
endif()

# One test executable is one CTest entry: every Wine process start costs about a second.
#   tonalyx_add_test(NAME engine_tests SOURCES a.cpp b.cpp LIBS tonalyx_engine)
# The tests run side by side on one display and one Wine server. LANE: the
# test puts data on the clipboard, reads its windows off the screen (where
# another test's windows may lie over them) or holds DDE conversations with
# another program, so it runs in a lane: a
# display and Wine server of the lane's own (see start_test_lanes in
# scripts/environment.sh), whose tests take turns. The lanes are dealt out in
# turn. SOUND: the test plays into or records from the PulseAudio null sink,
# in the sound lane (some read the live views off the screen), whose tests take
# turns: a tone of one sound test would be heard on another's monitor. The
# sound comes and goes in real time, which a busy machine breaks up, so every
# other test runs at the lowest priority and without a sound server
# (scripts/wine-test). ALONE: the test runs
# with nothing beside it (it drives other copies of the program, whose DDE
# broadcasts and timings another test's windows would disturb).
set(TONALYX_TEST_LANES 5)
# For start_test_lanes.
file(WRITE ${CMAKE_BINARY_DIR}/test_lanes "${TONALYX_TEST_LANES}\n")

function(tonalyx_test_lane test lane)
  set_tests_properties(${test} PROPERTIES RESOURCE_LOCK lane_${lane})
  set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT TONALYX_LANE=${lane})
endfunction()

function(tonalyx_add_test)
  cmake_parse_arguments(T "LANE;ALONE;SOUND" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main)
  target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(${T_NAME} PRIVATE TONALYX_FIXTURES="${TONALYX_FIXTURES_DIR}")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 300)
  if(T_LANE)
    get_property(dealt GLOBAL PROPERTY TONALYX_LANES_DEALT)
    if(NOT dealt)
      set(dealt 0)
    endif()
    math(EXPR lane "${dealt} % ${TONALYX_TEST_LANES} + 1")
    math(EXPR dealt "${dealt} + 1")
    set_property(GLOBAL PROPERTY TONALYX_LANES_DEALT ${dealt})
    tonalyx_test_lane(${T_NAME} ${lane})
  endif()
  if(T_ALONE)
    set_tests_properties(${T_NAME} PROPERTIES RUN_SERIAL TRUE)
  endif()
  if(T_SOUND)
    set_tests_properties(${T_NAME} PROPERTIES FIXTURES_REQUIRED null_sink)
    tonalyx_test_lane(${T_NAME} sound)
  endif()
  set_property(GLOBAL APPEND PROPERTY TONALYX_TEST_EXECUTABLES ${T_NAME})
endfunction()

# Without a window manager, Wine waits two seconds for every top-level window
# it manages to be withdrawn, and the tests close hundreds. The test programs'
# windows stay unmanaged (the program's own too, while the tests run: see
# start_test_services). This writes the registry file that start_test_services
# imports into the build's prefix; call it once, after every test is added.
function(tonalyx_unmanaged_test_windows)
  get_property(programs GLOBAL PROPERTY TONALYX_TEST_EXECUTABLES)
  set(reg "REGEDIT4\n")
  foreach(program ${programs} clipboard_dump)
    string(APPEND reg "\n[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\${program}.exe\\X11 Driver]\n\"Managed\"=\"N\"\n")
  endforeach()
  file(WRITE ${CMAKE_BINARY_DIR}/unmanaged_test_windows.reg "${reg}")
endfunction()
