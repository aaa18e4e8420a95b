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
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j "$jobs" -L gui
fi
