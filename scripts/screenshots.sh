#!/usr/bin/env bash
# Takes the README's screenshots of the running program.
#
# Starts Kesto on a virtual X server of its own (Xvfb, no window manager, so the windows have
# no title bars), walks a Celtic Cross reading, a manual pick, the dictionary and a web search
# with xdotool, and saves one PNG per screen into docs/ (screenshot-*.png), each cropped to
# its window.
#
# Usage: scripts/screenshots.sh [path/to/kesto]
#   The program defaults to build/kesto (or $KESTO_BIN); cards/, pic/ and tarot.dll must lie
#   beside it (a full `cmake --build build` puts them there).
#   $KESTO_SCREENSHOT_DIR  where the PNGs go (default: docs/ of this repository)
#   $KESTO_SCREENSHOT_WAIT seconds to wait for any one step before giving up (default 60)
#
# The run touches nothing of the user's: Kesto runs from a scratch copy of its program folder
# with a scratch HOME and XDG folders (settings, single-instance lock, dictionary copy). The
# dictionary's own entries point at pages on the web, so the copy's dictionary gets one extra
# row, "Tower (sample page)", whose address is a page served on the loopback interface by
# scripts/screenshot-pages.py. The web search submits its form to the search engine's
# address as built in; the embedded browser is told (through Qt WebEngine's --webEngineArgs)
# to resolve every host name to the same local server, over HTTPS with a throw-away
# self-signed certificate made by openssl, so the results page is a local sample too and the
# walk never leaves the machine. Without openssl the web-search screenshot shows the
# browser's "can't be reached" page instead.
#
# Requires Xvfb, xdotool, ImageMagick (import, convert) and python3; openssl is optional.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
kesto=${1:-${KESTO_BIN:-$root/build/kesto}}
out=${KESTO_SCREENSHOT_DIR:-$root/docs}
limit=${KESTO_SCREENSHOT_WAIT:-60}

die() {
  echo "screenshots: $*" >&2
  exit 1
}

for tool in Xvfb xdotool import convert python3; do
  command -v "$tool" >/dev/null 2>&1 || die "$tool is missing (scripts/deps.sh installs it)"
done
[ -x "$kesto" ] || die "no program at $kesto (build it: cmake --preset default && cmake --build build -j2)"
kesto=$(readlink -f "$kesto")
program_dir=$(dirname "$kesto")
for part in cards pic tarot.dll; do
  [ -e "$program_dir/$part" ] || die "$program_dir/$part is missing (cmake --build build builds all content)"
done
mkdir -p "$out"
out=$(cd "$out" && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/kesto-shots.XXXXXX")
xvfb_pid=""
server_pid=""
kesto_pid=""
our_display=""
failed_shot="${TMPDIR:-/tmp}/kesto-screenshots-failed.png"

# Whether process $1 still runs (a child that has ended but not been waited for does not).
alive() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
  [[ $state != Z* ]]
}

# Ends process $1 (with its process group when $2 is given: Kesto runs in a group of its own,
# with the embedded browser's helper processes), forcibly after five seconds.
stop() {
  local pid=$1 target=$1
  [ -n "$pid" ] || return 0
  [ -z "${2:-}" ] || target=-$pid
  kill -TERM -- "$target" 2>/dev/null || true
  for _ in $(seq 1 50); do
    alive "$pid" || break
    sleep 0.1
  done
  if alive "$pid"; then kill -KILL -- "$target" 2>/dev/null || true; fi
  wait "$pid" 2>/dev/null || true
}

