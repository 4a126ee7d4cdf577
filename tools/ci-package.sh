#!/usr/bin/env bash
# Builds the Debian package and checks it the way a user would meet it:
# the menu entry and the software-centre metadata validate, the package's
# contents and dependencies are sound, it installs with apt, and the
# installed program starts on a virtual screen in an empty directory,
# writes its config.txt there and saves it again when its window is closed,
# and started as the menu starts it, keeps its settings in ~/.config/verbolt.
# The package is removed again at the end. Prints a PASS or FAIL line for
# every check and exits non-zero if any failed.
set -uo pipefail
script=$(realpath "$0")
cd "$(dirname "$script")/.." || exit 1

app_id=org.example.verbolt
build_dir=build-package
failures=0

pass() { echo "PASS: $*"; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
check() {
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}
abort() {
  fail "$*"
  echo "ci-package: stopped after a failure the later checks depend on"
  exit 1
}
section() { echo "== $*"; }

# --- Closing the window the way its close box does ------------------------

# Sends WM_DELETE_WINDOW to a window, which is what a window manager does
# when the user clicks the close box (SIGTERM, a logout, is checked on its
# own below). Xvfb has no window manager to ask, hence the direct client
# message.
send_close_request() {
  python3 - "$1" <<'EOF'
import ctypes
import sys

xlib = ctypes.CDLL("libX11.so.6")
xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
xlib.XInternAtom.restype = ctypes.c_ulong
xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                            ctypes.c_void_p]
xlib.XFlush.argtypes = [ctypes.c_void_p]
xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]


CLIENT_MESSAGE = 33
display = xlib.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the display")
window = int(sys.argv[1])
event = XEvent()
event.xclient.type = CLIENT_MESSAGE
event.xclient.window = window
event.xclient.message_type = xlib.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.xclient.format = 32
event.xclient.data[0] = xlib.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
xlib.XSendEvent(display, window, 0, 0, ctypes.byref(event))
xlib.XFlush(display)
xlib.XCloseDisplay(display)
EOF
}

wait_for_file() {
  local file=$1
  for _ in $(seq 50); do
    [ -s "$file" ] && return 0
    sleep 0.1
  done
  return 1
}

# Runs under xvfb-run: starts the installed program in the empty directory
# $1, checks config.txt appears, closes the window and checks it is saved.
start_installed() {
  local work=$1 window="" pid status
  cd "$work" || return 1
  /usr/bin/verbolt >"$work/verbolt.log" 2>&1 &
  pid=$!
  for _ in $(seq 100); do
    window=$(xdotool search --all --pid "$pid" --name '^Verbolt 2$' 2>/dev/null | head -1)
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
  done
  if [ -z "$window" ]; then
    fail "installed verbolt shows its window"
    kill "$pid" 2>/dev/null
    tail -20 "$work/verbolt.log"
    return 1
  fi
  pass "installed verbolt shows its window"
  check "config.txt written at start-up in the working directory" wait_for_file "$work/config.txt"
  sleep 2

  # Without the start-up file, a config.txt after closing can only come
  # from the save on close.
  rm -f "$work/config.txt"
  send_close_request "$window"
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    fail "verbolt exits when its window is closed"
    kill "$pid"
    wait "$pid"
    return 1
  fi
  wait "$pid"
  status=$?
  check "verbolt exits with status 0 when its window is closed (got $status)" test "$status" -eq 0
  check "config.txt saved on close in the working directory" test -s "$work/config.txt"
}

# Runs under xvfb-run: starts the program with the installed desktop
# entry's Exec line, as the menu does, from the directory $1 with a home
# folder of its own; its settings must land in ~/.config/verbolt, and
# SIGTERM (a logout) must close it with them saved.
start_from_menu() {
  local work=$1 entry=/usr/share/applications/$app_id.desktop exec_line pid status
  local folder=$work/home/.config/verbolt
  # With no file to open, the menu drops the %F field code.
  exec_line=$(sed -n 's/^Exec=//p' "$entry" | sed 's/ *%[fFuU]//g')
  mkdir -p "$work/home"
  cd "$work" || return 1
  # shellcheck disable=SC2086 # the Exec line is split into words, as the menu does
  env -u XDG_CONFIG_HOME HOME="$work/home" $exec_line >"$work/menu.log" 2>&1 &
  pid=$!
  check "a menu start writes its settings in ~/.config/verbolt" wait_for_file "$folder/config.txt"
  check "a menu start leaves the folder it starts from alone" test ! -e "$work/config.txt"
  rm -f "$folder/config.txt"
  kill -TERM "$pid"
  wait "$pid"
  status=$?
  check "SIGTERM ends verbolt with status 0 (got $status)" test "$status" -eq 0
  check "SIGTERM saves the settings" test -s "$folder/config.txt"
}

