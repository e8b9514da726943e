# The Debian package, from the native build:
#   /usr/games/quillmate-uci     the engine tool, built natively, with a man page
#   /usr/games/quillmate         a launcher that runs the game under Wine
#   /usr/share/quillmate/        quillmate.exe from the Windows build, and the
#                                settings of the launcher's Wine prefix
#   a .desktop entry and the icon, drawn by tools/artwork, as PNG.

set(QUILLMATE_GAME_EXE ${PROJECT_SOURCE_DIR}/build/windows/shell/quillmate.exe
  CACHE FILEPATH "quillmate.exe from the Windows build, for the Debian package")

set(QUILLMATE_DEB_DIR ${CMAKE_BINARY_DIR}/packaging)
set(QUILLMATE_DEB_FILES)

# gzip -9n: what Debian policy asks of man pages and changelogs.
function(quillmate_gzip source out)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DIN=${source} -DOUT=${out}
            -P ${QUILLMATE_PACKAGING_DIR}/gzip.cmake
    DEPENDS ${source} ${QUILLMATE_PACKAGING_DIR}/gzip.cmake
    COMMENT "Compressing ${out}")
  set(QUILLMATE_DEB_FILES ${QUILLMATE_DEB_FILES} ${out} PARENT_SCOPE)
endfunction()

foreach(page quillmate.6 quillmate-uci.6)
  quillmate_gzip(${QUILLMATE_PACKAGING_DIR}/debian/${page} ${QUILLMATE_DEB_DIR}/${page}.gz)
endforeach()
configure_file(${QUILLMATE_PACKAGING_DIR}/debian/changelog.in
  ${QUILLMATE_DEB_DIR}/changelog @ONLY)
quillmate_gzip(${QUILLMATE_DEB_DIR}/changelog ${QUILLMATE_DEB_DIR}/changelog.gz)

# The copyright file carries the licence text, indented as the format asks.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE QUILLMATE_LICENSE_TEXT)
string(STRIP "${QUILLMATE_LICENSE_TEXT}" QUILLMATE_LICENSE_TEXT)
string(REGEX REPLACE "\n\n" "\n.\n" QUILLMATE_LICENSE_TEXT "${QUILLMATE_LICENSE_TEXT}")
string(REGEX REPLACE "\n([^\n])" "\n \\1" QUILLMATE_LICENSE_TEXT "${QUILLMATE_LICENSE_TEXT}")
configure_file(${QUILLMATE_PACKAGING_DIR}/debian/copyright.in
  ${QUILLMATE_DEB_DIR}/copyright @ONLY)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY
  CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

set(QUILLMATE_ARTWORK ${PROJECT_SOURCE_DIR}/tools/artwork/draw_artwork.py)
file(GLOB QUILLMATE_ARTWORK_CODE CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/artwork/*.py)
foreach(scale 1 2)
  math(EXPR size "32 * ${scale}")
  set(png ${QUILLMATE_DEB_DIR}/icon-${size}/quillmate.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QUILLMATE_DEB_DIR}/icon-${size}
    # The system interpreter: the artwork is drawn the same wherever it runs.
    COMMAND /usr/bin/python3 ${QUILLMATE_ARTWORK} --icon-png ${png} ${scale}
    DEPENDS ${QUILLMATE_ARTWORK_CODE}
    COMMENT "Drawing the ${size} x ${size} icon")
  list(APPEND QUILLMATE_DEB_FILES ${png})
  install(FILES ${png} DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(quillmate_deb_files ALL DEPENDS ${QUILLMATE_DEB_FILES})

install(TARGETS quillmate-uci RUNTIME DESTINATION games)
install(PROGRAMS ${QUILLMATE_PACKAGING_DIR}/debian/quillmate
  DESTINATION games)
install(FILES ${QUILLMATE_GAME_EXE} ${QUILLMATE_PACKAGING_DIR}/wine-prefix.reg
  DESTINATION share/quillmate)
# The Windows build keeps its symbols; the package does not need them.
find_program(QUILLMATE_MINGW_STRIP x86_64-w64-mingw32-strip)
if(QUILLMATE_MINGW_STRIP)
  install(CODE "execute_process(COMMAND ${QUILLMATE_MINGW_STRIP}
    \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/quillmate/quillmate.exe
    COMMAND_ERROR_IS_FATAL ANY)")
endif()
install(FILES ${QUILLMATE_PACKAGING_DIR}/debian/quillmate.desktop
  DESTINATION share/applications)
install(FILES ${QUILLMATE_DEB_DIR}/quillmate.6.gz ${QUILLMATE_DEB_DIR}/quillmate-uci.6.gz
  DESTINATION share/man/man6)
install(FILES ${QUILLMATE_DEB_DIR}/copyright ${QUILLMATE_DEB_DIR}/changelog.gz
  DESTINATION share/doc/quillmate)

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Wine runs the game; the game's Chinese text needs a CJK font and the code
# page 936, which LC_ALL=zh_CN.UTF-8 gives without generating a locale.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "wine, wine64, fonts-wqy-microhei, fonts-wine, locales-all")
# The summary above is the first line; this is the long description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Quillmate is a chess game with a Chinese interface: play against the
computer, against another person at the same mouse, or watch the computer
play itself. The game is a Windows program; the package runs it under Wine.
.
The engine tool quillmate-uci speaks the UCI protocol, so the engine plugs
into chess GUIs and match tools.")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(QUILLMATE_TESTS)
  add_test(NAME launcher COMMAND bash ${QUILLMATE_PACKAGING_DIR}/tests/test_launcher.sh)
endif()
