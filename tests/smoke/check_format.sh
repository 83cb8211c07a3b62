#!/usr/bin/env bash
# Fails when a C++ source of ours differs from its clang-format form.
set -euo pipefail
fmt="$1"
command -v "$fmt" >/dev/null || { echo "FAIL: $fmt is not installed (package clang-format)"; exit 1; }
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests tools bench -name '*.cpp' -o -name '*.h')
[ -n "$files" ] || { echo "no sources"; exit 1; }
# shellcheck disable=SC2086
"$fmt" --dry-run -Werror $files
echo "$(echo "$files" | wc -w) files formatted"
