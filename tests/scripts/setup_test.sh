#!/usr/bin/env bash
# The set-up script's decisions, with stand-in apt-get, apt-cache, dpkg,
# dpkg-query and id on the PATH: nothing on the machine is read or changed.
# Each case starts from its own package state and looks at the script's exit
# status, its words and the apt calls it made.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bin=$work/bin
mkdir -p "$bin"

# --- the stand-ins -----------------------------------------------------------
# State: $FAKE/installed (one package a line), $FAKE/archs, $FAKE/log (every
# apt call). Behaviour: FAKE_UPDATE_FAILS (how many apt-get update calls
# fail), FAKE_BROKEN (packages apt cannot give, with no candidate),
# FAKE_WINE32 (ok | pin: installs only with zlib1g:amd64 at the i386
# version | never).
cat > "$bin/dpkg-query" <<'EOF'
#!/usr/bin/env bash
pkg=${!#}
grep -qxF -- "$pkg" "$FAKE/installed" || grep -qxF -- "${pkg%:amd64}" "$FAKE/installed" || exit 1
printf 'install ok installed'
EOF
cat > "$bin/dpkg" <<'EOF'
#!/usr/bin/env bash
echo "dpkg $*" >> "$FAKE/log"
case $1 in
  --print-foreign-architectures) cat "$FAKE/archs" ;;
  --add-architecture) echo "$2" >> "$FAKE/archs" ;;
esac
EOF
cat > "$bin/id" <<'EOF'
#!/usr/bin/env bash
echo 0
EOF
cat > "$bin/apt-cache" <<'EOF'
#!/usr/bin/env bash
case "$1 $2" in
  "policy zlib1g:i386") printf 'zlib1g:i386:\n  Installed: (none)\n  Candidate: 1:1.2-1\n' ;;
  "policy zlib1g:amd64") printf 'zlib1g:\n  Installed: 1:1.2-1+sec2\n  Candidate: 1:1.2-1+sec2\n' ;;
  "policy "*) printf '%s:\n  Installed: (none)\n  Candidate: (none)\n' "$2" ;;
esac
EOF
cat > "$bin/apt-get" <<'EOF'
#!/usr/bin/env bash
echo "apt-get $*" >> "$FAKE/log"
if [[ $1 == update ]]; then
  n=$(grep -c '^apt-get update' "$FAKE/log")
  if ((n <= ${FAKE_UPDATE_FAILS:-0})); then
    echo "E: Failed to fetch http://registry/security/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?" >&2
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
    exit 100
  fi
  exit 0
fi
simulate=0; pkgs=()
for a in "${@:2}"; do
  case $a in -s) simulate=1 ;; -*) ;; *) pkgs+=("$a") ;; esac
done
for p in "${pkgs[@]}"; do
  for b in ${FAKE_BROKEN:-}; do
    if [[ $p == "$b" ]]; then echo "E: Package '$p' has no installation candidate" >&2; exit 100; fi
  done
  if [[ $p == wine32:i386 ]]; then
    case ${FAKE_WINE32:-ok} in
      pin) [[ " ${pkgs[*]} " == *" zlib1g:amd64=1:1.2-1 "* ]] && continue ;;
      ok) continue ;;
    esac
    echo "The following packages have unmet dependencies:"
    echo " libwine:i386 : Depends: zlib1g:i386 (>= 1:1.1.4) but it is not going to be installed"
    echo "E: Unable to correct problems, you have held broken packages." >&2
    exit 100
  fi
done
for p in "${pkgs[@]}"; do
  if ((simulate)); then echo "Inst ${p%%=*}"; else echo "${p%%=*}" >> "$FAKE/installed"; fi
