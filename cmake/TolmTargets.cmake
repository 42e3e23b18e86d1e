# One static library per layer: every .cpp of its folders (a list, for a
# layer split into rooms; subfolders not named belong to other targets), so
# adding a file needs no CMake edit.
function(tolm_layer name dirs)
  set(_sources)
  foreach(_dir ${dirs})
    file(GLOB _found CONFIGURE_DEPENDS ${_dir}/*.cpp ${_dir}/*.h)
    list(APPEND _sources ${_found})
  endforeach()
  set(_cpp ${_sources})
  list(FILTER _cpp INCLUDE REGEX "\\.cpp$")
  if(_cpp)
    add_library(${name} STATIC ${_sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# One GoogleTest program per test folder, each test case registered with
# CTest under the folder's label, or under LABEL when given (LABEL soak: run
# by `make soak`, left out of `make test`).
function(tolm_test_suite name dir)
  cmake_parse_arguments(PARSE_ARGV 2 _suite "" "LABEL" "")
  if(NOT _suite_LABEL)
    set(_suite_LABEL ${name})
  endif()
  file(GLOB _sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  if(NOT _sources)
    return()
  endif()
  add_executable(${name} ${_sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${_suite_UNPARSED_ARGUMENTS} tolm_testsupport GTest::gtest GTest::gtest_main
                        GTest::gmock)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS ${_suite_LABEL} ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endfunction()
