#!/usr/bin/env bash
# Builds and runs every benchmark, then prints a table of the figures beside their goals:
#   scripts/bench.sh
# - JPEG decoding beside djpeg: a plain native build without sanitizers (build/bench-native);
# - start-up, query time, file size and memory: Windows programs under Wine (build/bench-windows),
#   inside Xvfb when there is no display.
# Each benchmark's full output is kept in build/bench-results/. Benchmarks print figures and
# judge nothing: the exit status is 0 whenever they ran, whether the goals were met or not.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

[ -n "${BENCH_SET_UP:-}" ] || scripts/setup.sh
if [ -z "${DISPLAY:-}" ]; then
  # One virtual screen for all the Windows benchmarks.
  BENCH_SET_UP=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

native=build/bench-native
windows=build/bench-windows
results=build/bench-results
mkdir -p "$results"
rm -f "$results"/*.txt

cmake --preset native -B "$native" -DBUILD_TESTING=OFF >/dev/null
cmake --build "$native" --target decode_benchmark
cmake --preset windows -B "$windows" >/dev/null
cmake --build "$windows" --target formation-finder plain_controls bare_window startup_benchmark \
  query_benchmark footprint_benchmark

# Runs one benchmark, keeps its output (and Wine's chatter apart) and shows it.
record() {
  local name="$1"
  shift
  "$@" >"$results/$name.txt" 2>"$results/$name.log" || echo "($name ended with status $?)" >>"$results/$name.txt"
  echo
  echo "=== $name"
  grep -v '^figure|' "$results/$name.txt" || true
}

wine=(scripts/wine-run.sh --prefix "$windows/wine")
record decode "$native/benchmarks/decode_benchmark"
record startup "${wine[@]}" "$windows/benchmarks/startup_benchmark.exe"
record query "${wine[@]}" "$windows/benchmarks/query_benchmark.exe"
record footprint "${wine[@]}" "$windows/benchmarks/footprint_benchmark.exe"
"${wine[@]}" --stop

echo
echo "=== summary"
printf '%-46s %-24s %-12s %s\n' figure value goal verdict
cat "$results"/decode.txt "$results"/startup.txt "$results"/query.txt "$results"/footprint.txt |
  grep '^figure|' |
  while IFS='|' read -r _ what value goal judged; do
    printf '%-46s %-24s %-12s %s\n' "$what" "$value" "$goal" "$judged"
  done
