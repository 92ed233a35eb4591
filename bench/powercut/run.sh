#!/usr/bin/env bash
# Cuts the power under a till that sells and looks, after each cut, for every
# sale the till confirmed. Run by hand as root (loop devices and mounts), not
# by CI:
#
#   bash bench/powercut/run.sh [--old] [--cuts N] [--build DIR]
#
# The database lies on ext4, on a loop device whose backing file lies on XFS,
# itself on a loop device over a file in a tmpfs of this run's own. The till is
# bench_powercut_writer: the sale window driven offscreen, saving through the
# program's own save; after each confirmation it appends the receipt number to
# a log in the tmpfs (off the file system under test). A cut: the writer is
# stopped (SIGSTOP), the ext4 image is copied with cp --reflink=always (the
# copy holds only what reached the "disk"), the writer is killed; the copy is
# mounted (ext4 replays its journal) and the database opened (SQLite rolls a
# leftover journal back), and every confirmed sale is looked for, header and
# lines. Half of the cuts fall at a random moment during non-stop selling, the
# other half 0-5 s after the last confirmation (the writer sells a few sales,
# then idles). The next writer goes on selling on the file system that was not
# cut, so every cut looks for every sale confirmed so far.
#
#   --old      the till's connection commits with synchronous=FULL, the
#              setting before (to see the loss this run is made to find)
#   --cuts N   number of cuts (default 40)
#   --build D  the build folder holding bench_powercut_writer and merapu-db
#              (default build; make them with
#              bash scripts/setup.sh bench_powercut_writer merapu-db)
set -euo pipefail
cd "$(dirname "$0")/../.."

CUTS=40
BUILD=build
SYNC=()
SETTING="the program's own (EXTRA)"
while [ $# -gt 0 ]; do
  case "$1" in
    --old) SYNC=(--synchronous FULL); SETTING="FULL (before)"; shift ;;
    --cuts) CUTS="$2"; shift 2 ;;
    --build) BUILD="$2"; shift 2 ;;
    *) echo "usage: $0 [--old] [--cuts N] [--build DIR]" >&2; exit 2 ;;
  esac
done
if [ "$(id -u)" -ne 0 ]; then echo "run as root (loop devices and mounts)" >&2; exit 2; fi
WRITER="$(realpath "$BUILD")/bench_powercut_writer"
TOOL="$(realpath "$BUILD")/merapu-db"
for b in "$WRITER" "$TOOL"; do
  [ -x "$b" ] || { echo "missing $b: bash scripts/setup.sh bench_powercut_writer merapu-db" >&2; exit 2; }
done

# What the run needs beyond the build: mkfs.xfs, mkfs.ext4, losetup, a cp that
# can reflink.
need=""
command -v mkfs.xfs >/dev/null || need="$need xfsprogs"
command -v mkfs.ext4 >/dev/null || need="$need e2fsprogs"
command -v losetup >/dev/null || need="$need util-linux"
if [ -n "$need" ]; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $need
fi

RUN="$(mktemp -d /tmp/powercut.XXXXXX)"
RAM="$RUN/ram" XFS="$RUN/xfs" EXT="$RUN/ext4" CHK="$RUN/check"
mkdir -p "$RAM" "$XFS" "$EXT" "$CHK"
LOOP_XFS="" LOOP_EXT="" LOOP_CHK="" PID=""

