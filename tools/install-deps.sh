#!/usr/bin/env bash
# Installs the Debian packages that Quillmate's builds and tests use, skipping
# those already installed. Recommended packages are never pulled in: with
# fonts-liberation present, Wine draws Chinese text as boxes.
#
# Usage: tools/install-deps.sh [--build] [--check] [--fuzz] [--windows] [--wine]
#                              [--screen] [--package] [--match] [--all]
#   --build    native build and unit tests (the default set for tools/run.sh)
#   --check    the format check
#   --fuzz     clang and the libFuzzer runtime
#   --windows  the mingw-w64 cross compiler
#   --wine     Wine, Xvfb and the fonts the Windows programs need
#   --screen   window lookup and screenshots, for starting the game headless
#   --package  building the packages and trying them as a player would
#   --match    xboard, polyglot and fairymax, for engine matches (tools/match.sh)
#   --all      everything above but --screen (the default with no arguments)
set -euo pipefail

BUILD=(cmake make g++ libgtest-dev python3-minimal)
CHECK=(git clang-format)
FUZZ=(clang libclang-rt-14-dev)  # libclang-rt-14-dev holds libclang_rt.fuzzer
WINDOWS=(g++-mingw-w64-x86-64)   # brings both thread models; we use -posix
WINE=(wine wine64 xvfb fonts-wqy-microhei fonts-wine)
SCREEN=(x11-utils imagemagick)
PACKAGE=(nsis dpkg-dev lintian unzip binutils x11-utils imagemagick)
MATCH=(xboard polyglot fairymax xvfb)

wanted=()
[[ $# -gt 0 ]] || set -- --all
for arg in "$@"; do
    case $arg in
        --build) wanted+=("${BUILD[@]}") ;;
        --check) wanted+=("${CHECK[@]}") ;;
        --fuzz) wanted+=("${FUZZ[@]}") ;;
        --windows) wanted+=("${WINDOWS[@]}") ;;
        --wine) wanted+=("${WINE[@]}") ;;
        --screen) wanted+=("${SCREEN[@]}") ;;
        --package) wanted+=("${PACKAGE[@]}") ;;
        --match) wanted+=("${MATCH[@]}") ;;
        --all) wanted+=("${BUILD[@]}" "${CHECK[@]}" "${FUZZ[@]}" "${WINDOWS[@]}" "${WINE[@]}" "${PACKAGE[@]}" "${MATCH[@]}") ;;
        -h | --help) sed -n '2,19s/^# \{0,1\}//p' "$0"; exit 0 ;;
        *) echo "install-deps.sh: unknown option $arg" >&2; exit 2 ;;
    esac
done

is_installed() {
    [[ $(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null) == installed ]]
}

missing=()
for pkg in "${wanted[@]}"; do
    is_installed "$pkg" || missing+=("$pkg")
done

warn_about_liberation() {
    if is_installed fonts-liberation; then
        echo "warning: fonts-liberation is installed; Wine may show Chinese text as boxes." >&2
    fi
}

if [[ ${#missing[@]} -eq 0 ]]; then
    echo "All ${#wanted[@]} packages are installed."
    warn_about_liberation
    exit 0
fi

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
warn_about_liberation
