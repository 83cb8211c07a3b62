#!/usr/bin/env bash
# Fuzzes the RTF reader and the picture loading, each for SECONDS (default 60,
# or $KESTRUN_FUZZ_SECONDS), both at once on two cores.
#
# With clang and its libFuzzer runtime the targets are built in build-fuzz
# with AddressSanitizer and UndefinedBehaviorSanitizer and start from the
# committed corpus (tests/fuzz/corpus/TARGET), the regressions and the public
# test files; what they find new is kept in build-fuzz/corpus/TARGET for the
# next run. A crash, a hang, a leak or a broken invariant fails the run and
# its input is left in build-fuzz/crashes/TARGET/: fix the fault, then commit
# the input as tests/fuzz/regressions/TARGET/<what-it-pins> so that every
# build's test suite runs it from then on.
#
# Without clang (or with KESTRUN_FUZZ_PLAIN=1) the plain driver runs every
# input of the corpus once instead; in CI a missing clang fails the run.
# Usage: tests/fuzz/fuzz.sh [SECONDS]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
top="$(cd "$here/../.." && pwd)"
seconds="${1:-${KESTRUN_FUZZ_SECONDS:-60}}"
build="${KESTRUN_FUZZ_BUILD:-$top/build-fuzz}"
shared="$top/tests/data"
targets=(rtf picture)

declare -A shared_dir=([rtf]=rtf [picture]=jpeg)
declare -A max_len=([rtf]=32768 [picture]=16384)

inputs() {
  local t="$1"
  echo "$here/corpus/$t"
  [ -d "$here/regressions/$t" ] && echo "$here/regressions/$t"
  echo "$shared/${shared_dir[$t]}"
  return 0
}

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

if [ -n "${KESTRUN_FUZZ_PLAIN:-}" ] || ! command -v clang++ >/dev/null ||
  ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
  clang++ -x c++ -fsanitize=fuzzer - -o /dev/null 2>/dev/null; then
  # CI installs clang and its libFuzzer runtime: there the fuzzing must run.
  if [ -n "${CI:-}" ] && [ -z "${KESTRUN_FUZZ_PLAIN:-}" ]; then
    echo "FAIL: no libFuzzer in CI (clang++ missing, or its runtime libclang-rt-dev)"
    exit 1
  fi
  echo "No libFuzzer here (clang missing, or KESTRUN_FUZZ_PLAIN set): the plain driver runs every input once."
  plain="$build-plain" # the compiler of a folder cannot change
  cmake -S "$top" -B "$plain" "${launcher[@]}" -DKESTRUN_LIBFUZZER=OFF >/dev/null
  cmake --build "$plain" -j"$(nproc)" --target fuzz_rtf fuzz_picture
  for t in "${targets[@]}"; do
    mapfile -t dirs < <(inputs "$t")
    QT_QPA_PLATFORM=offscreen "$plain/tests/fuzz/fuzz_$t" "${dirs[@]}"
  done
  exit 0
fi

# Coverage for libFuzzer and both sanitizers on our code; the targets alone
# are built, so only the libraries they need are compiled with clang.
flags="-O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
CC=clang CXX=clang++ cmake -S "$top" -B "$build" "${launcher[@]}" \
  -DKESTRUN_LIBFUZZER=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_rtf fuzz_picture

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$top/scripts/lsan-suppressions.txt:print_suppressions=0"

# Inputs left by earlier runs are not this run's findings.
started="$build/fuzz-started"
touch "$started"
pids=()
for t in "${targets[@]}"; do
  mkdir -p "$build/corpus/$t" "$build/crashes/$t"
  mapfile -t dirs < <(inputs "$t")
  dict="$here/$t.dict"
  # One input taking over a minute counts as a hang. The outer limit only
  # guards against a fuzzer that does not stop by itself.
  timeout --kill-after=10 $((seconds + 300)) \
    "$build/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=4096 \
    -max_len="${max_len[$t]}" -dict="$dict" -print_final_stats=1 \
    -artifact_prefix="$build/crashes/$t/" "$build/corpus/$t" "${dirs[@]}" \
    >"$build/fuzz-$t.log" 2>&1 &
  pids+=($!)
done

status=0
for i in "${!targets[@]}"; do
  t="${targets[$i]}"
  rc=0
  wait "${pids[$i]}" || rc=$?
  runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build/fuzz-$t.log" | grep -o '[0-9]*$' || true)"
  slow="$(find "$build/crashes/$t" -name 'slow-unit-*' -newer "$started" | wc -l)"
  if [ "$rc" -eq 0 ]; then
    echo "fuzz_$t: ${runs:-?} inputs in ${seconds} s, no crash"
    [ "$slow" -eq 0 ] || echo "  $slow inputs took over 10 s each; they are in $build/crashes/$t/"
  else
    status=1
    echo "FAIL: fuzz_$t ended with $rc; the end of its log ($build/fuzz-$t.log):"
    tail -n 60 "$build/fuzz-$t.log"
    ls -l "$build/crashes/$t/" || true
  fi
done
exit "$status"
