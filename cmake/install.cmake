# Installation layout and the Debian package.
#
#   cmake --install build --prefix /usr    (DESTDIR is honoured)
#   make package  (the deb target)         -> build/glyphery_<version>_<arch>.deb
#
# The files below are named by GLYPHERY_APP_ID, set beside project().

include(GNUInstallDirs)

set(GLYPHERY_MAINTAINER "The Glyphery developers <glyphery@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(_glyphery_res ${PROJECT_SOURCE_DIR}/resources)

if(WIN32)
  target_sources(glyphery PRIVATE ${_glyphery_res}/glyphery.rc)
endif()

install(TARGETS glyphery RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(UNIX AND NOT APPLE)
  install(FILES ${_glyphery_res}/${GLYPHERY_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${_glyphery_res}/${GLYPHERY_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  # The folder mirrors the hicolor theme: NxN/apps/ID.png and scalable/.
  install(DIRECTORY ${_glyphery_res}/icons/hicolor
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

  # Man page and changelog go out compressed, as Debian expects; -n keeps
  # the name and time out of the header, so every build gives the same bytes.
  set(_glyphery_gz)
  foreach(_glyphery_doc glyphery.1 changelog)
    set(_out ${CMAKE_CURRENT_BINARY_DIR}/${_glyphery_doc}.gz)
    add_custom_command(OUTPUT ${_out}
      COMMAND sh -c "gzip -9 -n -c \"$1\" > \"$2\"" sh ${_glyphery_res}/${_glyphery_doc} ${_out}
      DEPENDS ${_glyphery_res}/${_glyphery_doc}
      COMMENT "Compressing ${_glyphery_doc}"
      VERBATIM)
    list(APPEND _glyphery_gz ${_out})
  endforeach()
  add_custom_target(glyphery_docs ALL DEPENDS ${_glyphery_gz})
  # The man page in the other languages is documentation too.
  add_dependencies(glyphery_docs glyphery_man_translations)

  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/glyphery.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${_glyphery_res}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/glyphery) # the package's name, not the project's
endif()

# Regenerates the committed PNG icons from the drawing in tools/make_icon.cpp:
# 16 and 32 px are taken from the ICO as they are, larger sizes are drawn.
set(_glyphery_icon_cmds)
foreach(_size 16 32 48 64 128 256)
  set(_png ${_glyphery_res}/icons/hicolor/${_size}x${_size}/apps/${GLYPHERY_APP_ID}.png)
  if(_size LESS_EQUAL 32)
    list(APPEND _glyphery_icon_cmds
      COMMAND make_icon --extract ${_glyphery_res}/glyphery.ico ${_size} ${_png})
  else()
    list(APPEND _glyphery_icon_cmds COMMAND make_icon --png ${_size} ${_png})
  endif()
endforeach()
add_custom_target(hicolor_icons ${_glyphery_icon_cmds}
  COMMENT "Writing resources/icons/hicolor from make_icon"
  VERBATIM)

# The Debian package, made by cmake/make_deb.sh from this tree, installed to
# /usr whatever CMAKE_INSTALL_PREFIX says: `cmake --build build --target deb`
# (`make package`) writes build/glyphery_<version>_<arch>.deb. The fields
# below go into its control file; the script adds Architecture,
# Installed-Size and, before the Depends given here, what dpkg-shlibdeps
# finds the program links.
set(_glyphery_deb_summary "character table for the Windows-1252 code page")
# Lines as they appear in the package's description, at most 80 columns.
set(_glyphery_deb_description [=[Glyphery shows the 224 printable characters of the Windows-1252 code page
in a small window, with a large preview of the focused character and its
decimal code.

Enter or a double-click copies a character to the clipboard. Shift, Ctrl or
Alt with Enter appends it, so a string can be collected key by key. The
arrow keys walk the grid, and a character can be dragged into another program.

The typeface, bold, italic, small sizes and a leading blank are kept between
sessions.]=])
# A control file's long description: each line after a blank, an empty line as " .".
string(REPLACE "\n\n" "\n.\n" _glyphery_deb_description "${_glyphery_deb_description}")
string(REPLACE "\n" "\n " _glyphery_deb_description " ${_glyphery_deb_description}")
# Depends: Qt's extra platform plugins, which libqt6gui6 only recommends.
# Recommends, each on its own so that apt installs all of them: the holders
# that keep a copied character once the window closes where no clipboard
# manager runs (xclip on X11, wl-copy on Wayland), Qt's Wayland plugin, so
# that a Wayland session runs natively, and Qt's translations.
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/deb/control.in CONTENT [=[
Package: glyphery
Version: @PROJECT_VERSION@
Architecture:
Maintainer: @GLYPHERY_MAINTAINER@
Installed-Size:
Depends: qt6-qpa-plugins
Recommends: xclip, wl-clipboard, qt6-wayland, qt6-translations-l10n
Section: utils
Priority: optional
Description: @_glyphery_deb_summary@
@_glyphery_deb_description@
]=] @ONLY)
add_custom_target(deb
  COMMAND ${CMAKE_COMMAND} -E env CMAKE=${CMAKE_COMMAND}
          sh ${PROJECT_SOURCE_DIR}/cmake/make_deb.sh ${CMAKE_CURRENT_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR}
  COMMENT "Making the Debian package"
  VERBATIM)
add_dependencies(deb glyphery glyphery_docs)