cleanup() {
  local status=$?
  trap - EXIT INT TERM
  if [ "$status" -ne 0 ] && [ "$status" -lt 128 ] && [ -n "$our_display" ]; then
    if import -silent -window root "$failed_shot" 2>/dev/null; then
      echo "screenshots: the screen at the failure: $failed_shot" >&2
    fi
    if [ -s "$work/kesto.log" ]; then
      echo "screenshots: last lines of the program's output:" >&2
      tail -n 15 "$work/kesto.log" >&2 || true
    fi
  fi
  stop "$kesto_pid" group
  stop "$server_pid"
  stop "$xvfb_pid"
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Polls "$@" every 0.2 s until it succeeds; gives up after $limit seconds.
wait_for() {
  local what=$1 deadline=$((SECONDS + limit))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || die "timed out waiting for $what"
    sleep 0.2
  done
}

# As wait_for, but only warns when time runs out: a machine the program finds offline shows
# its offline notice instead of the page, and that is what gets taken then.
wait_or_warn() {
  local what=$1 deadline=$((SECONDS + limit))
  shift
  until "$@"; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      echo "screenshots: $what never came (is the program offline?); taking the screen as it is" >&2
      return 0
    fi
    sleep 0.2
  done
}

# --- virtual screen -------------------------------------------------------------------------
# -displayfd picks a free display number and reports it once the server is ready.
Xvfb -displayfd 3 -screen 0 1920x1300x24 -dpi 96 -nolisten tcp 3>"$work/display" \
  >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display_ready() { [ -s "$work/display" ] || { kill -0 "$xvfb_pid" 2>/dev/null || die "Xvfb did not start: $(cat "$work/xvfb.log")"; false; }; }
wait_for "the virtual screen" display_ready
our_display=":$(tr -d '[:space:]' <"$work/display")"
export DISPLAY=$our_display

# --- sample pages ---------------------------------------------------------------------------
server_args=("$work/ports")
if command -v openssl >/dev/null 2>&1 \
  && openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=kesto-screenshots \
    -keyout "$work/key.pem" -out "$work/cert.pem" >/dev/null 2>&1; then
  server_args+=("$work/cert.pem" "$work/key.pem")
else
  echo "screenshots: openssl is missing; the web search will show the browser's error page" >&2
fi
python3 "$here/screenshot-pages.py" "${server_args[@]}" >"$work/requests.log" 2>"$work/server.log" &
server_pid=$!
ports_ready() { [ -s "$work/ports" ] || { kill -0 "$server_pid" 2>/dev/null || die "page server failed: $(cat "$work/server.log")"; false; }; }
wait_for "the page server" ports_ready
read -r http_port https_port <"$work/ports" || true
page_url="http://127.0.0.1:$http_port/tower.html"

# --- scratch program folder and user folders ------------------------------------------------
app="$work/program"
mkdir -p "$app" "$work/home" "$work/config" "$work/data" "$work/cache" "$work/state" "$work/bin"
mkdir -m 700 "$work/runtime"
# The program finds its folder from its own executable, so the executable is copied, not linked.
cp "$kesto" "$app/kesto"
cp -r "$program_dir/cards" "$program_dir/pic" "$program_dir/tarot.dll" "$app/"
chmod u+w "$app/tarot.dll"
python3 - "$app/tarot.dll" "$page_url" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
db.execute('INSERT INTO tarot ("Key", "Link", "Names") VALUES (?, ?, ?)',
           ("Tower (sample page)", sys.argv[2], "tarot"))
db.commit()
db.close()
PY
# Nothing in the walk opens the desktop's browser; should anything try, it lands here.
cat >"$work/bin/xdg-open" <<'SH'
#!/bin/sh
echo "$*" >>"${0%/bin/xdg-open}/opened.log"
SH
chmod +x "$work/bin/xdg-open"

webengine_args=()
if [ -n "${https_port:-}" ]; then
  # Every host but the loopback address resolves to the local HTTPS server: the search
  # form's target answers with sample results, and the walk never leaves the machine.
  webengine_args=(--webEngineArgs "--host-resolver-rules=MAP * 127.0.0.1:$https_port, EXCLUDE 127.0.0.1"
    --ignore-certificate-errors)
fi

(
  unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS \
    QT_FONT_DPI QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QTWEBENGINE_CHROMIUM_FLAGS
  export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    XDG_CACHE_HOME="$work/cache" XDG_STATE_HOME="$work/state" XDG_RUNTIME_DIR="$work/runtime" \
    PATH="$work/bin:$PATH" QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=1 LANG=C.UTF-8 LC_ALL=C.UTF-8
  [ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
  # Its own process group, so that the browser's helper processes end with it.
  exec setsid "$app/kesto" "${webengine_args[@]}"
) >"$work/kesto.log" 2>&1 &
kesto_pid=$!

# --- window helpers -------------------------------------------------------------------------
TITLE='^Kesto v1\.55'

# The one visible top-level Kesto window, when it is exactly one and $1 pixels wide.
only_window() {
  local ids id width
  ids=$(xdotool search --onlyvisible --name "$TITLE" 2>/dev/null || true)
  [ -n "$ids" ] && [ "$(wc -w <<<"$ids")" -eq 1 ] || return 1
  id=$ids
  # The window may be gone again by now (a screen closing as the next one opens).
  width=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | sed -n 's/^WIDTH=//p')
  [ "$width" = "$1" ] || return 1
  window=$id
}

# Waits for screen $2 (a window $1 pixels wide, the only one shown) and sets $window.
wait_screen() {
  kill -0 "$kesto_pid" 2>/dev/null || die "the program has ended"
  wait_for "$2" only_window "$1"
}

geometry() {
  # shellcheck disable=SC2034 # SCREEN and WINDOW come with the others and are not used
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  win_x=$X win_y=$Y win_w=$WIDTH win_h=$HEIGHT
}

grab() {
  geometry "$1"
  import -silent -window root "$work/root.png"
  convert "$work/root.png" -crop "${win_w}x${win_h}+${win_x}+${win_y}" +repage -strip "$2"
}

# Waits until the window's picture stays the same for half a second.
settled() {
  grab "$1" "$work/b.png"
  cmp -s "$work/a.png" "$work/b.png" && return 0
  mv "$work/b.png" "$work/a.png"
  sleep 0.5
  return 1
}
wait_settled() {
  rm -f "$work/a.png"
  wait_for "the screen to settle" settled "$1"
}

shoot() {
  wait_settled "$1"
  cp "$work/a.png" "$out/screenshot-$2.png"
  echo "screenshots: $out/screenshot-$2.png (${win_w}x${win_h})"
}

keys() {
  local id=$1
  shift
  xdotool windowfocus --sync "$id"
  xdotool key --delay 80 "$@"
}

type_text() {
  xdotool windowfocus --sync "$1"
  xdotool type --delay 30 "$2"
}

# Clicks the point LEFT, TOP (twips) of the client area of a screen whose client area is
# CLIENT_HEIGHT twips high; the menu bar is what the window has above it. 15 twips per pixel.
click_twips() {
  local id=$1 client_height=$2 left=$3 top=$4
  geometry "$id"
  local menu=$((win_h - (client_height + 7) / 15))
  xdotool mousemove --sync $((win_x + (left + 7) / 15)) $((win_y + menu + (top + 7) / 15)) click 1
}

requested() { grep -q " $1\$" "$work/requests.log"; }
searched() { grep -q '[?&]q=' "$work/requests.log"; }
wait_request() {
  wait_or_warn "the page $1" requested "$1"
}

# Screen widths in pixels (fixed client areas, twips / 15) and heights of the client areas in
# twips, from the screens' designs.
W_MODE=360 W_QUERENT=520 W_SPREAD=672 W_MANUAL=504 W_MAIN=1024
H_SPREAD=5940 H_MANUAL=6360

# --- 1. the mode screen ---------------------------------------------------------------------
wait_screen $W_MODE "the mode screen"
keys "$window" space # Tarot Reading (the first option has the focus)
shoot "$window" mode
keys "$window" Tab space # Continue....

# --- 2. querent details ---------------------------------------------------------------------
wait_screen $W_QUERENT "the querent details screen"
type_text "$window" "Mira Holt"
keys "$window" Tab
type_text "$window" "March"
keys "$window" Tab
type_text "$window" "7"
keys "$window" Tab
type_text "$window" "1975"
keys "$window" Tab
type_text "$window" "Finland"
keys "$window" Tab
type_text "$window" "Where is my work heading this year?"
shoot "$window" querent
keys "$window" alt+n # Next

# --- 3. spread and options (Celtic Cross is selected on opening) ----------------------------
wait_screen $W_SPREAD "the spread screen"
shoot "$window" spread
click_twips "$window" $H_SPREAD 3780 5130 # AutoCast

# --- 4. the card table and the report in the main window ------------------------------------
wait_screen $W_MAIN "the main window with the card table"
# Large enough for the whole cross and its staff: the card table is taller than the frame's
# design size.
xdotool windowmove --sync "$window" 0 0
xdotool windowsize --sync "$window" 1060 1160
shoot "$window" reading
keys "$window" alt+f s # File > Start Again

# --- 5. a manual pick of the Seven Card Chakra Layout ---------------------------------------
wait_screen $W_MODE "the mode screen after Start Again"
keys "$window" space Tab space
wait_screen $W_QUERENT "the querent details screen"
type_text "$window" "Mira Holt"
keys "$window" alt+n
wait_screen $W_SPREAD "the spread screen"
click_twips "$window" $H_SPREAD 8040 1335 # the list's first row, then six down
keys "$window" Down Down Down Down Down Down
click_twips "$window" $H_SPREAD 1260 5130 # Manual
wait_screen $W_MANUAL "the manual pick screen"
# Face-down box i: column i mod 13, row i div 13, inside the frame at 2520, 540.
for box in 4 18 33; do
  click_twips "$window" $H_MANUAL $((2520 + 90 + 375 * (box % 13) + 175)) $((540 + 180 + 630 * (box / 13) + 300))
done
shoot "$window" manual
click_twips "$window" $H_MANUAL $((6510 + 487)) $((5940 + 187)) # Back
wait_screen $W_QUERENT "the querent details screen"
keys "$window" alt+b # Back

# --- 6. the dictionary ----------------------------------------------------------------------
wait_screen $W_MODE "the mode screen"
keys "$window" Down space Tab space # Tarot Dictionary, Continue....
wait_screen $W_MAIN "the main window with the dictionary"
main=$window
keys "$main" alt+w # the search box
type_text "$main" "tower"
keys "$main" Return # Exact Search: the matching keywords
# Search, then the list; the sample row comes last; then Display.
keys "$main" Tab Tab End Tab space
wait_request /tower.html
shoot "$main" dictionary

# --- 7. the web search ----------------------------------------------------------------------
keys "$main" alt+w ctrl+a
type_text "$main" "tower"
keys "$main" shift+Tab Down space alt+s # Google Search, Search
if [ -n "${https_port:-}" ]; then
  wait_or_warn "the search results" searched
fi
shoot "$main" websearch

if [ -s "$work/opened.log" ]; then
  echo "screenshots: the program tried to open in the desktop's browser: $(cat "$work/opened.log")" >&2
fi
echo "screenshots: done"
