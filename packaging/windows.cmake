# The Windows packages: both executables, README.txt and LICENSE.txt at the
# top of the install folder, as an NSIS installer and as a zip.

set(QUILLMATE_YEAR 2026)

# Version information and the manifest for one executable.
function(quillmate_add_version_resource target description)
  set(VERSION_FILE_DESCRIPTION "${description}")
  set(VERSION_FILE_NAME "${target}.exe")
  if(MSVC)
    # The MSVC linker writes the manifest itself and merges this one into it.
    set(VERSION_MANIFEST "")
    target_sources(${target} PRIVATE ${QUILLMATE_PACKAGING_DIR}/quillmate.manifest)
  else()
    set(VERSION_MANIFEST "1 24 \"${QUILLMATE_PACKAGING_DIR}/quillmate.manifest\"")
  endif()
  set(rc ${CMAKE_BINARY_DIR}/packaging/${target}-version.rc)
  configure_file(${QUILLMATE_PACKAGING_DIR}/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  # The script names the manifest; a changed manifest compiles it again.
  set_property(SOURCE ${rc} TARGET_DIRECTORY ${target}
    APPEND PROPERTY OBJECT_DEPENDS ${QUILLMATE_PACKAGING_DIR}/quillmate.manifest)
endfunction()

quillmate_add_version_resource(quillmate "Quillmate chess game")
quillmate_add_version_resource(quillmate-uci "Quillmate UCI chess engine")

# Text files with Windows line ends.
set(QUILLMATE_TEXT_FILES)
foreach(pair README.md:README.txt LICENSE:LICENSE.txt)
  string(REPLACE ":" ";" pair ${pair})
  list(GET pair 0 source)
  list(GET pair 1 target)
  set(out ${CMAKE_BINARY_DIR}/packaging/${target})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_SOURCE_DIR}/${source} -DOUT=${out}
            -P ${QUILLMATE_PACKAGING_DIR}/crlf.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/${source} ${QUILLMATE_PACKAGING_DIR}/crlf.cmake
    COMMENT "Writing ${target}")
  list(APPEND QUILLMATE_TEXT_FILES ${out})
endforeach()
add_custom_target(quillmate_text_files ALL DEPENDS ${QUILLMATE_TEXT_FILES})

install(TARGETS quillmate quillmate-uci RUNTIME DESTINATION .)
install(FILES ${QUILLMATE_TEXT_FILES} DESTINATION .)

set(CPACK_GENERATOR "NSIS;ZIP")
set(CPACK_PACKAGE_FILE_NAME "quillmate-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Quillmate")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Quillmate")

# A 64-bit installer for the 64-bit program: it writes the 64-bit registry
# view, and it runs under a Wine that has no 32-bit part.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")

# CPack's own installer script, with two changes: a user without
# administrator rights may install for themselves alone (administrators
# install for every user), and then into the per-user programs folder
# rather than into Documents.
set(stock ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in)
file(READ ${stock} template)
foreach(change
    "RequestExecutionLevel admin|RequestExecutionLevel highest"
    "$DOCUMENTS\\@CPACK_PACKAGE_INSTALL_DIRECTORY@|$LOCALAPPDATA\\Programs\\@CPACK_PACKAGE_INSTALL_DIRECTORY@")
  string(REPLACE "|" ";" change "${change}")
  list(GET change 0 from)
  list(GET change 1 to)
  string(FIND "${template}" "${from}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${stock} has no '${from}' any more; check the installer")
  endif()
  string(REPLACE "${from}" "${to}" template "${template}")
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/packaging/nsis/NSIS.template.in "${template}")
list(APPEND CMAKE_MODULE_PATH ${CMAKE_BINARY_DIR}/packaging/nsis)
set(CPACK_NSIS_PACKAGE_NAME "Quillmate")
set(CPACK_NSIS_DISPLAY_NAME "Quillmate ${PROJECT_VERSION}")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/quillmate.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/quillmate.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME "quillmate.exe")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The Start-menu shortcut, with the game's own icon.
set(CPACK_NSIS_CREATE_ICONS_EXTRA
  "CreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\Quillmate.lnk' '$INSTDIR\\\\quillmate.exe' '' '$INSTDIR\\\\quillmate.exe' 0")
# The uninstaller removes the shortcut; and, as its last step, the vendor's
# registry key, which it leaves behind empty otherwise.
set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete '$SMPROGRAMS\\\\$MUI_TEMP\\\\Quillmate.lnk'
  DeleteRegKey /ifempty SHCTX 'Software\\\\${CPACK_PACKAGE_VENDOR}'")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ".")
set(CPACK_NSIS_MUI_FINISHPAGE_RUN "quillmate.exe")

# Reads the version information and the manifest back, as Windows sees them;
# tools/check-packages.sh runs it under Wine on the packaged executables.
add_executable(quillmate_version_info ${QUILLMATE_PACKAGING_DIR}/tests/version_info.cpp)
target_link_libraries(quillmate_version_info PRIVATE version)
