#!/usr/bin/env bash
# Builds qv and starts it on its default program folder (or the one given with --home DIR).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$ROOT/scripts/setup.sh" "$ROOT/build"
exec "$ROOT/build/bin/qv" "$@"
