# Shared target helpers: every target gets the same warnings and sanitizers.
include(GoogleTest)

function(hx_apply_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           $<$<BOOL:${HX_WERROR}>:-Werror>)
  if(HX_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined
                                             -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# hx_core_sources(file...): adds plain C++ sources to the core library.
function(hx_core_sources)
  target_sources(hxcore PRIVATE ${ARGN})
endfunction()

# hx_executable(name SOURCES ... LIBS ... [QT]): QT runs moc on the sources.
function(hx_executable name)
  if(HX_FUZZ)
    return() # a fuzzing build makes only the core and its fuzzers
  endif()
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES AUTOMOC ${ARG_QT})
  hx_apply_warnings(${name})
endfunction()

# hx_library(name SOURCES ... LIBS ... [QT]): a static library; QT runs moc on it.
function(hx_library name)
  if(HX_FUZZ)
    return() # a fuzzing build makes only the core and its fuzzers
  endif()
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  set_target_properties(${name} PROPERTIES AUTOMOC ${ARG_QT})
  hx_apply_warnings(${name})
endfunction()

# hx_qt_library(name SOURCES ... LIBS ...): a static library that uses Qt.
function(hx_qt_library name)
  hx_library(${name} QT ${ARGN})
endfunction()

# hx_test(name SOURCES ... LIBS ... [QT] [LINUX_CASES filter]): a test program run by CTest.
# GoogleTest programs are registered case by case; Qt Test programs (QT) run headless.
function(hx_test name)
  if(HX_FUZZ)
    return() # a fuzzing build makes only the core and its fuzzers
  endif()
  cmake_parse_arguments(ARG "QT" "LINUX_CASES" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  hx_apply_warnings(${name})
  target_compile_definitions(${name} PRIVATE HX_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                                             HX_BINARY_DIR="${CMAKE_BINARY_DIR}")
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  else()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
    # A cross build lists its cases when the tests run (under the emulator), not while
    # it builds.
    # LINUX_CASES: a filter of the cases that hold for Linux alone (device paths,
    # path separators), left out of the Windows build.
    if(CMAKE_CROSSCOMPILING)
      gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST
                           TEST_FILTER "-${ARG_LINUX_CASES}")
    else()
      gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
    endif()
  endif()
endfunction()

# hx_fuzzer(name SOURCE file): a libFuzzer target, built only when HX_FUZZ is on (clang).
function(hx_fuzzer name)
  cmake_parse_arguments(ARG "" "SOURCE" "" ${ARGN})
  if(NOT HX_FUZZ)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCE})
  target_link_libraries(${name} PRIVATE hxcore)
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  hx_apply_warnings(${name})
  add_dependencies(hx_fuzzers ${name})
endfunction()

# hx_benchmark(name SOURCES ... LIBS ...): a benchmark in build/bench, run by hand; it
# drives hxsim, so hxsim is built with it.
function(hx_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  hx_executable(${name} SOURCES ${ARG_SOURCES} LIBS ${ARG_LIBS})
  if(NOT TARGET ${name})
    return()
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  target_compile_definitions(${name} PRIVATE HX_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                                             HX_BINARY_DIR="${CMAKE_BINARY_DIR}")
  add_dependencies(${name} hxsim)
endfunction()

# hx_linux_tests(list file...): appends test sources that need what only Linux has
# (file modes and owners, /proc, inotify, child processes on pseudo-terminals, locales
# built on the fly), except in the Windows build, whose own tests cover the same ground
# the Windows way.
macro(hx_linux_tests list)
  if(NOT WIN32)
    list(APPEND ${list} ${ARGN})
  endif()
endmacro()
