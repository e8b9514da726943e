#!/usr/bin/env bash
# Checks the artwork in resources/: redraws it in memory and compares every
# file byte for byte with what is checked in, then runs the artwork tests.
# Exits non-zero on any difference or failed test.
#
# Usage: tools/artwork/check_artwork.sh [RESOURCE-DIR]
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
RESOURCES=${1:-$HERE/../../resources}
# The system interpreter, never a version manager's shim: the drawing must
# come out the same wherever it runs, with only the minimal standard library.
PYTHON=${PYTHON:-/usr/bin/python3}

"$PYTHON" "$HERE/draw_artwork.py" --check "$RESOURCES"
"$PYTHON" "$HERE/test_artwork.py"
