#!/usr/bin/env bash
# Builds the program and its database tool (tests and benchmarks are built by
# scripts/test.sh), makes a demo database beside the program when there is
# none, starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
echo "Building the program (the first build takes a few minutes)..."
bash scripts/setup.sh merapu merapu-db
BUILD_DIR="${BUILD_DIR:-build}"
DB="$BUILD_DIR/ZovaDavezuZi.mdb"
if [ ! -f "$DB" ]; then
  "$BUILD_DIR/merapu-db" create --demo "$DB"
fi
exec "$BUILD_DIR/merapu"
