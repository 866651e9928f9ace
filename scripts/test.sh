#!/usr/bin/env bash
# Everything the project checks: installs what is missing, builds both presets, runs the
# host tests of the launcher logic, then the end-to-end tests of the real launcher.exe under
# Wine (in a fresh prefix, on an Xvfb display of their own).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/ensure-packages.sh cmake make g++ libgtest-dev g++-mingw-w64-i686 \
  python3 python3-pefile wine wine32:i386 wine64 xvfb

cmake --preset host
cmake --build --preset host -j2
ctest --preset host

cmake --preset win32
cmake --build --preset win32 -j2
echo "launcher.exe: $(stat -c %s build/win32/launcher.exe) bytes"
i686-w64-mingw32-objdump -p build/win32/launcher.exe | grep 'DLL Name'

# Debian's own interpreter: it is the one python3-pefile installs into.
/usr/bin/python3 tests/wine/e2e.py build/win32
