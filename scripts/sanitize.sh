#!/usr/bin/env bash
# The second pass of scripts/test.sh: builds everything with clang under
# AddressSanitizer and UndefinedBehaviorSanitizer into build-asan, runs the whole test
# suite there, window tests included (a finding fails the test that met it), then runs
# each fuzz target for a few seconds on its corpus.
# Usage: scripts/sanitize.sh [seconds-per-fuzz-target]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build-asan"
FUZZ_SECONDS="${1:-10}"

CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQV_SANITIZE=ON >/dev/null
cmake --build "$BUILD"

# The toolkit's own leaks are suppressed by name; everything else is a finding.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=0"
export LSAN_OPTIONS="suppressions=$ROOT/tests/sanitizer/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

cd "$BUILD"
jobs="$(nproc)"
ctest --output-on-failure -j "$jobs" -LE gui
# The window tests, each display running its share; those of the window manager under
# openbox, the others on bare displays as in scripts/test.sh.
QV_WINDOW_MANAGER=none QV_WINDOW_SHARDS="${QV_WINDOW_SHARDS:-$jobs}" \
  "$ROOT/scripts/window-tests.sh" "$BUILD" -LE desk -E "WindowManagerTest|UnderAWindowManager"
"$ROOT/scripts/window-tests.sh" "$BUILD" -LE desk -R "WindowManagerTest|UnderAWindowManager"
"$ROOT/scripts/desk-tests.sh" "$BUILD"

# Each target on a copy of its corpus, so what it finds new stays out of the tree.
for target in "$BUILD"/bin/*_fuzz; do
  name="$(basename "$target")"
  work="$BUILD/fuzz/$name"
  rm -rf "$work" && mkdir -p "$work"
  if [[ -d "$ROOT/tests/fuzz/corpus/$name" ]]; then
    cp -r "$ROOT/tests/fuzz/corpus/$name/." "$work/"
  fi
  echo "fuzzing $name for ${FUZZ_SECONDS}s"
  "$target" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$BUILD/fuzz/$name-" -print_final_stats=0 "$work" >"$BUILD/fuzz/$name.log" 2>&1 ||
    { tail -50 "$BUILD/fuzz/$name.log"; echo "fuzz target $name found a fault"; exit 1; }
done
echo "sanitizer tests and fuzzing: no finding"
