#!/usr/bin/env bash
# Builds everything and runs the whole test suite; window tests run under Xvfb.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
"$ROOT/scripts/setup.sh" "$BUILD"
cd "$BUILD"
jobs="$(nproc)"
ctest --output-on-failure -j "$jobs" -LE gui
if ctest -N -L gui | grep -q "Total Tests: [1-9]"; then
  # -noreset: the X server must not reset between two test programs, or a program
  # connecting at that moment is refused.
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --output-on-failure -j "$jobs" -L gui
fi
