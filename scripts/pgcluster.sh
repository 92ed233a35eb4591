#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for the tests, on a Unix socket in a folder of
# its own (no TCP port): `pgcluster.sh start DIR` prints the PGHOST to use,
# `pgcluster.sh stop DIR` stops it and removes the folder. initdb refuses to
# run as root, so as root the cluster belongs to the postgres user and the
# calling user gets a superuser role of the same name.
set -euo pipefail
cmd="${1:?start|stop}"
dir="${2:?folder}"
bin="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)"
[ -x "$bin/initdb" ] || { echo "pgcluster: PostgreSQL server not installed" >&2; exit 1; }
as() { if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
case "$cmd" in
  start)
    mkdir -p "$dir"
    [ "$(id -u)" = 0 ] && chown postgres "$dir"
    as "$bin/initdb" -D "$dir/data" -A trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 ||
      { cat "$dir/initdb.log" >&2; exit 1; }
    {
      echo "listen_addresses = ''"
      echo "unix_socket_directories = '$dir'"
      echo "max_connections = 200"
      echo "fsync = on"
      echo "shared_buffers = 128MB"
    } >>"$dir/data/postgresql.conf"
    as "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 start >/dev/null ||
      { cat "$dir/server.log" >&2; exit 1; }
    me="$(id -un)"
    if [ "$me" != postgres ]; then
      as "$bin/psql" -h "$dir" -d postgres -qc "CREATE ROLE \"$me\" SUPERUSER LOGIN" >/dev/null
    fi
    echo "$dir"
    ;;
  ctl)
    # pgcluster.sh ctl DIR stop|start: the server stopped at once (as a power
    # cut or a crash would) or started again, for the tests of a lost server.
    case "${3:?stop|start}" in
      stop) as "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null ;;
      start) as "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 start >/dev/null ;;
    esac
    ;;
  stop)
    [ -d "$dir/data" ] && as "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
    rm -rf "$dir"
    ;;
  *) echo "pgcluster: start|stop|ctl DIR" >&2; exit 2 ;;
esac