if [ "${1:-}" = "--start-installed" ]; then
  start_installed "$2"
  mkdir -p "$2/menu"
  start_from_menu "$2/menu"
  exit $((failures > 0))
fi

# --- Build -----------------------------------------------------------------

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
command -v python3 >/dev/null || abort "python3 is needed to close the test window"

tools/install-deps.sh || abort "installing the build and packaging tools"

section "build (Release) into $build_dir"
# Only what the package holds is built: the tests and benchmarks are the
# business of the other CI steps, and cpack would otherwise build them all.
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
  >/dev/null || abort "configure"
cmake --build "$build_dir" -j "$(nproc)" --target verbolt verbolt-analyze verbolt_changelog \
  >/dev/null || abort "build"
pass "Release build"

# --- Validators on the source files -----------------------------------------

section "desktop-file-validate packaging/$app_id.desktop"
check "desktop entry validates" desktop-file-validate "packaging/$app_id.desktop"

section "appstreamcli validate --no-net packaging/$app_id.metainfo.xml"
check "AppStream metainfo validates" appstreamcli validate --no-net "packaging/$app_id.metainfo.xml"

# --- Package -----------------------------------------------------------------

section "cpack"
rm -f "$build_dir"/verbolt_*.deb
(cd "$build_dir" && cpack) || abort "cpack makes the package"
debs=("$build_dir"/verbolt_*.deb)
[ -f "${debs[0]}" ] || abort "cpack makes a verbolt_*.deb"
deb=$(realpath "${debs[0]}")
pass "package $(basename "$deb")"

section "dpkg-deb --info"
dpkg-deb --info "$deb" || fail "dpkg-deb reads the package"
section "dpkg-deb --contents"
dpkg-deb --contents "$deb" || fail "dpkg-deb lists the package"

depends=$(dpkg-deb --field "$deb" Depends)
check "dependencies come from the shared-library scan (libwxgtk3.2 in Depends)" \
  grep -q 'libwxgtk3\.2' <<<"$depends"
# verbolt-analyze reads Markdown with md4c: the scan must have found it.
check "the Markdown parser is a dependency (libmd4c0 in Depends)" \
  grep -q 'libmd4c0' <<<"$depends"

section "lintian"
# Warnings (no manual pages) and infos are printed but do not fail.
check "lintian finds no errors" lintian --fail-on error --display-info "$deb"

# --- The package's files, unpacked into a clean root -------------------------

section "unpacked into a clean root"
root=$(mktemp -d)
work=$(mktemp -d)
installed_here=0
cleanup() {
  rm -rf "$root" "$work"
  if [ "$installed_here" -eq 1 ]; then
    echo "== apt-get remove verbolt"
    $sudo apt-get remove -y -qq verbolt >/dev/null && echo "removed verbolt"
  fi
}
trap cleanup EXIT

dpkg-deb -x "$deb" "$root"
desktop=$root/usr/share/applications/$app_id.desktop
check "desktop entry in usr/share/applications" test -f "$desktop"
check "metainfo in usr/share/metainfo" test -f "$root/usr/share/metainfo/$app_id.metainfo.xml"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
check "Exec=$exec_name is an executable in usr/bin" test -x "$root/usr/bin/$exec_name"
check "verbolt-analyze is an executable in usr/bin" test -x "$root/usr/bin/verbolt-analyze"
for size in 16 32 48 64 128 256; do
  check "Icon=$icon_name at ${size}x$size" \
    test -f "$root/usr/share/icons/hicolor/${size}x$size/apps/$icon_name.png"
done
check "Icon=$icon_name scalable" test -f "$root/usr/share/icons/hicolor/scalable/apps/$icon_name.svg"
section "appstreamcli validate-tree --no-net (unpacked package)"
check "installed tree validates (metainfo, launchable, icons)" \
  appstreamcli validate-tree --no-net "$root"

# --- Installed for real -------------------------------------------------------

section "apt-get install $(basename "$deb")"
export DEBIAN_FRONTEND=noninteractive
if $sudo apt-get install -y -qq "$deb"; then
  installed_here=1
  pass "apt-get installs the package with its dependencies"
else
  abort "apt-get installs the package with its dependencies"
fi
check "/usr/bin/verbolt belongs to the package" dpkg -S /usr/bin/verbolt
analyze_sample() { /usr/bin/verbolt-analyze samples/welcome.txt >/dev/null; }
check "installed verbolt-analyze runs on a sample" analyze_sample

section "installed verbolt under Xvfb in an empty directory ($work)"
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$script" --start-installed "$work" ||
  failures=$((failures + 1))

echo "== ${SECONDS}s"
if [ "$failures" -eq 0 ]; then
  echo "ci-package: PASS"
else
  echo "ci-package: FAIL ($failures)"
  exit 1
fi
