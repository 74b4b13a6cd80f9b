# Fails when a file of the headless core includes a Qt Widgets or Qt PrintSupport header.
# Core files are all files under src/ except those of komasu_ui (matched by file stem, so a
# widget's header goes with its source) and src/app. A header counts as Widgets or
# PrintSupport when it is spelled with the module folder or exists in that module's include
# folder: Qt's common include folder is on core's include path, so such an include would
# otherwise compile.
#
#   cmake -DSOURCE_DIR=<repo> -DUI_STEMS=a,b,... -DQT_MODULE_DIRS=<dir>,<dir> -P <this file>

cmake_minimum_required(VERSION 3.21)

foreach(var SOURCE_DIR UI_STEMS QT_MODULE_DIRS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()
string(REPLACE "," ";" ui_stems "${UI_STEMS}")
string(REPLACE "," ";" module_dirs "${QT_MODULE_DIRS}")

file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/src/*.h" "${SOURCE_DIR}/src/*.cpp")
list(FILTER files EXCLUDE REGEX "^src/app/")
set(checked 0)
set(offences "")
foreach(file IN LISTS files)
  get_filename_component(stem "${file}" NAME_WE)
  if(stem IN_LIST ui_stems)
    continue()
  endif()
  math(EXPR checked "${checked} + 1")
  file(STRINGS "${SOURCE_DIR}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*<")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*<([^>]+)>.*$" "\\1" header "${line}")
    set(bad FALSE)
    if(header MATCHES "^Qt(Widgets|PrintSupport)(/|$)")
      set(bad TRUE)
    else()
      foreach(dir IN LISTS module_dirs)
        if(EXISTS "${dir}/${header}" AND NOT IS_DIRECTORY "${dir}/${header}")
          set(bad TRUE)
        endif()
      endforeach()
    endif()
    if(bad)
      string(APPEND offences "\n  ${file}: <${header}>")
    endif()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "no core files found under ${SOURCE_DIR}/src")
endif()
if(offences)
  message(FATAL_ERROR "core files include Widgets or PrintSupport headers:${offences}")
endif()
message(STATUS "${checked} core files include no Widgets or PrintSupport header")
