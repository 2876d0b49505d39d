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
function(tonalyx_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main)
  target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(${T_NAME} PRIVATE TONALYX_FIXTURES="${TONALYX_FIXTURES_DIR}")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 300)
endfunction()
