# Fails when a file under src/ includes a header of a folder above its own. The folders, from
# the bottom: platform < album < commands < {print, photos, migrate, editor} < texttools < app;
# folders on one level do not include each other either, so each may be built and tested with
# only what lies below it.
#
#   cmake -DSOURCE_DIR=<repo> -P <this file>

cmake_minimum_required(VERSION 3.21)

if(NOT DEFINED SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()

set(level_platform 0)
set(level_album 1)
set(level_commands 2)
set(level_print 3)
set(level_photos 3)
set(level_migrate 3)
set(level_editor 3)
set(level_texttools 4)
set(level_app 5)

file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/src/*.h" "${SOURCE_DIR}/src/*.cpp")
set(offences "")
foreach(file IN LISTS files)
  string(REGEX REPLACE "^src/([^/]+)/.*$" "\\1" folder "${file}")
  if(NOT DEFINED level_${folder})
    string(APPEND offences "\n  ${file}: folder ${folder} has no place in the layers")
    continue()
  endif()
  file(STRINGS "${SOURCE_DIR}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^/\"]+/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^/\"]+)/.*$" "\\1" target "${line}")
    if(target STREQUAL folder OR NOT DEFINED level_${target})
      continue()
    endif()
    if(NOT level_${target} LESS level_${folder})
      string(APPEND offences "\n  ${file} (${folder}) includes ${target}/")
    endif()
  endforeach()
endforeach()

if(NOT files)
  message(FATAL_ERROR "no files found under ${SOURCE_DIR}/src")
endif()
if(offences)
  message(FATAL_ERROR "includes that run back up the layers:${offences}")
endif()
list(LENGTH files count)
message(STATUS "${count} files include only folders below their own")
