#!/usr/bin/env bash
# Builds everything and runs the whole test suite; window tests run under Xvfb, those of
# the window manager under openbox (scripts/window-tests.sh). Then the same suite again
# under the sanitizers, and the fuzz targets (scripts/sanitize.sh).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
"$ROOT/scripts/setup.sh" "$BUILD"
cd "$BUILD"
jobs="$(nproc)"
ctest --output-on-failure -j "$jobs" -LE gui
if ctest -N -L gui | grep -q "Total Tests: [1-9]"; then
  # -noreset: the X server must not reset between two test programs, or a program
  # connecting at that moment is refused. One at a time: without a window manager,
  # windows of parallel test programs on the one display take each other's focus.
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --output-on-failure -L gui
fi
# What only a window manager shows: dialogs in front of their parents, keeping the focus.
"$ROOT/scripts/window-tests.sh" "$BUILD" -R WindowManagerTest
"$ROOT/scripts/sanitize.sh"
