#!/usr/bin/env bash
# The launcher's whole story, run under Wine in a demo folder: the runtime is missing, the
# prompt offers the (demo) installer, the installer installs and shows its player window,
# the launcher waits, switches the display and starts the (demo) title; a second run finds
# the runtime and goes straight to the title.
#
# With a display ($DISPLAY) you watch and answer the prompt yourself. Without one it runs on
# an Xvfb display of its own, answers Yes by itself and saves screenshots (PNG), whose paths
# it prints at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/ensure-packages.sh cmake make g++-mingw-w64-i686 wine wine32:i386 wine64 xvfb \
  imagemagick x11-utils fonts-wine
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j2 >/dev/null

demo="$root/build/demo"
shots="$demo/screenshots"
export WINEPREFIX="$demo/prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

xvfb_pid=""
stop() {
  wineserver -k 2>/dev/null || true
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
}
trap stop EXIT

headless=1
if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  headless=0
else
  number=90
  while [[ -e /tmp/.X11-unix/X$number ]]; do number=$((number + 1)); done
  Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$number"
  for ((i = 0; i < 100; i++)); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi
helpers="$root/build/win32/helpers"

# waits until FILE has a line starting with KEY=, or fails after SECONDS
wait_for() {
  local file=$1 key=$2 seconds=$3
  for ((i = 0; i < seconds * 10; i++)); do
    grep -q "^$key=" "$file" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "demo: gave up waiting for $key in $file" >&2
  return 1
}

shot() {
  [[ $headless == 1 ]] || return 0
  import -window root -display "$DISPLAY" "$shots/$1"
  echo "  saved $shots/$1"
}

echo "preparing the demo folder and a Wine prefix in $demo (the first time takes a minute)"
rm -rf "$demo/folder" "$shots"
mkdir -p "$demo/folder/QT_F" "$shots"
cp build/win32/launcher.exe "$demo/folder/"
cp build/win32/helpers/title.exe "$demo/folder/D.EXE"
cp build/win32/helpers/installer.exe "$demo/folder/QT_F/QT32.EXE"
cp build/win32/helpers/player.exe "$demo/folder/"
if [[ ! -d "$WINEPREFIX" ]]; then
  wine wineboot -i >/dev/null 2>&1
fi
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
# A desktop already open keeps its kind; the next one opens as the virtual desktop just set.
wineserver -k
wine "$demo/folder/QT_F/QT32.EXE" unregister

folder_windows=$(winepath -w "$demo/folder")
export E2E_HELPERS="$folder_windows"
export E2E_TITLE_RECORD="$folder_windows\\title.txt"
export E2E_PLAYER_RECORD="$folder_windows\\player.txt"
export E2E_TITLE_SHOW_MS=5000
export E2E_INSTALLER="wait=1500;register=C:/windows/system32/QuickTime.qts|C:/windows/system32/QTIM32.DLL;player=4000"
cd "$demo/folder"

echo "first run: the runtime is missing"
wine launcher.exe &
launcher=$!
if [[ $headless == 1 ]]; then
  wine "$helpers/answer.exe" "Sorry..." yes "$folder_windows\\prompt.txt" 20000 1500 2>/dev/null &
  wait_for prompt.txt answered_at 25
  sleep 0.5
  shot 1-prompt.png
else
  echo "  answer the prompt (Yes installs the demo runtime)"
fi
if wait_for player.txt opened 60; then
  sleep 0.5
  shot 2-player-window.png
fi
wait_for title.txt started 60
sleep 1
shot 3-title-after-install.png
wait "$launcher" && code=0 || code=$?
echo "  the launcher ended with exit code $code"
sleep 5

echo "second run: the runtime is installed"
wine "$helpers/setmode.exe" reset >/dev/null 2>&1 || true
rm -f title.txt
wine launcher.exe && code=0 || code=$?
echo "  the launcher ended with exit code $code"
wait_for title.txt started 30
sleep 1
shot 4-title-second-run.png
sleep 4

if [[ $headless == 1 ]]; then
  echo "screenshots: $shots"
  ls -1 "$shots"
fi
