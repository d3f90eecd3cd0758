#!/usr/bin/env bash
# Starts the local demo service (when built) on loopback, runs the program,
# and stops the service when the program ends.
set -euo pipefail
build="$1"
service="$build/bin/varnelo-service"
pid=""
if [[ -x "$service" ]]; then
  log="$build/varnelo-service.log"
  "$service" >"$log" 2>&1 &
  pid=$!
  trap '[[ -n "$pid" ]] && kill "$pid" 2>/dev/null || true' EXIT
  # The program asks the service at its start: wait (5 s at most) until it listens.
  for _ in $(seq 50); do
    grep -q 'listening on' "$log" && break
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "varnelo-service did not start:" >&2
      cat "$log" >&2
      pid=""
      break
    fi
    sleep 0.1
  done
fi
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display: running under xvfb-run." >&2
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/varnelo"
else
  "$build/bin/varnelo"
fi
