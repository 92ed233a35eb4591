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

# The whole suite again on a server: every program but the check of the
# layers (a build, no store). The programs that stop and start the server
# under a till (the server's own, and the till's windows when a commit goes
# unanswered) run alone, after the others.
PGDIR="$(mktemp -d /tmp/merapu-pg.XXXXXX)"
trap 'bash "$ROOT/scripts/pgcluster.sh" stop "$PGDIR"' EXIT
bash "$ROOT/scripts/pgcluster.sh" start "$PGDIR" >/dev/null
export MERAPU_TEST_SERVER="$PGDIR" MERAPU_TEST_PGCTL="bash $ROOT/scripts/pgcluster.sh ctl $PGDIR" QT_QPA_PLATFORM=offscreen
ctest --output-on-failure -j2 -E '^(layers|server|transactions)$'
ctest --output-on-failure -j1 -R '^(server|transactions)$'
