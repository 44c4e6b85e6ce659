#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it under Wine.
# Without a display it runs under Xvfb, saves a screenshot and prints where:
#   scripts/run.sh                       # a window on $DISPLAY, or a screenshot in build/
#   scripts/run.sh --screenshot FILE.png # always a screenshot, e.g. docs/screenshot.png
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

shot=""
if [ "${1:-}" = "--screenshot" ]; then shot="${2:?--screenshot needs a file name}"; fi

scripts/setup.sh
cmake --preset windows
cmake --build --preset windows --target formation-finder
program=build/windows/formation-finder.exe

if [ -z "$shot" ] && [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-run.sh --prefix build/windows/wine "$program"
fi
shot="${shot:-build/screenshot.png}"
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" scripts/screenshot.sh "$program" "$shot"
