#!/usr/bin/env bash
# Everything the project checks: installs what is missing, builds both presets and runs the
# host tests of the launcher logic.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/ensure-packages.sh cmake make g++ libgtest-dev g++-mingw-w64-i686

cmake --preset host
cmake --build --preset host -j2
ctest --preset host

cmake --preset win32
cmake --build --preset win32 -j2
