#!/usr/bin/env bash
# Runs a Windows program under Wine the way the tests and the README expect:
#   wine-run.sh [--prefix DIR] [--stop] program.exe [args...]
# - a private 64-bit Wine prefix (default: .wine in the source tree), made on first use, with
#   "楷体" mapped to AR PL UKai CN and without the Mono and Gecko installers;
# - a Chinese locale, so code page 936 is the ANSI code page and CJK glyphs are found;
# - Xvfb when there is no display;
# - the program's exit code as this script's exit code.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
prefix="$here/../.wine"
stop=0
while [ $# -gt 0 ]; do
  case "$1" in
    --prefix) prefix="$2"; shift 2 ;;
    --stop) stop=1; shift ;;
    *) break ;;
  esac
done
mkdir -p "$prefix"
prefix="$(cd "$prefix" && pwd)"

export WINEPREFIX="$prefix"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
# Set for Wine's processes only: bash itself would warn that the glibc locale is not installed,
# which Wine does not need.
inChinese() { env LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 "$@"; }

if [ $stop -eq 1 ]; then
  inChinese wineserver -k 2>/dev/null || true
  exit 0
fi
[ $# -gt 0 ] || { echo "usage: $0 [--prefix DIR] [--stop] program.exe [args...]" >&2; exit 2; }

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" --prefix "$prefix" "$@"
fi

# Parallel tests share the prefix: only one of them makes it.
exec 9>"$prefix.lock"
flock 9
if [ ! -f "$prefix/.formation-ready" ]; then
  inChinese wineboot -i >/dev/null 2>&1 || true
  # Wine cannot decode a non-ASCII command line without the glibc zh_CN locale: add the
  # Chinese value name under C.UTF-8.
  env LANG=zh_CN.UTF-8 LC_ALL=C.UTF-8 wine reg add 'HKCU\Software\Wine\Fonts\Replacements' \
    /v '楷体' /d 'AR PL UKai CN' /f >/dev/null 2>&1
  # Let Wine draw the caption and frame itself: there is no window manager under Xvfb.
  inChinese wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  inChinese wineserver -w
  touch "$prefix/.formation-ready"
fi
flock -u 9
exec 9>&-

set +e
inChinese wine "$@"
status=$?
set -e
exit $status
