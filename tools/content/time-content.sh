#!/usr/bin/env bash
# Times the content builder on the real curriculum: build with a cold cache
# (every recording synthesised), build with a warm cache, and package. Each
# figure is also given as a ratio to a baseline measured in the same run:
# copying the finished data folder (the I/O floor of writing it).
#
#   tools/content/time-content.sh [build-dir]     (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build}"
tool="$build/bin/varnelo-content"
[[ -x "$tool" ]] || { echo "build varnelo-content first ($tool)" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

seconds() { local s e; s=$(date +%s.%N); "$@" >/dev/null 2>&1; e=$(date +%s.%N); awk -v s="$s" -v e="$e" 'BEGIN { printf "%.3f", e - s }'; }

cold=$(seconds "$tool" build "$root/content" "$work/data/Varnelo" --cache "$work/cache")
warm=$(seconds "$tool" build "$root/content" "$work/data/Varnelo" --cache "$work/cache")
pack=$(seconds "$tool" package "$work/data/Varnelo" "$work/giz/vrndata.giz" --key "$root/content/keys/demo-secret.key")
base=$(seconds cp -r "$work/data/Varnelo" "$work/copy")

files=$(find "$work/data/Varnelo" -type f | wc -l)
size=$(du -sh "$work/data/Varnelo" | cut -f1)
gsize=$(du -h "$work/giz/vrndata.giz" | cut -f1)
ratio() { awk -v a="$1" -v b="$base" 'BEGIN { printf "%.1f", a / b }'; }
printf 'data folder: %s files, %s; package %s\n' "$files" "$size" "$gsize"
printf 'baseline (cp -r of the data folder): %.2f s\n' "$base"
printf 'build, cold cache: %6.2f s  (%s x baseline)\n' "$cold" "$(ratio "$cold")"
printf 'build, warm cache: %6.2f s  (%s x baseline)\n' "$warm" "$(ratio "$warm")"
printf 'package + sign:    %6.2f s  (%s x baseline)\n' "$pack" "$(ratio "$pack")"
