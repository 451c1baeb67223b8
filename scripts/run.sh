#!/usr/bin/env bash
# make run: terminal-sim on a free port of 127.0.0.1, the program configured to reach
# it over TCP, and the simulator ended by its PID once the program ends.
# Rewrites CommunicationConfig.ini, server.ini and zelkamissetting.json in the build's
# bin folder on every run.
set -euo pipefail
BUILD_DIR="${1:-build}"
BIN="$BUILD_DIR/bin"
HTTP_PORT=8888

sim_output=$(mktemp)
"$BIN/terminal-sim" --port 0 >"$sim_output" &
sim_pid=$!
stop_sim() {
  kill "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
  rm -f "$sim_output"
}
trap stop_sim EXIT
trap 'exit 130' INT TERM

sim_port=""
for _ in $(seq 50); do
  sim_port=$(sed -n 's/^listening on 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$sim_output")
  [ -n "$sim_port" ] && break
  kill -0 "$sim_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$sim_port" ]; then
  echo "terminal-sim did not start" >&2
  exit 1
fi

# The library keeps its link settings beside itself; the program sends its own on start.
cat >"$BIN/zelkamissetting.json" <<EOF
{"mode":"ETH","hostip":"127.0.0.1","port":$sim_port,"timeout":10}
EOF
cat >"$BIN/CommunicationConfig.ini" <<EOF
[POS_INFO]
CommunityType=1
TransTimeout=10
Ip=127.0.0.1
Port=$sim_port
DllNameV2=./libzelkamisdll.so
Use_dll_v2=true
EOF
cat >"$BIN/server.ini" <<EOF
[HTTP_INFO]
Port=$HTTP_PORT
StartWithOS=false
EOF

echo "terminal-sim on 127.0.0.1:$sim_port (pid $sim_pid), Tillvane on 127.0.0.1:$HTTP_PORT"
echo "sign on:  curl -s -X POST http://127.0.0.1:$HTTP_PORT/kovra/v2/sign/ -d '{\"CMD\":\"LOGON\",\"EXT_ORDER_NO\":\"1\"}'"
echo "stop with Ctrl-C"
# Without a desktop the program still serves, with its window drawn offscreen.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  export QT_QPA_PLATFORM=offscreen
fi
"$BIN/tillvane"
