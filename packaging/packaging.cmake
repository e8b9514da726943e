# Install rules and the packages that players install, built with CPack.
#   Windows (the windows preset): an NSIS installer and a zip holding both
#   executables, the README and the licence; both executables carry version
#   information and an application manifest.
#   Linux (the native preset): the Debian package: the engine tool built
#   natively, the Windows game run through a Wine launcher.
# `tools/package.sh` builds all of them.

set(QUILLMATE_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})

set(CPACK_PACKAGE_NAME quillmate)
set(CPACK_PACKAGE_VENDOR "Quillmate")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "chess game with a Chinese interface, and a UCI engine")
set(CPACK_PACKAGE_CONTACT "Quillmate developers <quillmate@example.org>")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_OUTPUT_FILE_PREFIX packages)
set(CPACK_STRIP_FILES ON)
# Settings that differ between the generators of one configuration.
set(CPACK_PROJECT_CONFIG_FILE ${QUILLMATE_PACKAGING_DIR}/cpack-per-generator.cmake)

if(WIN32)
  include(${QUILLMATE_PACKAGING_DIR}/windows.cmake)
else()
  include(${QUILLMATE_PACKAGING_DIR}/debian.cmake)
endif()

include(CPack)
