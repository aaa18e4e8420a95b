#!/usr/bin/env bash
# Installs the Debian packages qv needs (only those missing), then configures and builds.
# Usage: scripts/setup.sh [build-dir]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${1:-$ROOT/build}"

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libwxgtk3.2-dev libsqlite3-dev nettle-dev libgmp-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth openbox x11-utils libx11-dev libxtst-dev xdotool imagemagick fonts-wqy-zenhei
  python3-dbf python3-dbfread libdbd-xbase-perl
  libcairo2-dev poppler-utils
  libxlsxwriter-dev libfreexl-dev libexpat1-dev python3-openpyxl python3-xlwt
  wx3.2-i18n locales
  clang libclang-rt-14-dev llvm
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The program runs under a Chinese locale when the system has one, so the toolkit's
# own buttons and dialogs speak Chinese too.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO="sudo"
  $SUDO sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi

cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD"
