#!/usr/bin/env bash
# Installs what the build, the tests and the run command need on a Debian
# machine. Idempotent: does nothing, and calls no apt at all, when
# everything is already there.
#
# The required set (compilers, 64-bit Wine, Xvfb, fonts, CMake, GoogleTest,
# clang for the fuzzer, the X tools) must install, or the script stops and
# names the package. 32-bit Wine is optional: it is installed only where
# this kernel runs 32-bit programs at all, and when the registry cannot
# give it (its i386 libraries must match their amd64 twins exactly, and a
# registry half in sync breaks that) the script says so in one line and
# goes on; the 32-bit product is still built, its tests then do not run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

required=(cmake make g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 fonts-wine xvfb xauth
          fonts-wqy-microhei googletest imagemagick xdotool x11-utils python3 clang-14 libclang-rt-14-dev)
wine32=wine32:i386
# Where a failed 32-bit install is remembered, so that later runs on the same
# checkout stay quick; delete it to try again.
no_wine32_mark=${TARNWICK_SETUP_STATE:-$root/build}/.setup-no-wine32

export DEBIAN_FRONTEND=noninteractive LC_ALL=C

have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

# Whether this kernel runs i386 programs, found without installing anything:
# a 94-byte static i386 program that only exits with status 42.
# TARNWICK_I386_PROBE names another program to run instead (the script's
# own test uses it).
kernel_runs_i386() {
  local probe=${TARNWICK_I386_PROBE:-} made=
  if [[ -z $probe ]]; then
    probe=$(mktemp) || return 1
    made=$probe
    printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5c\x00\x00\x00\x5c\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xbb\x2a\x00\x00\x00\x31\xc0\x40\xcd\x80' > "$probe"
    chmod +x "$probe"
  fi
  local status=0
  "$probe" >/dev/null 2>&1 || status=$?
  [[ -n $made ]] && rm -f "$made"
  ((status == 42))
}

# The first error apt gave, on one line.
apt_reason() { grep -m1 -E '^(E|W): ' <<< "$1" | sed -E 's/^(E|W): //' || true; }

# An index that cannot be refreshed (a registry half in sync) is no reason to
# stop: retry once, then go on with the indexes apt already has.
refresh_indexes() {
  local out
  out=$(apt-get update -qq 2>&1) && return
  out=$(apt-get update -qq 2>&1) && return
  echo "setup: warning: some package indexes could not be refreshed ($(apt_reason "$out")); going on with the indexes apt has"
}

# apt-get install that never removes a package the machine has.
apt_install() { apt-get install -y -qq --no-install-recommends --no-remove "$@"; }

install_required() {
  local out
  out=$(apt_install "$@" 2>&1 >/dev/null) && return
  # Name the package that cannot be installed, with apt's reason.
  local pkg sim
  for pkg in "$@"; do
    sim=$(apt-get install -s --no-install-recommends "$pkg" 2>&1) && continue
    echo "setup: cannot install the required package $pkg: $(apt_reason "$sim")" >&2
    exit 1
  done
  echo "setup: installing the required packages failed: $(apt_reason "$out")" >&2
  exit 1
}

# A simulated install of 32-bit Wine with the given extra package versions;
# prints apt's output and fails when apt cannot resolve it or would remove
# anything.
simulate_wine32() {
  local out status=0
  out=$(apt-get install -s --no-install-recommends --allow-downgrades "$wine32" "$@" 2>&1) || status=$?
  printf '%s\n' "$out"
  ((status == 0)) && ! grep -q '^Remv ' <<< "$out"
}

candidate() { apt-cache policy "$1" 2>/dev/null | awk '/Candidate:/ {print $2; exit}'; }

