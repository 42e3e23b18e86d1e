# Installs the default settings files from SOURCE into DEST. The list of
# gauge types is the installation's own and is always replaced; every other
# file is copied only when missing, so the program's saved settings survive
# a rebuild. The files are Windows-1251 with CR LF and are copied byte for byte.
file(MAKE_DIRECTORY "${DEST}")
file(GLOB _files RELATIVE "${SOURCE}" "${SOURCE}/*")
foreach(_file ${_files})
  if(_file STREQUAL "ProgramTypes.ini" OR NOT EXISTS "${DEST}/${_file}")
    file(COPY_FILE "${SOURCE}/${_file}" "${DEST}/${_file}" ONLY_IF_DIFFERENT)
  endif()
endforeach()
