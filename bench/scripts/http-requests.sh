#!/usr/bin/env bash
# Requests per second on "/" for the program beside nginx, in one run, with one
# client connection (the program serves one at a time): first on one keep-alive
# connection, then with a new connection per request. nginx answers a fixed
# "hello world." on another loopback port.
# Usage: bench/scripts/http-requests.sh [build dir] (BENCH_SECONDS, default 10, per run)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$(cd "${1:-$source_dir/build}" && pwd)
seconds=${BENCH_SECONDS:-10}
source "$source_dir/bench/scripts/program.sh"

install_bench_packages nginx-light wrk curl

work_dir=$(mktemp -d /tmp/tillvane-bench-XXXXXX)
PROGRAM_PID="" NGINX_PID=""
cleanup() {
  [ -n "$PROGRAM_PID" ] && stop_pid "$PROGRAM_PID"
  [ -n "$NGINX_PID" ] && stop_pid "$NGINX_PID"
  rm -rf "$work_dir"
}
trap cleanup EXIT

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
NGINX_PID=$!
wait_for_http "$nginx_port"

# requests_per_second <port> <Connection header value>: prints "<requests/s> <errors>".
requests_per_second() {
  local out
  out=$(wrk -t1 -c1 -d"${seconds}s" -H "Connection: $2" "http://127.0.0.1:$1/")
  echo "$out" >> "$work_dir/wrk.log"
  local rps errors
  rps=$(awk '/^Requests\/sec:/ { print $2 }' <<<"$out")
  errors=$(awk '/Socket errors|Non-2xx/ { for (i = 1; i <= NF; i++) if ($i ~ /^[0-9]+,?$/) s += $i } END { print s + 0 }' <<<"$out")
  echo "$rps $errors"
}

printf '%-28s %14s %14s %8s\n' "run (${seconds} s each)" "program req/s" "nginx req/s" "ratio"
for mode in keep-alive close; do
  read -r ours our_errors < <(requests_per_second "$program_port" "$mode")
  read -r theirs their_errors < <(requests_per_second "$nginx_port" "$mode")
  label=$([ "$mode" = keep-alive ] && echo "one keep-alive connection" || echo "new connection per request")
  printf '%-28s %14s %14s %8s\n' "$label" "$ours" "$theirs" "$(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.2f", a / b }')"
  if [ "$our_errors" != 0 ] || [ "$their_errors" != 0 ]; then
    echo "  errors: program $our_errors, nginx $their_errors"
  fi
done
echo "program log: $(du -sh "$work_dir/program/logs" 2>/dev/null | cut -f1) written"
