#!/usr/bin/env bash
# Installs what the build and the tests need (Debian 12) and builds with Ninja:
# the targets named as arguments, or everything when none are named.
set -euo pipefail
cd "$(dirname "$0")/.."
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
PACKAGES="build-essential cmake ninja-build ccache qt6-base-dev libsqlite3-dev sqlite3 libsodium-dev pkg-config \
  fonts-liberation2 poppler-utils xvfb xauth libpq-dev postgresql-15 postgresql-client-15 postgresql-common"
missing=""
for p in $PACKAGES; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
if [ -n "$missing" ]; then
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
fi
BUILD_DIR="${BUILD_DIR:-build}"
# CMAKE_ARGS: further settings, e.g. "-DMERAPU_SANITIZE=ON" (see CMakeLists.txt).
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release ${CMAKE_ARGS:-}
# JOBS: how many compilers run at once; every core by default.
ninja -C "$BUILD_DIR" -j"${JOBS:-$(nproc)}" "$@"
