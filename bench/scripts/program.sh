# Shared by the benchmark scripts (sourced, not run): a private copy of the
# program with its own settings, started on a free loopback port and ended by
# its PID, and a few measuring helpers that read /proc.

# Every process a benchmark starts is registered here and ended by its PID at exit.
BENCH_PIDS=()

# Makes WORK_DIR, a private folder removed at exit with the registered processes ended.
begin_bench() {
  WORK_DIR=$(mktemp -d /tmp/tillvane-bench-XXXXXX)
  trap end_bench EXIT
}

end_bench() {
  local i
  # Last started first: the program before the display it runs on.
  for ((i = ${#BENCH_PIDS[@]} - 1; i >= 0; i--)); do stop_pid "${BENCH_PIDS[i]}"; done
  rm -rf "$WORK_DIR"
}

# A loopback port nobody listens on right now.
free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1]); s.close()'
}

# Installs Debian packages the benchmark needs and the tests do not.
install_bench_packages() {
  local missing=()
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  if ((${#missing[@]})); then
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -q >/dev/null
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

# Waits until something answers "/" on the port (at most 10 s).
wait_for_http() {
  local port=$1
  for _ in $(seq 100); do
    curl -s -o /dev/null "http://127.0.0.1:$port/" && return 0
    sleep 0.1
  done
  echo "nothing answers on port $port" >&2
  return 1
}

# start_program <build dir> <work dir> <port>: sets PROGRAM_PID. The daily log is
# on unless BENCH_SAVELOG is "false". The window goes to the offscreen platform
# unless QT_QPA_PLATFORM is set (with DISPLAY, see start_desktop).
start_program() {
  local build_dir=$1 work_dir=$2 port=$3
  mkdir -p "$work_dir/program"
  cp -a "$build_dir/bin/." "$work_dir/program/"
  rm -rf "$work_dir/program/logs" # earlier runs' logs, so the size measured is this run's
  printf '[HTTP_INFO]\nPort=%s\nStartWithOS=false\n[SYS]\nsavelog=%s\n' "$port" "${BENCH_SAVELOG:-true}" \
    > "$work_dir/program/server.ini"
  printf '[POS_INFO]\n' > "$work_dir/program/CommunicationConfig.ini"
  (cd "$work_dir/program" && QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} XDG_CONFIG_HOME="$work_dir/config" \
     exec ./tillvane >"$work_dir/program.out" 2>&1) &
  PROGRAM_PID=$!
  BENCH_PIDS+=("$PROGRAM_PID")
  wait_for_http "$port"
}

# start_desktop: a virtual X display with a system tray host (trayer), where the
# program starts hidden in the tray as on a desktop; exports DISPLAY and
# QT_QPA_PLATFORM for start_program.
start_desktop() {
  install_bench_packages xvfb trayer
  local display
  for display in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] || break
  done
  Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  BENCH_PIDS+=($!)
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
  DISPLAY=":$display" trayer >/dev/null 2>&1 &
  BENCH_PIDS+=($!)
  sleep 1 # the tray host claims the tray selection
  export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
}

# stop_pid <pid>: TERM, then KILL after 5 s; only the process we started.
stop_pid() {
  local pid=$1
  kill -0 "$pid" 2>/dev/null || return 0
  kill -TERM "$pid" 2>/dev/null || true
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null || true; return 0; }; sleep 0.1; done
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# CPU seconds (user + system) a process has used so far.
cpu_seconds() {
  awk -v hz="$(getconf CLK_TCK)" '{ printf "%.3f\n", ($14 + $15) / hz }' "/proc/$1/stat"
}

# Resident memory of a process, in MiB.
resident_mib() {
  awk '/^VmRSS:/ { printf "%.1f\n", $2 / 1024 }' "/proc/$1/status"
}
