#!/usr/bin/env bash
# Formats the C++ sources with the repository's .clang-format.
# Usage: tools/format.sh           rewrite the files in place
#        tools/format.sh --check   change nothing; fail if any file needs formatting
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# Tracked files plus new ones not yet added (but not ignored ones).
files=()
while IFS= read -r f; do
    [[ -f $f ]] && files+=("$f")
done < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' | sort -u)

if [[ ${#files[@]} -eq 0 ]]; then
    echo "No C++ files found." >&2
    exit 1
fi

clang-format --version
if [[ ${1-} == --check ]]; then
    bad=()
    for f in "${files[@]}"; do
        clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
    done
    if [[ ${#bad[@]} -gt 0 ]]; then
        echo "${#bad[@]} of ${#files[@]} files need formatting (run tools/format.sh):"
        printf '  %s\n' "${bad[@]}"
        clang-format --dry-run -Werror "${bad[0]}" 2>&1 | head -n 20
        exit 1
    fi
    echo "${#files[@]} files are formatted."
else
    clang-format -i "${files[@]}"
    echo "Formatted ${#files[@]} files."
fi
