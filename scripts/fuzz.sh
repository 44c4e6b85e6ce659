#!/usr/bin/env bash
# Builds the libFuzzer targets of the core (clang, ASan and UBSan) and runs each for the given
# number of seconds, 60 unless told. Corpora, logs and crash inputs stay under build/fuzz, so a
# later run goes on from what an earlier one found. A crash, a leak or a broken check of any
# target fails the run; the input that caused it is kept and its path printed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

seconds="${1:-60}"
build=build/fuzz
depsPrefix="${FORMATION_DEPS:-/opt/formation-deps}"

# libjpeg is built instrumented from Debian's sources: those setup.sh fetched, or a copy of our own.
jpegSource=$(find "$depsPrefix/src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' 2>/dev/null |
  head -n 1 || true)
if [ -z "$jpegSource" ]; then
  mkdir -p "$build/src"
  jpegSource=$(find "$build/src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
  if [ -z "$jpegSource" ]; then
    (cd "$build/src" && apt-get source -q libjpeg-turbo >/dev/null)
    jpegSource=$(find "$build/src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
  fi
  jpegSource="$PWD/$jpegSource"
fi

cmake -S fuzz -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DJPEG_SOURCE_DIR="$jpegSource" >/dev/null
cmake --build "$build"

# Seeds are made afresh each run, none kept in the tree: the five window pictures, a few small
# pictures made from them, and each kind with a few level texts.
seeds="$build/seeds"
rm -rf "$seeds"
mkdir -p "$seeds/picture_fuzzer" "$seeds/lookup_fuzzer"
cp src/assets/pictures/*.jpg "$seeds/picture_fuzzer/"
# The small ones are of the other kinds libjpeg reads, made with libjpeg-turbo's tools: any damage
# to one of the big pictures makes libjpeg warn, so without them few inputs reach the last line.
small="$build/seeds/small"
mkdir -p "$small"
djpeg -scale 1/8 -pnm src/assets/pictures/query_button.jpg >"$small/button.ppm"  # 16 x 9
djpeg -scale 1/8 -pnm src/assets/pictures/header.jpg >"$small/header.ppm"        # 68 x 11
printf 'P6\n1 1\n255\n\xc8\x1e\x28' >"$small/dot.ppm"
variants=('' '-grayscale' '-progressive' '-arithmetic' '-sample 1x1 -quality 100' '-sample 2x1'
  '-restart 1' '-optimize -dct float' '-quality 5 -baseline' '-rgb')
seed=0
for source in "$small"/*.ppm; do
  for options in "${variants[@]}"; do
    seed=$((seed + 1))
    # shellcheck disable=SC2086  # the options are words
    cjpeg $options "$source" >"$seeds/picture_fuzzer/small$seed.jpg"
  done
done
# A four-component (CMYK) file, which the decoder must turn away, made with Debian's Pillow.
/usr/bin/python3 -c 'import sys, PIL.Image
PIL.Image.new("CMYK", (9, 7), (9, 99, 9, 9)).save(sys.argv[1])' "$seeds/picture_fuzzer/cmyk.jpg"
kinds=(
  '\xb0\xb5\xb7\xe7\xc1\xd4\xca\xd6' # 暗风猎手
  '\xd0\xb0\xd4\xc2\xc2\xf9\xb1\xf8' # 邪月蛮兵
  '\xb6\xf1\xc0\xd7\xc5\xda\xca\xd6' # 恶雷炮手
  '\xba\xda\xce\xed\xce\xd7\xd1\xfd' # 黑雾巫妖
)
levels=('10' '110' ' +20.0' '2d1' '200e-1' '\xa3\xb3\xa3\xb0' '10.00000001' '1e999' '-0.5E-3')
seed=0
for kind in "${kinds[@]}"; do
  for level in "${levels[@]}"; do
    seed=$((seed + 1))
    printf '%b' "$kind\\xff$level" >"$seeds/lookup_fuzzer/$seed"
  done
done

# -timeout: no single input may take this long, even a 4096 x 4096 picture under the sanitizers.
# Inputs kept from an earlier fault are tried first, so the run fails until the fault is fixed.
status=0
for target in lookup_fuzzer picture_fuzzer; do
  corpus="$build/corpus/$target"
  crashes="$build/crashes/$target"
  log="$build/logs/$target.log"
  mkdir -p "$corpus" "$crashes" "$(dirname "$log")"
  mapfile -t kept < <(find "$crashes" -type f)
  echo "fuzz: $target for ${seconds} s"
  if [ ${#kept[@]} -gt 0 ] && ! "$build/$target" "${kept[@]}" >"$log" 2>&1; then
    fault="an input kept from an earlier run still fails"
  elif ! "$build/$target" -max_total_time="$seconds" -timeout=25 -print_final_stats=1 \
    -artifact_prefix="$crashes/" "$corpus" "$seeds/$target" >"$log" 2>&1; then
    fault="found a fault"
  else
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    echo "fuzz: $target ran $runs inputs, $rate a second, no fault;" \
      "corpus $(find "$corpus" -type f | wc -l) inputs"
    continue
  fi
  status=1
  tail -n 60 "$log"
  echo "fuzz: $target FAILED: $fault; full log $log; inputs kept in $crashes/" >&2
done
exit $status