# Whatever happens: the writer is ended, every mount undone, every loop device
# of this run detached.
cleanup() {
  set +e
  if [ -n "$PID" ]; then kill -KILL "$PID" 2>/dev/null; wait "$PID" 2>/dev/null; fi
  mountpoint -q "$CHK" && umount "$CHK"
  [ -n "$LOOP_CHK" ] && losetup -d "$LOOP_CHK"
  mountpoint -q "$EXT" && umount "$EXT"
  [ -n "$LOOP_EXT" ] && losetup -d "$LOOP_EXT"
  mountpoint -q "$XFS" && umount "$XFS"
  [ -n "$LOOP_XFS" ] && losetup -d "$LOOP_XFS"
  mountpoint -q "$RAM" && umount "$RAM"
  rm -rf "$RUN"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mount -t tmpfs -o size=1200m powercut "$RAM"
truncate -s 700M "$RAM/xfs.img"
LOOP_XFS="$(losetup -f --show "$RAM/xfs.img")"
mkfs.xfs -q -m reflink=1 "$LOOP_XFS"
mount "$LOOP_XFS" "$XFS"
truncate -s 256M "$XFS/ext4.img"
LOOP_EXT="$(losetup -f --show "$XFS/ext4.img")"
mkfs.ext4 -q "$LOOP_EXT"
mount "$LOOP_EXT" "$EXT"
DB="$EXT/ZovaDavezuZi.mdb"
LOG="$RAM/confirmed.log"
"$TOOL" create --demo "$DB" >/dev/null
sync
: >"$LOG"
echo "power cuts under a selling till: $CUTS cuts, synchronous $SETTING"
echo "  database on ext4 ($LOOP_EXT) over a file on XFS ($LOOP_XFS) over tmpfs"

# One cut: stop, copy what reached the disk, kill, mount the copy, look.
cut() {
  local what="$1"
  kill -STOP "$PID"
  cp --reflink=always "$XFS/ext4.img" "$XFS/cut.img"
  kill -KILL "$PID"
  wait "$PID" 2>/dev/null || true
  PID=""
  LOOP_CHK="$(losetup -f --show "$XFS/cut.img")"
  mount "$LOOP_CHK" "$CHK"
  local result rc=0
  result="$("$WRITER" --check "$CHK/ZovaDavezuZi.mdb" "$LOG" 2>>"$RUN/check.err")" || rc=$?
  umount "$CHK"
  losetup -d "$LOOP_CHK"
  LOOP_CHK=""
  rm -f "$XFS/cut.img"
  printf '  cut %2d %-28s %s\n' "$n" "$what" "$result"
  cuts=$((cuts + 1))
  [ "$rc" -eq 0 ] || bad=$((bad + 1))
  local lost
  lost="$(sed -n 's/.* lost \([0-9]*\) .*/\1/p' <<<"$result")"
  lostSales=$((lostSales + ${lost:-0}))
}

cuts=0 bad=0 lostSales=0 idleCuts=0 idleBad=0 busyCuts=0 busyBad=0
for n in $(seq 1 "$CUTS"); do
  : >"$RUN/writer.out"
  if [ $((n % 2)) -eq 1 ]; then
    # During non-stop selling, once the writer has confirmed a sale.
    before=$(wc -l <"$LOG")
    "$WRITER" "$DB" "$LOG" "${SYNC[@]}" >"$RUN/writer.out" 2>>"$RUN/writer.err" &
    PID=$!
    until [ "$(wc -l <"$LOG")" -gt "$before" ]; do
      kill -0 "$PID" 2>/dev/null || { echo "the writer ended; see $RUN/writer.err" >&2; cat "$RUN/writer.err" >&2; exit 1; }
      sleep 0.05
    done
    delay=$(awk -v r="$RANDOM" 'BEGIN { printf "%.2f", r / 32768 * 3 }')
    sleep "$delay"
    bad0=$bad
    cut "selling, after ${delay} s"
    busyCuts=$((busyCuts + 1)); [ "$bad" -eq "$bad0" ] || busyBad=$((busyBad + 1))
  else
    # 0-5 s after the last confirmation: a few sales, then the till idles.
    "$WRITER" "$DB" "$LOG" --idle-after $((1 + RANDOM % 5)) "${SYNC[@]}" >"$RUN/writer.out" 2>>"$RUN/writer.err" &
    PID=$!
    until grep -q '^idle$' "$RUN/writer.out"; do
      kill -0 "$PID" 2>/dev/null || { echo "the writer ended; see $RUN/writer.err" >&2; cat "$RUN/writer.err" >&2; exit 1; }
      sleep 0.01
    done
    delay=$(awk -v r="$RANDOM" 'BEGIN { printf "%.2f", r / 32768 * 5 }')
    sleep "$delay"
    bad0=$bad
    cut "${delay} s after the last sale"
    idleCuts=$((idleCuts + 1)); [ "$bad" -eq "$bad0" ] || idleBad=$((idleBad + 1))
  fi
done

echo "result, synchronous $SETTING:"
echo "  confirmed sales: $(wc -l <"$LOG") (each looked for after every later cut), saved at synchronous" \
  "$(awk '{ n[$3]++ } END { for (l in n) printf "%s%s: %d", (s++ ? ", " : ""), l, n[l] }' "$LOG")" \
  "(2 FULL, 3 EXTRA)"
echo "  cuts during selling:           $busyBad of $busyCuts lost a confirmed sale"
echo "  cuts 0-5 s after the last sale: $idleBad of $idleCuts lost a confirmed sale"
echo "  confirmed sales missing, summed over the cuts: $lostSales"
[ "$bad" -eq 0 ]
