#!/usr/bin/env bash
# Runs the desk tests (label "desk") of a build folder as the shop's desktop is: a
# 1366x768 screen under the openbox window manager, the Chinese locale.
# Usage: scripts/desk-tests.sh BUILD-DIR [ctest arguments...]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$1"
shift
env -u LC_ALL -u LANGUAGE LANG=zh_CN.UTF-8 QV_SCREEN=1366x768x24 QV_WINDOW_MANAGER=openbox \
  "$ROOT/scripts/window-tests.sh" "$BUILD" -L desk "$@"
