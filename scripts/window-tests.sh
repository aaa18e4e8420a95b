#!/usr/bin/env bash
# Runs the window tests (label "gui") of a build folder under Xvfb, each display with a
# small window manager (openbox), as on a desktop: dialogs in front of their parents,
# modal ones keeping the focus. The tests are split into shards, each on a display of
# its own, so windows of tests running at the same time never take each other's focus.
# Usage: scripts/window-tests.sh BUILD-DIR [ctest arguments...]
# QV_WINDOW_SHARDS sets the number of displays (default: 4, at most the number of cores).
# QV_WINDOW_MANAGER=none leaves the displays bare, as the tests written for a display
# without a window manager expect; each shard still has a display of its own.
# QV_SCREEN sets the displays' size and depth (default 1280x1024x24).
set -euo pipefail
SELF="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/$(basename "${BASH_SOURCE[0]}")"

if [[ "${1:-}" == --on-display ]]; then
  # Inside xvfb-run: the window manager first, then the tests.
  shift
  if [[ "${QV_WINDOW_MANAGER:-openbox}" == none ]]; then
    exec ctest "$@"
  fi
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
  status=0
  ctest "$@" || status=$?
  kill "$wm" 2>/dev/null || true
  wait "$wm" 2>/dev/null || true
  exit "$status"
fi

BUILD="$1"
shift
cd "$BUILD"
# GTK's accessibility bridge looks for a session bus the displays do not have; it is
# not under test, and what it keeps for the process's life would read as leaks.
export NO_AT_BRIDGE=1
tests="$(ctest -N -L gui "$@" | sed -n 's/^Total Tests: //p')"
[[ "${tests:-0}" -gt 0 ]] || exit 0
cores="$(nproc)"
shards="${QV_WINDOW_SHARDS:-$((cores < 4 ? cores : 4))}"
((shards <= tests)) || shards="$tests"
logs="$(mktemp -d)"
pids=()
for ((i = 1; i <= shards; i++)); do
  # -noreset: the X server must not reset between two test programs, or a program
  # connecting at that moment is refused.
  xvfb-run -a -s "-screen 0 ${QV_SCREEN:-1280x1024x24} -noreset" \
    "$SELF" --on-display --output-on-failure -L gui -I "$i,,$shards" "$@" >"$logs/$i" 2>&1 &
  pids+=($!)
  # xvfb-run -a takes the first free display: the next one starts once this has one.
  sleep 2
done
status=0
for ((i = 1; i <= shards; i++)); do
  wait "${pids[$((i - 1))]}" || status=1
  echo "== window tests, display $i of $shards"
  cat "$logs/$i"
done
rm -rf "$logs"
exit "$status"
