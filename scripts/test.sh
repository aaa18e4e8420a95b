#!/usr/bin/env bash
# Builds everything and runs the whole test suite; window tests run under Xvfb, one
# display per core, those of the window manager under openbox (scripts/window-tests.sh).
# Then the same suite again under the sanitizers, and the fuzz targets (scripts/sanitize.sh).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
"$ROOT/scripts/setup.sh" "$BUILD"
cd "$BUILD"
jobs="$(nproc)"
ctest --output-on-failure -j "$jobs" -LE gui
# The window tests on bare displays, one display per core so that windows of tests
# running at the same time never take each other's focus.
QV_WINDOW_MANAGER=none QV_WINDOW_SHARDS="${QV_WINDOW_SHARDS:-$jobs}" \
  "$ROOT/scripts/window-tests.sh" "$BUILD" -LE desk -E "WindowManagerTest|UnderAWindowManager"
# What only a window manager shows: dialogs in front of their parents, keeping the focus.
"$ROOT/scripts/window-tests.sh" "$BUILD" -LE desk -R "WindowManagerTest|UnderAWindowManager"
# The shop's desktop: 1366x768 under a window manager, in the Chinese locale, driven
# by clicks and keys through the X server.
"$ROOT/scripts/desk-tests.sh" "$BUILD"
"$ROOT/scripts/sanitize.sh"
