# Reproducible builds: two builds of one commit give the same program and the
# same package, bit for bit, whatever the folder, the time, the umask, the
# locale or the time zone.
#
# - GLYPHERY_SOURCE_DATE_EPOCH is the one date of a build: SOURCE_DATE_EPOCH
#   when the environment sets it (dpkg-buildpackage does, from the Debian
#   changelog), else the time of the commit: written into
#   cmake/source-date-epoch by `git archive` in a source release
#   (export-subst in .gitattributes), or asked from git in a checkout.
# - The compiler writes the source folder as "." and the build folder as
#   "./build" wherever it records a path (debug information, __FILE__), so the
#   build ID, which covers the debug information, does not depend on them.
# - Qt's rcc writes each resource's time into the program; it takes
#   SOURCE_DATE_EPOCH from the environment of the build, which the Makefile
#   exports.
# - cmake/make_deb.sh gives every file in the .deb that time and fixed
#   modes, and dpkg-deb writes the archives sorted, with clamped times.

# Only this project's own repository counts, not one it was unpacked into.
find_package(Git QUIET)
if(Git_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --show-toplevel
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE _glyphery_top OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(_glyphery_top)
    file(REAL_PATH "${_glyphery_top}" _glyphery_top)
  endif()
endif()
file(REAL_PATH "${PROJECT_SOURCE_DIR}" _glyphery_source)

set(GLYPHERY_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
if(NOT GLYPHERY_SOURCE_DATE_EPOCH AND EXISTS ${PROJECT_SOURCE_DIR}/cmake/source-date-epoch)
  file(READ ${PROJECT_SOURCE_DIR}/cmake/source-date-epoch _glyphery_stamp)
  string(STRIP "${_glyphery_stamp}" _glyphery_stamp)
  if(_glyphery_stamp MATCHES "^[0-9]+$")
    set(GLYPHERY_SOURCE_DATE_EPOCH ${_glyphery_stamp})
  endif()
endif()
if(NOT GLYPHERY_SOURCE_DATE_EPOCH)
  if(_glyphery_top AND _glyphery_top STREQUAL _glyphery_source)
    execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE GLYPHERY_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
endif()
if(NOT GLYPHERY_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(STATUS "No SOURCE_DATE_EPOCH, commit or release date: the package takes the time it is made")
  set(GLYPHERY_SOURCE_DATE_EPOCH "")
endif()

# A new commit gives a new date. rcc runs only when its inputs change, and
# the date is none of them: when the date differs from the one this folder
# was configured with, the resources are made anew. (The Makefile configures
# again when the date changes.)
set(_glyphery_epoch_file ${PROJECT_BINARY_DIR}/source-date-epoch)
set(_glyphery_previous_epoch "unknown")
if(EXISTS ${_glyphery_epoch_file})
  file(STRINGS ${_glyphery_epoch_file} _glyphery_previous_epoch)
endif()
if(NOT "${_glyphery_previous_epoch}" STREQUAL "${GLYPHERY_SOURCE_DATE_EPOCH}")
  file(GLOB_RECURSE _glyphery_rcc_outputs LIST_DIRECTORIES false ${PROJECT_BINARY_DIR}/qrc_*.cpp)
  if(_glyphery_rcc_outputs)
    file(REMOVE ${_glyphery_rcc_outputs})
  endif()
endif()
file(WRITE ${_glyphery_epoch_file} "${GLYPHERY_SOURCE_DATE_EPOCH}\n")

# The later map wins where both match: the build folder may lie inside the
# source folder.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.)
if(NOT PROJECT_BINARY_DIR STREQUAL PROJECT_SOURCE_DIR)
  add_compile_options(-ffile-prefix-map=${PROJECT_BINARY_DIR}=./build)
endif()
