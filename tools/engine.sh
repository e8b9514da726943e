#!/usr/bin/env bash
# Builds the engine tool quillmate-uci (native build) and starts it, passing
# the arguments through, for example:
#   tools/engine.sh              an interactive UCI session
#   tools/engine.sh bench        one command, then exit
# Build messages go to stderr, so that standard output carries only the
# tool's own replies: a chess GUI can start this script as its engine.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"

bash tools/install-deps.sh --build >&2
cmake --preset native >&2
cmake --build --preset native --target quillmate-uci -j"${JOBS:-2}" >&2
exec build/native/uci/quillmate-uci "$@"
