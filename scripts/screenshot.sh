#!/usr/bin/env bash
# Starts the program on the current display, saves a picture of its window once it is painted,
# then closes it with Esc:  screenshot.sh program.exe out.png
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
program="$1"
out="$2"
prefix="$(dirname "$program")/wine"

scripts/wine-run.sh --prefix "$prefix" "$program" &
runner=$!
for _ in $(seq 1 100); do
  xdotool search --name "雁丘城邦打野布阵查询" >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 1.5  # let the window paint
mkdir -p "$(dirname "$out")"
/usr/bin/python3 - "$out" <<'PY'
import sys
from PIL import ImageGrab
screen = ImageGrab.grab(xdisplay=None)
width, height = 540, 562
left, top = (screen.width - width) // 2, (screen.height - height) // 2
screen.crop((left, top, left + width, top + height)).save(sys.argv[1])
PY
xdotool key Escape
for _ in $(seq 1 50); do kill -0 $runner 2>/dev/null || break; sleep 0.2; done
if kill -0 $runner 2>/dev/null; then
  kill $runner
  echo "the program did not close on Esc" >&2
fi
wait $runner || true
scripts/wine-run.sh --prefix "$prefix" --stop
echo "screenshot saved to $out"
