# Shared by the project's scripts: packages, builds, and the Wine, X and sound
# services that the Windows build needs. Source it; do not run it.

TONALYX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

TONALYX_PACKAGES=(
  cmake ninja-build g++ python3
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine64 fonts-wine xvfb xauth x11-utils pulseaudio pulseaudio-utils sox
  googletest libbenchmark-dev libfftw3-dev python3-numpy python3-scipy
  cups printer-driver-cups-pdf poppler-utils fp-utils
)

install_missing_packages() {
  local missing=()
  for p in "${TONALYX_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

# The program runs in its own folder, so a relative file argument is made
# absolute from the caller's folder first; options and absolute paths stay.
# Written NUL-separated, as file names may hold any other character.
absolute_arguments() {
  local a
  for a in "$@"; do
    [[ "$a" == /* || "$a" == -* ]] || a="$(realpath -m -- "$a")"
    printf '%s\0' "$a"
  done
}

configure_and_build() {
  cmake --preset "$1"
  cmake --build --preset "$1"
}

# A Wine prefix of the project's own, inside the build folder.
export WINEPREFIX="$TONALYX_ROOT/build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

TONALYX_STARTED_PIDS=()

# Starts a private Xvfb on the first free display and puts its name in
# TONALYX_XVFB_DISPLAY.
start_xvfb() {
  local n
  for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    TONALYX_STARTED_PIDS+=($!)
    TONALYX_XVFB_DISPLAY=":$n"
    for _ in $(seq 50); do
      xdpyinfo -display "$TONALYX_XVFB_DISPLAY" >/dev/null 2>&1 && return 0
      sleep 0.1
    done
  done
  echo "Could not start Xvfb" >&2
  return 1
}

start_display() {
  start_xvfb && export DISPLAY="$TONALYX_XVFB_DISPLAY"
}

start_wine() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w
  fi
  # This Wine looks for the fonts of its own package (fonts-wine) in a folder
  # it cannot resolve, so windows' title-bar buttons lack their symbol font
  # and show letters. The prefix lists that font among its own.
  local symbols=/usr/share/wine/fonts/marlett.ttf fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -f "$symbols" ] && [ -d "$fonts" ] && [ ! -e "$fonts/marlett.ttf" ]; then
    ln -s "$symbols" "$fonts/marlett.ttf"
  fi
  # The test programs' windows unmanaged (see cmake/TonalyxTesting.cmake).
  local reg="$TONALYX_ROOT/build/windows/unmanaged_test_windows.reg"
  [ -f "$reg" ] && wine reg import "$(winepath -w "$reg")" >/dev/null 2>&1 || true
}

# The sound tests start and stop their own PulseAudio null sink (a CTest fixture).
# The tests close the program's own frames and dialogs by the hundred too:
# its windows are unmanaged while they run, and managed again for scripts/run.
ProgramWindowsKey='HKCU\Software\Wine\AppDefaults\Tonalyx.exe'

# The screens of the tests that run beside the sound lane yield the processor
# to it, as those tests do (scripts/wine-test).
yield_last_xvfb() {
  renice -n 19 -p "${TONALYX_STARTED_PIDS[-1]}" >/dev/null
}

start_test_services() {
  start_display && yield_last_xvfb
  start_wine
  wine reg add "$ProgramWindowsKey\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1 || true
  start_test_lanes
}

# The tests that use the clipboard or read their windows off the screen, and
# the sound tests, run in lanes: each lane is a screen and a Wine prefix, so a
# Wine server (with its clipboard, desktop and DDE conversations), of its own,
# copied from the main prefix once that is set up. A test of a lane
# (TONALYX_LANE, set by CTest) runs there through scripts/wine-test; the tests
# of one lane take turns. The build says how many lanes it deals out.
test_lanes() {
  local count=0 file="$TONALYX_ROOT/build/windows/test_lanes"
  [ -f "$file" ] && count=$(cat "$file")
  seq "$count"
  echo sound
}

start_test_lanes() {
  local lane prefix
  wineserver -w
  for lane in $(test_lanes); do
    prefix="$WINEPREFIX-lane$lane"
    rm -rf "$prefix"
    cp -a --reflink=auto "$WINEPREFIX" "$prefix" || return 1
    start_xvfb || return 1
    [ "$lane" = sound ] || yield_last_xvfb
    echo "$TONALYX_XVFB_DISPLAY" >"$prefix/tonalyx-display"
  done
}

managed_program_windows() {
  wine reg delete "$ProgramWindowsKey" /f >/dev/null 2>&1 || true
}

stop_test_services() {
  wineserver -k >/dev/null 2>&1 || true
  local lane
  for lane in $(test_lanes); do
    WINEPREFIX="$WINEPREFIX-lane$lane" wineserver -k >/dev/null 2>&1 || true
  done
  local pid
  for pid in "${TONALYX_STARTED_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
}
