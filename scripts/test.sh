#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the core natively under
# AddressSanitizer and UBSan, then the same tests and the GUI tests as Windows programs under Wine.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/setup.sh
scripts/format.sh --check

cmake --preset native-asan
cmake --build --preset native-asan
ctest --preset native-asan
# The core's fuzzers, briefly, so they keep building and running; a fault they find fails the run.
scripts/fuzz.sh 20

cmake --preset windows
cmake --build --preset windows
# One virtual screen for the whole Windows run unless there is a display already.
runner=()
[ -n "${DISPLAY:-}" ] || runner=(xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp")
status=0
"${runner[@]}" ctest --preset windows -j 2 || status=$?
scripts/wine-run.sh --prefix build/windows/wine --stop
exit $status
