#!/usr/bin/env bash
# Requests per second on "/" for the program beside nginx, in one run, with one
# client connection (the program serves one at a time): first on one keep-alive
# connection, then with a new connection per request. nginx answers a fixed
# "hello world." on another loopback port.
# Usage: bench/scripts/http-requests.sh [build dir]
#   BENCH_SECONDS  length of each run (default 10)
#   BENCH_SAVELOG  "false" runs the program with its daily log switched off
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$(cd "${1:-$source_dir/build}" && pwd)
seconds=${BENCH_SECONDS:-10}
source "$source_dir/bench/scripts/program.sh"

install_bench_packages nginx-light wrk curl

begin_bench
work_dir=$WORK_DIR
program_port=$(free_port)
start_program "$build_dir" "$work_dir" "$program_port"

nginx_port=$(free_port)
mkdir -p "$work_dir/nginx"
cat > "$work_dir/nginx/nginx.conf" <<CONF
worker_processes 1;
daemon off;
pid $work_dir/nginx/nginx.pid;
error_log $work_dir/nginx/error.log;
events { worker_connections 64; }
http {
  access_log off;
  client_body_temp_path $work_dir/nginx;
  proxy_temp_path $work_dir/nginx;
  fastcgi_temp_path $work_dir/nginx;
  uwsgi_temp_path $work_dir/nginx;
  scgi_temp_path $work_dir/nginx;
  server {
    listen 127.0.0.1:$nginx_port;
    location = / { default_type text/html; return 200 "hello world."; }
  }
}
CONF
nginx -c "$work_dir/nginx/nginx.conf" -p "$work_dir/nginx" &
BENCH_PIDS+=($!)
wait_for_http "$nginx_port"

# keep_alive_rps <port>: requests/s on one keep-alive connection (wrk), and errors.
keep_alive_rps() {
  local out
  out=$(wrk -t1 -c1 -d"${seconds}s" -H "Connection: keep-alive" "http://127.0.0.1:$1/")
  echo "$out" >> "$work_dir/wrk.log"
  awk '/^Requests\/sec:/ { rps = $2 } /Socket errors|Non-2xx/ { errors++ } END { print rps, errors + 0 }' <<<"$out"
}

# new_connection_rps <port>: answered requests/s with a new connection each, and refusals.
# (wrk would take an HTTP/1.1 answer without "Connection: close" for keep-alive.)
new_connection_rps() {
  "$build_dir/bin/newconnection-client" "$1" "$seconds"
}

printf '%-28s %16s %16s %7s\n' "run (${seconds} s each)" "program req/s" "nginx req/s" "ratio"
report() {
  local label=$1 ours=$2 our_errors=$3 theirs=$4 their_errors=$5
  printf '%-28s %16s %16s %7s\n' "$label" "$ours" "$theirs" \
    "$(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.2f", a / b }')"
  if [ "$our_errors" != 0 ] || [ "$their_errors" != 0 ]; then
    echo "  failed or refused: program $our_errors, nginx $their_errors"
  fi
}
read -r ours our_errors < <(keep_alive_rps "$program_port")
read -r theirs their_errors < <(keep_alive_rps "$nginx_port")
report "one keep-alive connection" "$ours" "$our_errors" "$theirs" "$their_errors"
read -r ours our_errors < <(new_connection_rps "$program_port")
read -r theirs their_errors < <(new_connection_rps "$nginx_port")
report "new connection per request" "$ours" "$our_errors" "$theirs" "$their_errors"
echo "program log written: $(du -sh "$work_dir/program/logs" 2>/dev/null | cut -f1)"
