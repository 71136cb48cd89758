# Shared by scripts/setup, scripts/run, scripts/test and scripts/shots: packages,
# the build, Wine prefixes and the Xvfb display.
# shellcheck shell=bash

VELMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELMORA_BUILD=${VELMORA_BUILD:-$VELMORA_ROOT/build}
VELMORA_PACKAGES=(wine wine32:i386 mingw-w64 cmake make googletest xvfb xauth imagemagick fp-utils x11-utils)

log() { printf '[velmora] %s\n' "$*" >&2; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

packages_missing() {
  local pkg missing=()
  for pkg in "${VELMORA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  printf '%s\n' "${missing[@]}"
}

# Installs what the build and the tests need; does nothing when everything is there.
ensure_packages() {
  local missing
  missing=$(packages_missing)
  [ -z "$missing" ] && return 0
  log "installing: $(echo $missing)"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  as_root apt-get update -q
  # shellcheck disable=SC2086
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
}

build_velmora() {
  local type=${1:-Release}
  cmake -S "$VELMORA_ROOT" -B "$VELMORA_BUILD" \
    -DCMAKE_TOOLCHAIN_FILE="$VELMORA_ROOT/cmake/mingw-w64-i686.cmake" \
    -DCMAKE_BUILD_TYPE="$type" >/dev/null
  cmake --build "$VELMORA_BUILD" -j "$(nproc)"
}

# Makes a Windows XP prefix at $1 (once) that maps drive C: only: Wine's z: link
# would expose the whole Linux file system to the clean-up.
ensure_prefix() {
  local prefix=$1
  if [ ! -f "$prefix/system.reg" ]; then
    log "creating Wine prefix $prefix"
    mkdir -p "$prefix"
    WINEPREFIX=$prefix WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all wineboot -i >/dev/null 2>&1
    WINEPREFIX=$prefix WINEDEBUG=-all winecfg -v winxp >/dev/null 2>&1
    WINEPREFIX=$prefix WINEDEBUG=-all wineserver -w
  fi
  rm -f "$prefix/dosdevices/z:"
}

# Lets Wine draw window frames itself: on a display without a window manager (Xvfb)
# windows then show their captions, and showing or hiding one waits for no manager.
use_wine_frames() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
}

# Starts Xvfb on a free display; sets DISPLAY and XVFB_PID.
start_xvfb() {
  local fifo display
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  read -r -t 20 display <"$fifo" || { rm -f "$fifo"; log "Xvfb did not start"; return 1; }
  rm -f "$fifo"
  export DISPLAY=":$display"
}

# Keeps a wineserver for $WINEPREFIX running so every Wine start is fast; sets WINESERVER_PID.
# Wine's own services start with the first program; starting them here keeps them
# from inheriting (and holding open) the output of a test program.
start_wineserver() {
  wineserver -f -p >/dev/null 2>&1 &
  WINESERVER_PID=$!
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

stop_pid() {
  local pid=$1
  [ -n "$pid" ] || return 0
  kill "$pid" 2>/dev/null || return 0
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.2
  done
  kill -9 "$pid" 2>/dev/null || true
}
