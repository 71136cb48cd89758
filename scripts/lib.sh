# Shared by scripts/setup, scripts/run, scripts/test and scripts/shots: packages,
# the builds, Wine prefixes and the Xvfb display.
#
# Two targets come from one source:
#   64  the 64-bit program, run under 64-bit Wine in a 64-bit prefix. This path works on
#       every x86-64 Linux host, also on those that cannot start 32-bit Linux programs,
#       so it is the one the run and the tests take.
#   32  the 32-bit program for Windows XP, the release. It is built in every test run;
#       its tests run under 32-bit Wine only when asked (scripts/test --xp), on hosts
#       that can start 32-bit programs.
# shellcheck shell=bash

VELMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELMORA_BUILD=${VELMORA_BUILD:-$VELMORA_ROOT/build}
VELMORA_BUILD_XP=${VELMORA_BUILD_XP:-$VELMORA_ROOT/build-xp}

# Installed by name: wine64 brings the 64-bit loader and server; fonts-liberation gives
# Wine Arial's metrics (without it "Arial" is drawn with DejaVu Sans and layouts differ);
# fonts-wine gives Wine its own symbol font, which draws the caption buttons; zip and
# unzip make and test the release packages.
VELMORA_PACKAGES=(wine64 fonts-wine fonts-liberation mingw-w64 cmake make googletest file
                  xvfb xauth imagemagick fp-utils x11-utils zip unzip)
# Only for the 32-bit test path; needs the i386 architecture.
VELMORA_PACKAGES_XP=(wine32:i386)

WINE64_LOADER=/usr/lib/wine/wine64
WINE32_LOADER=/usr/lib/wine/wine
WINE_SERVER=/usr/lib/wine/wineserver64

log() { printf '[velmora] %s\n' "$*" >&2; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

packages_missing() {
  local pkg missing=()
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  printf '%s\n' "${missing[@]}"
}

install_packages() {
  local missing
  missing=$(packages_missing "$@")
  [ -z "$missing" ] && return 0
  log "installing: $(echo $missing)"
  as_root apt-get update -q
  # shellcheck disable=SC2086
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
}

# Installs what the build and the tests need; does nothing when everything is there.
ensure_packages() {
  install_packages "${VELMORA_PACKAGES[@]}"
}

# The 32-bit test path: 32-bit Wine, which needs the i386 architecture and a host
# that can start 32-bit programs.
ensure_packages_xp() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
    as_root apt-get update -q
  fi
  install_packages "${VELMORA_PACKAGES_XP[@]}"
  if ! "$WINE32_LOADER" --version >/dev/null 2>&1; then
    log "this host cannot start 32-bit programs: the 32-bit tests need a host that can"
    return 1
  fi
}

# Selects the Wine of a target (64 or 32): WINELOADER, WINESERVER, the prefix's WINEARCH,
# and the build folder and toolchain file of that target.
use_target() {
  case "$1" in
    64)
      export WINELOADER=$WINE64_LOADER WINEARCH=win64
      TARGET_BUILD=$VELMORA_BUILD TARGET_TOOLCHAIN=$VELMORA_ROOT/cmake/mingw-w64-x86_64.cmake ;;
    32)
      export WINELOADER=$WINE32_LOADER WINEARCH=win32
      TARGET_BUILD=$VELMORA_BUILD_XP TARGET_TOOLCHAIN=$VELMORA_ROOT/cmake/mingw-w64-i686.cmake ;;
    *) log "unknown target $1"; return 2 ;;
  esac
  export WINESERVER=$WINE_SERVER
}

# Wine and its server, always through the selected loader: Debian's wine wrapper picks
# the 32-bit loader whenever it is installed, whether or not the host can start it.
wine() { "$WINELOADER" "$@"; }
wineserver() { "$WINESERVER" "$@"; }

# configure_build FOLDER TOOLCHAIN [cmake options...]
configure_build() {
  local folder=$1 toolchain=$2
  shift 2
  cmake -S "$VELMORA_ROOT" -B "$folder" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}

# Builds the selected target with its tests.
build_velmora() {
  configure_build "$TARGET_BUILD" "$TARGET_TOOLCHAIN"
  cmake --build "$TARGET_BUILD" -j "$(nproc)"
}

# Builds the 32-bit Windows XP program alone (no tests) in its own folder.
build_xp_program() {
  configure_build "$VELMORA_BUILD_XP" "$VELMORA_ROOT/cmake/mingw-w64-i686.cmake"
  cmake --build "$VELMORA_BUILD_XP" --target velmora -j "$(nproc)"
}

