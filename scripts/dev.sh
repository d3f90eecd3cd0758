#!/usr/bin/env bash
# scripts/dev.sh run   set up, build and start Varnelo on its demo content and local demo service
# scripts/dev.sh test  set up, build and run the whole test suite
# scripts/dev.sh build set up and build only
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
build="${VARNELO_BUILD_DIR:-$root/build}"

"$root/scripts/bootstrap.sh"
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---no-sandbox}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2

case "${1:-run}" in
  build) ;;
  test)
    cd "$build"
    xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j2 --timeout 900
    ;;
  run)
    exec "$root/scripts/run-demo.sh" "$build"
    ;;
  *) echo "usage: $0 run|test|build" >&2; exit 2 ;;
esac
