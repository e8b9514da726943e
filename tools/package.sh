#!/usr/bin/env bash
# Builds every package that players install, with CMake's own packaging:
#   build/windows/packages/quillmate-<version>-win64-setup.exe  the installer
#   build/windows/packages/quillmate-<version>-win64.zip        the zip
#   build/native/packages/quillmate_<version>_amd64.deb         the Debian package
# The Debian package carries the Windows build's quillmate.exe, so the
# Windows packages are built first. Installs what it needs on Debian unless
# given --no-deps. tools/check-packages.sh then tries them as a player would.
#
# Environment: JOBS (build jobs, default 2).
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
export CMAKE_BUILD_PARALLEL_LEVEL=${JOBS:-2}

[[ ${1:-} == --no-deps ]] || bash tools/install-deps.sh --build --windows --package

cmake --workflow --preset windows-packages
cmake --workflow --preset deb-package

echo
echo "Packages:"
ls -l build/windows/packages/*.exe build/windows/packages/*.zip build/native/packages/*.deb
