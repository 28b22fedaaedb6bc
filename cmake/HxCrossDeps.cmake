# Test and JSON libraries for a cross build, where the system's packages are built for
# the wrong machine: GoogleTest is built from its sources, and the header-only JSON
# library is used from a folder of its own, so that no system include folder of the
# build machine reaches the cross compiler.
if(HX_GTEST_SOURCES)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # Its own build defines the GTest:: names the tests link.
  add_subdirectory(${HX_GTEST_SOURCES} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()

if(HX_JSON_HEADERS)
  set(_hx_json_include ${CMAKE_BINARY_DIR}/json-include)
  file(MAKE_DIRECTORY ${_hx_json_include})
  file(CREATE_LINK ${HX_JSON_HEADERS} ${_hx_json_include}/nlohmann SYMBOLIC)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${_hx_json_include})
else()
  find_package(nlohmann_json 3 REQUIRED)
endif()

# Wine's first start makes its prefix, which takes half a minute: done here once, so
# that it does not eat into the time of the first test program it would start.
if(CMAKE_CROSSCOMPILING_EMULATOR)
  execute_process(COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} cmd /c exit 0
                  OUTPUT_QUIET ERROR_QUIET TIMEOUT 300)
endif()
