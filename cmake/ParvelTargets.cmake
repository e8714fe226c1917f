# Helpers shared by the component folders.
#
# Test layout: tests/unit/<area>/ holds native GoogleTest suites (ASan/UBSan build), tests/win/<area>/ holds
# suites built with MinGW and run under Wine by ctest. Each such folder has its own CMakeLists.txt that calls
# parvel_unit_test or parvel_win_test; fuzz/<area>/ and bench/<area>/ work the same way.

# Adds every child folder of DIR that has a CMakeLists.txt.
function(parvel_add_child_dirs dir)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/${dir}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# The main of every test program (tests/support/GTestMain.cpp): a skipped or disabled test, or a program
# that runs no test, fails.
function(parvel_test_main gtest)
  if(NOT TARGET parvel_test_main)
    add_library(parvel_test_main STATIC ${CMAKE_SOURCE_DIR}/tests/support/GTestMain.cpp)
    target_link_libraries(parvel_test_main PUBLIC ${gtest})
  endif()
endfunction()

# parvel_unit_test(NAME SOURCES ... LIBS ...): a native GoogleTest executable registered with ctest.
function(parvel_unit_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  if(WIN32)
    return()
  endif()
  find_package(GTest REQUIRED GLOBAL)
  parvel_test_main(GTest::gtest)
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} parvel_test_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS unit
    ENVIRONMENT "PARVEL_SOURCE_DIR=${CMAKE_SOURCE_DIR};PARVEL_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# parvel_win_test(NAME SOURCES ... LIBS ... [LABEL l] [TIMEOUT s]): a GoogleTest executable built with MinGW,
# run under Wine. The Wine prefix and display come from the environment (scripts/wine-env).
function(parvel_win_test name)
  cmake_parse_arguments(T "" "LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT WIN32)
    return()
  endif()
  if(NOT TARGET gtest)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # GoogleTest's own sources are not held to our warning flags.
    target_compile_options(gtest PRIVATE -Wno-error)
    target_compile_options(gtest_main PRIVATE -Wno-error)
  endif()
  parvel_test_main(gtest)
  if(NOT T_LABEL)
    set(T_LABEL win)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} parvel_test_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "PARVEL_SOURCE_DIR=${CMAKE_SOURCE_DIR};PARVEL_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# parvel_fuzz_target(NAME SOURCES ... LIBS ... [CORPUS dir]): a libFuzzer target (clang, sanitizers).
function(parvel_fuzz_target name)
  cmake_parse_arguments(T "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${T_LIBS})
endfunction()

# parvel_shipped_program(NAME WINDOWS|CONSOLE): a program that goes to users (Parvel.exe, parvel-check.exe,
# lzhx.exe, parvel-pack.exe). Its entry point keeps DLL loads to System32 before anything else runs
# (framework/ProgramStart.cpp); it imports known DLLs only (tests/win/trust checks that).
function(parvel_shipped_program name kind)
  if(NOT WIN32)
    return()
  endif()
  target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/framework/ProgramStart.cpp)
  target_link_libraries(${name} PRIVATE framework_system)
  if(kind STREQUAL "WINDOWS")
    set(entry ParvelWindowsStart)
  else()
    set(entry ParvelConsoleStart)
  endif()
  # 32-bit symbols carry a leading underscore.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(entry _${entry})
  endif()
  target_link_options(${name} PRIVATE -Wl,--entry=${entry})
endfunction()
