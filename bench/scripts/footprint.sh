#!/usr/bin/env bash
# CPU the idle program uses over 10 s, and its resident memory idle and with
# one client connection open, as on a desktop: on a virtual X display with a
# tray host, where the program starts hidden in the tray.
# Usage: bench/scripts/footprint.sh [build dir]
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$(cd "${1:-$source_dir/build}" && pwd)
source "$source_dir/bench/scripts/program.sh"

begin_bench
start_desktop
port=$(free_port)
start_program "$build_dir" "$WORK_DIR" "$port"
sleep 10 # start-up settles (one X11 round trip comes some 8 s after start)

before=$(cpu_seconds "$PROGRAM_PID")
sleep 10
after=$(cpu_seconds "$PROGRAM_PID")
echo "idle CPU over 10 s:            $(awk -v a="$before" -v b="$after" 'BEGIN { printf "%.3f", b - a }') s"
echo "resident memory, idle:         $(resident_mib "$PROGRAM_PID") MiB"

# One client that is answered once on a keep-alive connection and then stays.
python3 - "$port" <<'PY' &
import socket, sys, time
s = socket.create_connection(("127.0.0.1", int(sys.argv[1])))
s.sendall(b"GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: keep-alive\r\n\r\n")
s.recv(4096)
time.sleep(60)
PY
BENCH_PIDS+=($!)
sleep 2
echo "resident memory, 1 connection: $(resident_mib "$PROGRAM_PID") MiB"
before=$(cpu_seconds "$PROGRAM_PID")
sleep 10
after=$(cpu_seconds "$PROGRAM_PID")
echo "CPU over 10 s, 1 idle connection: $(awk -v a="$before" -v b="$after" 'BEGIN { printf "%.3f", b - a }') s"
