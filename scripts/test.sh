#!/usr/bin/env bash
# Builds and runs the whole test suite headless on the database file, then
# the tests that run on a server against a throwaway PostgreSQL cluster (a
# socket in a temporary folder, stopped and removed at the end).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT="$PWD"
bash scripts/setup.sh
BUILD_DIR="${BUILD_DIR:-build}"
cd "$BUILD_DIR"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

# The programs whose every case also runs on the server: the shop's rules and
# the server's own (dialect, copy, several tills, a lost server).
SERVER_TESTS="${SERVER_TESTS:-^(toko|server)$}"
PGDIR="$(mktemp -d /tmp/merapu-pg.XXXXXX)"
trap 'bash "$ROOT/scripts/pgcluster.sh" stop "$PGDIR"' EXIT
bash "$ROOT/scripts/pgcluster.sh" start "$PGDIR" >/dev/null
MERAPU_TEST_SERVER="$PGDIR" MERAPU_TEST_PGCTL="bash $ROOT/scripts/pgcluster.sh ctl $PGDIR" \
  QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j1 -R "$SERVER_TESTS"
