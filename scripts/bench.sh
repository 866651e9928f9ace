#!/usr/bin/env bash
# The benchmark: launch latency, time to title, the cost of waiting and the footprint of the
# real launcher.exe under Wine. Installs what is missing, builds, runs (a minute or two) and
# writes docs/benchmarks.md.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/ensure-packages.sh cmake make g++-mingw-w64-i686 python3 wine wine32:i386 wine64 xvfb

cmake --preset win32 >/dev/null
cmake --build --preset win32 -j2 >/dev/null
/usr/bin/python3 bench/bench.py build/win32 docs/benchmarks.md
