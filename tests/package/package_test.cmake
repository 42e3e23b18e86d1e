# The Debian package as a user gets it: made with CPack from this build,
# unpacked into a scratch root with dpkg -x, its menu entry and software
# centre file validated, and its programs started from there against the
# simulated gauge. An installed copy must leave its bin/ folder as it was and
# keep its files in the user's folder, seeded from share/tolm47x/INI.
#
#   cmake -DBUILD_DIR=... -DWORK=... -P package_test.cmake

function(run)
  cmake_parse_arguments(R "" "OUT" "COMMAND" ${ARGN})
  execute_process(COMMAND ${R_COMMAND} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${R_COMMAND}\n${out}\n${err}")
  endif()
  if(R_OUT)
    set(${R_OUT} "${out}" PARENT_SCOPE)
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/root ${WORK}/home)

run(COMMAND cpack -G DEB -B ${WORK}/out --config ${BUILD_DIR}/CPackConfig.cmake)
file(GLOB debs ${WORK}/out/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one .deb, found: ${debs}")
endif()

run(COMMAND dpkg-deb --field ${debs} Package Version Depends OUT fields)
message(STATUS "${fields}")
foreach(needed "Package: tolm47x" "Version: ${VERSION}" "libqt6widgets6" "libqt6serialport6" "libsqlite3"
               "qt6-qpa-plugins" "qt6-translations-l10n")
  string(FIND "${fields}" "${needed}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the package's fields lack \"${needed}\":\n${fields}")
  endif()
endforeach()

run(COMMAND dpkg -x ${debs} ${WORK}/root)
set(usr ${WORK}/root/usr)
foreach(file bin/tolm47x bin/tolm-cli bin/tolm-sim share/tolm47x/INI/ProgramTypes.ini share/tolm47x/INI/ComPort.ini
             share/applications/ru.tolm.tolm47x.desktop share/icons/hicolor/scalable/apps/ru.tolm.tolm47x.svg
             share/metainfo/ru.tolm.tolm47x.metainfo.xml)
  if(NOT EXISTS ${usr}/${file})
    message(FATAL_ERROR "the package lacks /usr/${file}")
  endif()
endforeach()
run(COMMAND desktop-file-validate ${usr}/share/applications/ru.tolm.tolm47x.desktop)
run(COMMAND appstreamcli validate --no-net ${usr}/share/metainfo/ru.tolm.tolm47x.metainfo.xml)

file(GLOB bin_before RELATIVE ${usr}/bin ${usr}/bin/*)
set(ENV{HOME} ${WORK}/home)
set(ENV{XDG_DATA_HOME} ${WORK}/home/.local/share)
set(ENV{QT_QPA_PLATFORM} offscreen)
run(COMMAND ${usr}/bin/tolm-cli --sim send Echo OUT echo)
string(FIND "${echo}" "ответ:     FF 10 03 55 AA" at)
if(at EQUAL -1)
  message(FATAL_ERROR "tolm-cli --sim send Echo got no answer:\n${echo}")
endif()
set(ENV{TOLM47X_EXIT_WHEN_SHOWN} 1)
run(COMMAND ${usr}/bin/tolm47x /sim OUT shown)
if(NOT shown MATCHES "shown [0-9]+")
  message(FATAL_ERROR "tolm47x did not show its main window:\n${shown}")
endif()

file(GLOB bin_after RELATIVE ${usr}/bin ${usr}/bin/*)
if(NOT bin_before STREQUAL bin_after)
  message(FATAL_ERROR "the installed programs wrote into bin/: ${bin_after}")
endif()
if(NOT EXISTS ${WORK}/home/.local/share/tolm47x/INI/ProgramTypes.ini)
  message(FATAL_ERROR "the user's folder was not seeded from share/tolm47x/INI")
endif()
file(REMOVE_RECURSE ${WORK})