# The import check of the release: the 32-bit program (and the 64-bit one, for Windows
# XP x64 Edition) imports only what Windows XP exports. The check is also run on a probe
# that Windows XP cannot load, so that a check which let everything pass fails the run.
check_release_imports() {
  local probe_dir report
  "$VELMORA_ROOT/scripts/check-imports" "$VELMORA_BUILD_XP/velmora.exe" "$VELMORA_BUILD/velmora.exe"
  probe_dir=$(mktemp -d "/tmp/velmora-probe.XXXXXX")
  i686-w64-mingw32-gcc-posix -o "$probe_dir/probe.exe" "$VELMORA_ROOT/tools/imports/later_windows_probe.c" -ldwmapi \
    -Wl,--major-os-version,6 -Wl,--minor-os-version,0 -Wl,--major-subsystem-version,6 -Wl,--minor-subsystem-version,0
  if report=$("$VELMORA_ROOT/scripts/check-imports" "$probe_dir/probe.exe"); then
    rm -rf "$probe_dir"
    log "the import check passed a program that Windows XP cannot load"
    return 1
  fi
  rm -rf "$probe_dir"
  local expected
  for expected in "kernel32.dll GetTickCount64" "dwmapi.dll DwmIsCompositionEnabled" \
                  "operating-system version 6.0" "subsystem version 6.0"; do
    if ! grep -qF "$expected" <<<"$report"; then
      log "the import check did not name \"$expected\" in a program that Windows XP cannot load:"
      printf '%s\n' "$report" >&2
      return 1
    fi
  done
  log "the import check refuses a program that Windows XP cannot load (GetTickCount64, dwmapi.dll, header 6.0)"
}

# The registry of a prefix that reports Windows XP Service Pack 3 (version 5.1, build
# 2600): a 64-bit prefix refuses winecfg's winxp, so Wine's version is set by the value
# it reads, and the CurrentVersion values that programs read are written alongside.
# Wine also draws window frames itself: on a display without a window manager (Xvfb)
# windows then show their captions, and showing or hiding one waits for no manager.
windows_xp_settings() {
  local view
  printf 'REGEDIT4\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine]\r\n"Version"="winxp"\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n"Decorated"="N"\r\n\r\n'
  for view in 'SOFTWARE' 'SOFTWARE\\Wow6432Node'; do
    printf '[HKEY_LOCAL_MACHINE\\%s\\Microsoft\\Windows NT\\CurrentVersion]\r\n' "$view"
    printf '"ProductName"="Microsoft Windows XP"\r\n"CurrentVersion"="5.1"\r\n'
    printf '"CurrentBuild"="2600"\r\n"CurrentBuildNumber"="2600"\r\n'
    printf '"CSDVersion"="Service Pack 3"\r\n"CSDBuildNumber"="5512"\r\n\r\n'
  done
}

# Makes a Windows XP prefix at $1 (once) for the selected target, mapping drive C: only:
# Wine's z: link would expose the whole Linux file system to the clean-up.
ensure_prefix() {
  local prefix=$1 settings
  if [ -f "$prefix/system.reg" ]; then
    if ! grep -q "^#arch=$WINEARCH" "$prefix/system.reg"; then
      log "the prefix $prefix is not a $WINEARCH prefix; use another WINEPREFIX"
      return 1
    fi
  else
    log "creating Wine prefix $prefix"
    mkdir -p "$prefix"
    WINEPREFIX=$prefix WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all wine wineboot -i >/dev/null 2>&1
    settings="$prefix/drive_c/windows/temp/velmora-xp.reg"
    windows_xp_settings >"$settings"
    WINEPREFIX=$prefix WINEDEBUG=-all wine regedit /S 'C:\windows\temp\velmora-xp.reg' >/dev/null 2>&1
    rm -f "$settings"
    WINEPREFIX=$prefix WINEDEBUG=-all wineserver -w
  fi
  rm -f "$prefix/dosdevices/z:"
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

# A throwaway session for tests and screenshots: its own home (so its own recycle bin,
# the desktop trash), its own prefix, Xvfb display and wineserver, all stopped by
# end_session. Sets SESSION_WORK.
begin_session() {
  SESSION_WORK=$(mktemp -d "/tmp/velmora-$1.XXXXXX")
  XVFB_PID=
  WINESERVER_PID=
  export HOME=$SESSION_WORK/home
  mkdir -p "$HOME"
  export WINEPREFIX=$SESSION_WORK/prefix
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  ensure_prefix "$WINEPREFIX"
  start_xvfb
  start_wineserver
}

end_session() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  stop_pid "$WINESERVER_PID"
  stop_pid "$XVFB_PID"
  [ -n "${SESSION_WORK:-}" ] && rm -rf "$SESSION_WORK"
}
