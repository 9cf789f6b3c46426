#!/usr/bin/env bash
# Installs what the build, the tests and the run command need on a Debian
# machine. Idempotent: does nothing when everything is already there.
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
for pkg in cmake make g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64 fonts-wine xvfb xauth \
           fonts-wqy-microhei googletest imagemagick xdotool x11-utils python3 \
           clang-14 libclang-rt-14-dev; do
  have_pkg "$pkg" || need+=("$pkg")
done

if ((${#need[@]})); then
  if [[ $(id -u) -ne 0 ]]; then
    echo "setup: missing packages: ${need[*]}; run this script as root" >&2
    exit 1
  fi
  echo "setup: installing ${need[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
