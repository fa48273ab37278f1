#!/usr/bin/env bash
# Compares DownloadToFile with `curl -o` on one 50 MB file served over
# loopback by tests/support/http_server.py, which sends files with
# sendfile(2) (its own ceiling is shown by `curl -o /dev/null`).
# Usage: bench/transfer-bench.sh [build dir] [runs]
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$src/build}" && pwd)"
runs="${2:-7}"
bench="$build/bench/TransferBench"
[ -x "$bench" ] || { echo "build TransferBench first: cmake --build $build --target TransferBench"; exit 1; }

work="$(mktemp -d)"
cleanup() { [ -n "${server:-}" ] && kill "$server" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
head -c 50000000 /dev/urandom > "$work/file50m.bin"

mkfifo "$work/in"
/usr/bin/python3 "$src/tests/support/http_server.py" --root "$work" < "$work/in" > "$work/ready" &
server=$!
exec 4> "$work/in"
for _ in $(seq 100); do [ -s "$work/ready" ] && break; sleep 0.1; done
port="$(/usr/bin/python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["port"])' "$work/ready")"
url="http://127.0.0.1:$port/file50m.bin"

# curl reports bytes per second over the transfer alone, as TransferBench does.
curl_rate() { curl -s -o "$1" -w '%{speed_download}\n' "$url" | awk '{printf "%.1f\n", $1 / 1e6}'; }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }

echo "server ceiling (curl -o /dev/null): $(curl_rate /dev/null) MB/s"
: > "$work/curl.txt"
: > "$work/ours.txt"
for _ in $(seq "$runs"); do
    curl_rate "$work/curl.bin" >> "$work/curl.txt"
    "$bench" "$url" "$work/ours.bin" 1 | awk '{print $6}' >> "$work/ours.txt"
done
cmp -s "$work/curl.bin" "$work/ours.bin" || { echo "the two downloads differ"; exit 1; }
c="$(median < "$work/curl.txt")"
o="$(median < "$work/ours.txt")"
echo "curl -o:        median $c MB/s over $runs runs (best $(sort -n "$work/curl.txt" | tail -1))"
echo "DownloadToFile: median $o MB/s over $runs runs (best $(sort -n "$work/ours.txt" | tail -1))"
awk -v o="$o" -v c="$c" 'BEGIN {printf "DownloadToFile / curl: %.0f%%\n", 100 * o / c}'
