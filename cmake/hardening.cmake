# Hardening: every build compiles and links with the flags a Debian package
# gets. Where dpkg-buildflags exists they come from it, with every hardening
# feature on (DEB_BUILD_MAINT_OPTIONS=hardening=+all); whatever it leaves out
# of the set below (an older dpkg gives neither stack-clash nor control-flow
# protection), or all of it elsewhere, is added where the compiler and the
# linker take it:
#
#   stack protector (strong), _FORTIFY_SOURCE, -Wformat -Werror=format-security,
#   -z relro and -z now, PIE, stack-clash protection, control-flow protection
#
# The build type keeps its own optimisation and debug flags: -g and -O from
# dpkg-buildflags are left out, and so are its file-prefix maps, which
# cmake/reproducible.cmake sets for the source and the build folder.
# _FORTIFY_SOURCE needs optimisation, so a Debug build goes without it.
#
#   -DGLYPHERY_HARDENING=OFF                       none of it (the sanitizer build)
#   -DGLYPHERY_DPKG_BUILDFLAGS=OFF                 the set without dpkg-buildflags

include(CheckCXXCompilerFlag)
include(CheckCXXSourceCompiles)
include(CheckLinkerFlag)
include(CheckPIESupported)

option(GLYPHERY_HARDENING "Compile and link with the distribution's hardening flags" ON)
find_program(GLYPHERY_DPKG_BUILDFLAGS dpkg-buildflags)

# glyphery_hardening_flags(COMPILE_VAR LINK_VAR): the compile and link options
# described above, for add_compile_options and add_link_options.
function(glyphery_hardening_flags compile_var link_var)
  set(compile)
  set(link)
  if(GLYPHERY_DPKG_BUILDFLAGS)
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
      execute_process(
        COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                ${GLYPHERY_DPKG_BUILDFLAGS} --get ${kind}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE status)
      if(NOT status EQUAL 0)
        message(FATAL_ERROR "${GLYPHERY_DPKG_BUILDFLAGS} --get ${kind} failed (${status})")
      endif()
      separate_arguments(flags UNIX_COMMAND "${flags}")
      list(FILTER flags EXCLUDE REGEX "^-(g|O)|^-f(file|debug|macro)-prefix-map=")
      if(kind STREQUAL LDFLAGS)
        list(APPEND link ${flags})
      else()
        list(APPEND compile ${flags})
      endif()
    endforeach()
  endif()

  # What dpkg-buildflags did not give, where the compiler takes it. Each row:
  # a pattern that finds the feature among the flags, and the flags for it.
  macro(_glyphery_add_compile pattern)
    if(NOT compile MATCHES "${pattern}")
      string(MAKE_C_IDENTIFIER "GLYPHERY_HAS${ARGN}" has)
      check_cxx_compiler_flag("${ARGN}" ${has})
      if(${has})
        list(APPEND compile ${ARGN})
      endif()
    endif()
  endmacro()
  _glyphery_add_compile("-fstack-protector" -fstack-protector-strong)
  _glyphery_add_compile("-Werror=format-security" -Wformat -Werror=format-security)
  _glyphery_add_compile("-fstack-clash-protection" -fstack-clash-protection)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64|i.86)$")
    _glyphery_add_compile("-fcf-protection" -fcf-protection)
  elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
    _glyphery_add_compile("-mbranch-protection" -mbranch-protection=standard)
  endif()
  # A compiler that fortifies by itself (Ubuntu's, at -O2) keeps its level.
  if(NOT compile MATCHES "_FORTIFY_SOURCE")
    set(CMAKE_REQUIRED_FLAGS -O2)
    check_cxx_source_compiles("#include <cstdio>
      #ifndef _FORTIFY_SOURCE
      #error no fortify
      #endif
      int main() {}" GLYPHERY_COMPILER_FORTIFIES)
    if(NOT GLYPHERY_COMPILER_FORTIFIES)
      list(APPEND compile -D_FORTIFY_SOURCE=2)
    endif()
  endif()
  foreach(flag -Wl,-z,relro -Wl,-z,now)
    if(NOT link MATCHES "${flag}")
      string(MAKE_C_IDENTIFIER "GLYPHERY_LINKS${flag}" has)
      check_linker_flag(CXX "${flag}" ${has})
      if(${has})
        list(APPEND link ${flag})
      endif()
    endif()
  endforeach()

  # Control-flow protection reaches the program's ELF notes only when every
  # object linked into it has it. Debian 12's C library start files (crt1.o,
  # crti.o, crtn.o, libc_nonshared.a) are built without it; every object of
  # ours is, and neither IBT nor a shadow stack is enforced with that C
  # library, so the linker is told to mark the program.
  if(compile MATCHES "-fcf-protection")
    foreach(flag -Wl,-z,ibt -Wl,-z,shstk)
      string(MAKE_C_IDENTIFIER "GLYPHERY_LINKS${flag}" has)
      check_linker_flag(CXX "${flag}" ${has})
      if(${has})
        list(APPEND link ${flag})
      endif()
    endforeach()
  endif()

  # Fortification warns without optimisation, and warnings are errors in CI.
  list(TRANSFORM compile REPLACE "^(-D_FORTIFY_SOURCE.*)$" "$<$<NOT:$<CONFIG:Debug>>:\\1>")
  set(${compile_var} ${compile} PARENT_SCOPE)
  set(${link_var} ${link} PARENT_SCOPE)
endfunction()

if(GLYPHERY_HARDENING)
  # PIE: position-independent code, linked as such.
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  check_pie_supported()
  glyphery_hardening_flags(_glyphery_hardening_compile _glyphery_hardening_link)
  add_compile_options(${_glyphery_hardening_compile})
  add_link_options(${_glyphery_hardening_link})
  string(JOIN " " _glyphery_flags ${_glyphery_hardening_compile} ${_glyphery_hardening_link})
  string(REGEX REPLACE "\\$<\\$<NOT:\\$<CONFIG:Debug>>:([^>]*)>" "\\1 (not in Debug)" _glyphery_flags "${_glyphery_flags}")
  message(STATUS "Hardening flags: ${_glyphery_flags}")
endif()