# 32-bit Wine's i386 libraries are Multi-Arch: same and must have exactly
# the version of their installed amd64 twins. When one suite's i386 index
# is missing, the amd64 twin's candidate comes from a suite whose i386 half
# apt cannot see. Bring such twins to the version the i386 index has, and
# keep packages that depend on a twin's exact version (its -dev package) at
# that version too, so nothing gets removed; a few rounds, each led by what
# apt says it cannot install. Prints the versions to name, one a line, or
# fails with apt's reason on a line "reason: ...".
harmonise_wine32() {
  local pins=() out name base version pin removed have round
  for round in 1 2 3 4 5 6; do
    if out=$(simulate_wine32 "${pins[@]}"); then
      printf '%s\n' "${pins[@]}"
      return 0
    fi
    local added=0
    for name in $(grep -oE '[a-z0-9][a-z0-9.+-]*:i386' <<< "$out" | sort -u); do
      base=${name%:i386}
      have_pkg "$base:amd64" || continue
      version=$(candidate "$name")
      [[ -n $version && $version != "(none)" && $version != "$(candidate "$base:amd64")" ]] || continue
      pin="$base:amd64=$version"
      [[ " ${pins[*]} " == *" $pin "* ]] && continue
      pins+=("$pin")
      added=1
    done
    for removed in $(awk '/^Remv / {print $2}' <<< "$out"); do
      have=$(apt-cache madison "$removed" 2>/dev/null | awk -F' [|] ' '$3 ~ /amd64/ {print $2}')
      for pin in "${pins[@]}"; do
        version=${pin#*=}
        if grep -qxF -- "$version" <<< "$have"; then
          pin="$removed:amd64=$version"
          if [[ " ${pins[*]} " != *" $pin "* ]]; then pins+=("$pin"); added=1; fi
          break
        fi
      done
    done
    ((added)) || break
  done
  local reason
  reason=$(apt_reason "$out")
  [[ -n $reason ]] || reason="it would remove $(awk '/^Remv / {print $2}' <<< "$out" | head -3 | paste -sd' ')"
  echo "reason: $reason"
  return 1
}

install_wine32() {
  local out reason= pins=()
  if simulate_wine32 >/dev/null && apt_install "$wine32" >/dev/null 2>&1; then return 0; fi
  echo "setup: 32-bit Wine does not install as the indexes stand; bringing its amd64 twins to the i386 index's versions"
  if out=$(harmonise_wine32); then
    [[ -z $out ]] || mapfile -t pins <<< "$out"
    if out=$(apt_install --allow-downgrades "$wine32" "${pins[@]}" 2>&1 >/dev/null); then
      echo "setup: 32-bit Wine installed with ${#pins[@]} amd64 libraries at the i386 index's versions"
      return 0
    fi
    reason=$(apt_reason "$out")
  else
    reason=$(sed -n 's/^reason: //p' <<< "$out")
  fi
  [[ -n $reason ]] || reason="apt finds no set of versions that installs it without removing packages"
  echo "setup: 32-bit Wine ($wine32) could not be installed: $reason; the 32-bit product is built but its tests will not run here"
  mkdir -p "$(dirname "$no_wine32_mark")"
  echo "$reason" > "$no_wine32_mark"
  return 1
}

need=()
for pkg in "${required[@]}"; do
  have_pkg "$pkg" || need+=("$pkg")
done
want32=0
if ! have_pkg "$wine32" && [[ ! -f $no_wine32_mark ]]; then
  if kernel_runs_i386; then want32=1; fi
fi
((${#need[@]} || want32)) || exit 0

if [[ $(id -u) -ne 0 ]]; then
  echo "setup: missing packages: ${need[*]}${need[*]:+ }$( ((want32)) && echo "$wine32"); run this script as root" >&2
  exit 1
fi

if ((want32)) && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
refresh_indexes
if ((${#need[@]})); then
  echo "setup: installing ${need[*]}"
  install_required "${need[@]}"
fi
if ((want32)); then
  echo "setup: installing 32-bit Wine ($wine32)"
  install_wine32 || true
fi
exit 0