done
EOF
printf '#!/bin/sh\nexit 42\n' > "$bin/i386-yes"
printf '#!/bin/sh\nexit 126\n' > "$bin/i386-no"
chmod +x "$bin"/*

required="cmake make g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 fonts-wine xvfb xauth
          fonts-wqy-microhei googletest imagemagick xdotool x11-utils python3 clang-14 libclang-rt-14-dev"

passed=0 failed=0
# run_setup NAME KERNEL INSTALLED...: a fresh state with those packages, the
# script run once; its exit status in $status, its words in $out.
run_setup() {
  local name=$1 kernel=$2
  shift 2
  export FAKE=$work/$name
  mkdir -p "$FAKE/state"
  printf '%s\n' "$@" > "$FAKE/installed"
  : > "$FAKE/archs"
  : > "$FAKE/log"
  rerun_setup "$kernel"
}
rerun_setup() {
  status=0
  out=$(PATH=$bin:$PATH TARNWICK_I386_PROBE=$bin/i386-$1 TARNWICK_SETUP_STATE=$FAKE/state \
        "$root/scripts/setup.sh" 2>&1) || status=$?
}
check() {  # check DESCRIPTION CONDITION...
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $what"
    echo "  exit status $status; output:"
    sed 's/^/    /' <<< "$out"
    echo "  apt calls:"
    sed 's/^/    /' "$FAKE/log"
  fi
}
said() { grep -qF -- "$1" <<< "$out"; }
logged() { grep -qE -- "$1" "$FAKE/log"; }
installed() { grep -qxF -- "$1" "$FAKE/installed"; }
all_required_installed() { local p; for p in $required; do installed "$p" || return 1; done; }

# An index that fails to refresh twice is a warning; the packages install.
FAKE_UPDATE_FAILS=2 run_setup refresh_fails no
check "refresh fails: exit 0" test "$status" -eq 0
check "refresh fails: one warning line" said "warning: some package indexes could not be refreshed (Failed to fetch"
check "refresh fails: retried once" test "$(grep -c '^apt-get update' "$FAKE/log")" -eq 2
check "refresh fails: required set installed" all_required_installed

# One failed refresh, then a good one: no warning.
FAKE_UPDATE_FAILS=1 run_setup refresh_retry no
check "refresh retried: no warning" eval '! said warning'

# The kernel refuses 32-bit programs: nothing 32-bit is asked for.
run_setup no_i386_kernel no
check "no i386 kernel: exit 0" test "$status" -eq 0
check "no i386 kernel: no i386 architecture added" eval '! logged "add-architecture"'
check "no i386 kernel: no wine32 asked for" eval '! logged "wine32"'
check "no i386 kernel: required set installed" all_required_installed

# The 32-bit set cannot be installed, not even with the twins harmonised:
# one clear line, the required set stays, the run goes on.
FAKE_WINE32=never run_setup wine32_never yes $required
check "wine32 never: exit 0" test "$status" -eq 0
check "wine32 never: i386 architecture added" logged "dpkg --add-architecture i386"
check "wine32 never: one clear line" said "setup: 32-bit Wine (wine32:i386) could not be installed: Unable to correct problems, you have held broken packages.; the 32-bit product is built but its tests will not run here"
check "wine32 never: never installed for real" eval '! logged "^apt-get install -y.*wine32"'
check "wine32 never: nothing removed" all_required_installed
: > "$FAKE/log"
rerun_setup yes
check "wine32 never: the next run calls no apt" test ! -s "$FAKE/log" -a "$status" -eq 0

# The 32-bit set installs once its amd64 twin is at the i386 index's version.
FAKE_WINE32=pin run_setup wine32_pin yes $required zlib1g
check "wine32 pin: exit 0" test "$status" -eq 0
check "wine32 pin: installed with the twin at the i386 version" \
  logged "^apt-get install -y .*--no-remove --allow-downgrades wine32:i386 zlib1g:amd64=1:1.2-1$"
check "wine32 pin: wine32 there" installed wine32:i386

# A required package that cannot be installed stops the script and is named.
FAKE_BROKEN=xdotool run_setup required_broken no
check "required broken: non-zero exit" test "$status" -ne 0
check "required broken: names the package and apt's reason" \
  said "setup: cannot install the required package xdotool: Package 'xdotool' has no installation candidate"

# Everything already there: no apt call at all.
run_setup all_there yes $required wine32:i386
check "all there: exit 0" test "$status" -eq 0
check "all there: no apt or dpkg call" test ! -s "$FAKE/log"

echo "setup_test: $passed passed, $failed failed"
((failed == 0))
