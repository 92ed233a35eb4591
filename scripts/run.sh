#!/usr/bin/env bash
# Builds, makes a demo database beside the program when there is none, starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
BUILD_DIR="${BUILD_DIR:-build}"
DB="$BUILD_DIR/ZovaDavezuZi.mdb"
if [ ! -f "$DB" ]; then
  "$BUILD_DIR/merapu-db" create --demo "$DB"
fi
exec "$BUILD_DIR/merapu"
