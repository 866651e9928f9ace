#!/usr/bin/env bash
# Installs, as root, whichever of the given Debian packages are missing. The i386 ones (Wine's
# 32-bit half) need the i386 architecture, which is added first when asked for.
set -euo pipefail

missing=()
for package in "$@"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -ne 0 ]]; then
  echo "missing packages: ${missing[*]}; run this as root to install them" >&2
  exit 1
fi
echo "installing: ${missing[*]}"
if [[ " ${missing[*]}" == *":i386"* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
