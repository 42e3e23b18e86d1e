# Writes the facts of this build into OUTPUT: the project's VERSION, the
# commit of the checkout in SOURCE_DIR (empty outside a checkout) and the
# day. Runs at every build; the file is replaced only when a fact changed,
# so an unchanged build recompiles nothing.
#
#   cmake -DSOURCE_DIR=... -DOUTPUT=... -DVERSION=... -P build_info.cmake

set(commit "")
find_package(Git QUIET)
if(GIT_FOUND AND EXISTS "${SOURCE_DIR}/.git")
  execute_process(COMMAND "${GIT_EXECUTABLE}" rev-parse --short=10 HEAD
                  WORKING_DIRECTORY "${SOURCE_DIR}" OUTPUT_VARIABLE commit
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
  if(failed)
    set(commit "")
  endif()
endif()
string(TIMESTAMP day "%Y-%m-%d")

set(content "// Generated at build time by cmake/build_info.cmake.
#include \"app/build_info.h\"

QString ProgramVersion() { return QStringLiteral(\"${VERSION}\"); }
QString ProgramCommit() { return QStringLiteral(\"${commit}\"); }
QString ProgramBuildDate() { return QStringLiteral(\"${day}\"); }
")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL content)
  file(WRITE "${OUTPUT}" "${content}")
endif()
