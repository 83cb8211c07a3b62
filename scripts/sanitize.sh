#!/usr/bin/env bash
# Builds Kestrun Ads with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan and runs the whole test suite on that build. Any report fails,
# also one from a program that a test started in the background: every report
# is written to build-asan/sanitizer-reports, and any file there fails the run.
# Usage: scripts/sanitize.sh [ctest arguments, e.g. -R tst_badpictures]
set -euo pipefail
# shellcheck source=scripts/common.sh
source "$(dirname "$0")/common.sh"

ASAN_BUILD="${KESTRUN_ASAN_BUILD:-$KESTRUN_TOP/build-asan}"
reports="$ASAN_BUILD/sanitizer-reports"

# -O1 keeps the suite fast enough and the reports readable; assert() stays on.
flags="-O1 -g -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=undefined"

# Qt and the libraries below it are not instrumented; the suppressions name
# only leaks of their own (see the file).
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:log_path=$reports/asan"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$reports/ubsan"
export LSAN_OPTIONS="suppressions=$KESTRUN_TOP/scripts/lsan-suppressions.txt:print_suppressions=0"

rm -rf "$reports"
mkdir -p "$reports"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$KESTRUN_TOP" -B "$ASAN_BUILD" "${launcher[@]}" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRUN_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$ASAN_BUILD" -j"$(nproc)"

status=0
(cd "$ASAN_BUILD" && ctest --output-on-failure -j"$(nproc)" "$@") || status=$?

shopt -s nullglob
found=("$reports"/*)
if [ ${#found[@]} -gt 0 ]; then
  echo "Sanitizer reports (${#found[@]}):"
  for f in "${found[@]}"; do
    echo "==== $f"
    cat "$f"
  done
  status=1
fi
if [ "$status" -ne 0 ]; then
  echo "FAIL: the sanitizer build of the test suite failed"
else
  echo "The sanitizer build passed every test with no report."
fi
exit "$status"
