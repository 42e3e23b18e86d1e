# Headers every file parses again and again, compiled once for a whole
# group of targets built with the same flags: the libraries, the user
# interface's libraries, the tests, the user interface's tests. The first
# target of a group compiles them; the others reuse its result. Nothing of the
# project's own goes in, so an edit to one of its headers still rebuilds only
# the files that include it.
set(TOLM_PCH_CORE <QString> <QStringList> <QByteArray> <QList> <QDir> <QFile> <QFileInfo> <QDateTime>
    <QObject> <QTimer> <QThread> <QCoreApplication> <QElapsedTimer> <QPointer> <QLocale> <QJsonObject>
    <QJsonArray> <QJsonDocument> <QRegularExpression> <algorithm> <array> <atomic> <chrono> <cmath>
    <functional> <map> <memory> <mutex> <optional> <string> <vector>)
set(TOLM_PCH_WIDGETS <QtWidgets> <qcustomplot.h>)
set(TOLM_PCH_TESTS <gtest/gtest.h>)

# GROUP is "lib" or "test"; a target that links the widgets joins its "_ui"
# twin.
function(tolm_precompile target group)
  set(_headers ${TOLM_PCH_CORE})
  if(group STREQUAL "test")
    list(APPEND _headers ${TOLM_PCH_TESTS})
  endif()
  if(";${ARGN};" MATCHES ";(tolm_ui|tolm_ui_widgets|Qt6::Widgets);")
    set(group ${group}_ui)
    list(APPEND _headers ${TOLM_PCH_WIDGETS})
    if(group STREQUAL "test_ui")
      list(APPEND _headers <QTest>)
    endif()
  endif()
  get_property(_holder GLOBAL PROPERTY TOLM_PCH_${group})
  if(_holder)
    target_precompile_headers(${target} REUSE_FROM ${_holder})
  else()
    target_precompile_headers(${target} PRIVATE ${_headers})
    set_property(GLOBAL PROPERTY TOLM_PCH_${group} ${target})
  endif()
endfunction()

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
    tolm_precompile(${name} lib ${ARGN})
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
  # The tests declare no Qt classes of their own: nothing for moc to do.
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${_suite_UNPARSED_ARGUMENTS} tolm_testsupport GTest::gtest GTest::gtest_main
                        GTest::gmock)
  tolm_precompile(${name} test ${_suite_UNPARSED_ARGUMENTS})
  # The tests' own code (fixtures, assertions) is compiled unoptimised in the
  # sanitizer build: that halves the compile of a test file, and the code
  # under test keeps the build's optimisation.
  if(TOLM_SANITIZE)
    target_compile_options(${name} PRIVATE -O0)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS ${_suite_LABEL} ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endfunction()
