#!/usr/bin/env bash
# End-to-end harness for the window program: a private X server (Xvfb) on a free display, a
# real tray host (trayer), the program under test, and helpers to click and type at window
# coordinates (xdotool) and to save screenshots (ImageMagick's import) into build/screenshots/.
#
#   tests/e2e/window_e2e.sh --self-test            checks the harness against a plain X client
#   tests/e2e/window_e2e.sh -- COMMAND [ARGS...]   starts COMMAND on the private display, waits
#                                                  for its window and saves a screenshot of it
#   source tests/e2e/window_e2e.sh                 gives a test script the e2e_* functions
#
# Exit codes: 0 passed, 1 failed, 77 skipped (a needed tool is not installed).
# Every process the harness starts is ended by its pid when the script exits.

e2e_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_SCREENSHOTS=${E2E_SCREENSHOTS:-${TARVOSK_BUILD_DIR:-$e2e_root/build}/screenshots}
E2E_TIMEOUT=${E2E_TIMEOUT:-10}          # seconds to wait for a window or the server
E2E_SCREEN=${E2E_SCREEN:-1280x800x24}
E2E_WORK=""
e2e_pids=()

e2e_log() { echo "e2e: $*" >&2; }
e2e_fail() {
  e2e_log "FAIL: $*"
  exit 1
}

# Every tool the harness needs, or exit 77 naming the missing ones.
e2e_require_tools() {
  local missing=() tool
  for tool in Xvfb trayer xdotool import identify xwininfo "$@"; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
  done
  if ((${#missing[@]})); then
    e2e_log "skipped: not installed: ${missing[*]} (scripts/setup-deps installs them)"
    exit 77
  fi
}

# Ends what the harness started, newest first, each by its own pid.
e2e_cleanup() {
  # Runs from the EXIT trap: a killed child's status must not end the cleanup half-way.
  set +e
  local i pid
  for ((i = ${#e2e_pids[@]} - 1; i >= 0; i--)); do
    pid=${e2e_pids[i]}
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  e2e_pids=()
  [[ -n "$E2E_WORK" && -d "$E2E_WORK" ]] && rm -rf "$E2E_WORK"
  E2E_WORK=""
}

e2e_init() {
  E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/tarvosk-e2e.XXXXXX")
  trap e2e_cleanup EXIT
  trap 'exit 130' INT TERM
  mkdir -p "$E2E_SCREENSHOTS"
}

# Starts Xvfb on a display nobody uses (the server picks it and reports it through -displayfd)
# and exports DISPLAY. Other X servers on the machine are never touched.
e2e_start_xvfb() {
  local fifo=$E2E_WORK/displayfd display=""
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "$E2E_SCREEN" -nolisten tcp -noreset 3>"$fifo" 2>"$E2E_WORK/xvfb.log" &
  e2e_pids+=($!)
  read -r -t "$E2E_TIMEOUT" display <"$fifo" || true
  [[ -n "$display" ]] || e2e_fail "Xvfb did not start: $(tail -n 3 "$E2E_WORK/xvfb.log")"
  export DISPLAY=":$display"
  # The program under test must not reach the user's session bus or desktop settings.
  unset WAYLAND_DISPLAY
  export QT_QPA_PLATFORM=xcb
  e2e_log "Xvfb on $DISPLAY"
}

# Starts the tray host and waits until its panel window exists.
e2e_start_tray() {
  trayer --edge top --align right --widthtype pixel --width 120 --heighttype pixel --height 24 \
    --SetDockType true --transparent false >"$E2E_WORK/trayer.log" 2>&1 &
  e2e_pids+=($!)
  e2e_wait_window_class trayer >/dev/null || e2e_fail "trayer did not show its panel"
}

# Starts a command on the private display in the background; its output goes to
# $E2E_WORK/app.log. Prints its pid.
e2e_start_app() {
  "$@" >"$E2E_WORK/app.log" 2>&1 &
  e2e_pids+=($!)
  echo $!
}

# Waits for a visible window whose title is exactly NAME; prints its id.
e2e_wait_window() {
  local name=$1 id
  id=$(timeout "$E2E_TIMEOUT" xdotool search --sync --onlyvisible --name "^${name}\$" 2>/dev/null | head -n 1)
  [[ -n "$id" ]] || return 1
  echo "$id"
}

# Waits for a window of class CLASS (visible or not: panels may be override-redirect); prints its id.
e2e_wait_window_class() {
  local class=$1 id
  id=$(timeout "$E2E_TIMEOUT" xdotool search --sync --class "$class" 2>/dev/null | head -n 1)
  [[ -n "$id" ]] || return 1
  echo "$id"
}

# Clicks button BUTTON (1 left, 3 right; default 1) at X,Y inside window WID.
e2e_click() {
  local wid=$1 x=$2 y=$3 button=${4:-1}
  xdotool mousemove --sync --window "$wid" "$x" "$y" click "$button"
}

# Presses and releases the pointer at X1,Y1, moving to X2,Y2 in between (a drag on a slider).
e2e_drag() {
  local wid=$1 x1=$2 y1=$3 x2=$4 y2=$5
  xdotool mousemove --sync --window "$wid" "$x1" "$y1" mousedown 1 \
    mousemove --sync --window "$wid" "$x2" "$y2" mouseup 1
}

# Sends keys (xdotool key names: "a", "Return", "ctrl+s") to window WID.
e2e_key() {
  local wid=$1
  shift
  # Without a window manager nothing has the focus, which xdotool remarks on; the keys still
  # reach the window.
  xdotool key --window "$wid" --clearmodifiers "$@" 2> >(grep -v 'XGetInputFocus' >&2)
}

# Types TEXT into window WID.
e2e_type() { xdotool type --window "$1" --delay 20 "$2"; }

# Saves window WID as $E2E_SCREENSHOTS/NAME.png and prints the file's path.
e2e_screenshot() {
  local wid=$1 name=$2 file
  file=$E2E_SCREENSHOTS/$name.png
  import -window "$wid" "$file" || e2e_fail "no screenshot of window $wid"
  echo "$file"
}

# Prints WIDTHxHEIGHT of an image file.
e2e_image_size() { identify -format '%wx%h' "$1"; }

# Prints WIDTHxHEIGHT of window WID.
e2e_window_size() {
  xwininfo -id "$1" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'
}

# --- The harness checks itself against xev, which prints every event it gets with its
# window coordinates. ---
e2e_self_test() {
  e2e_require_tools xev
  e2e_init
  e2e_start_xvfb
  e2e_start_tray
  local probe=tarvosk-e2e-probe wid log=$E2E_WORK/app.log shot size
  e2e_start_app xev -name "$probe" -geometry 320x200+40+60 >/dev/null
  wid=$(e2e_wait_window "$probe") || e2e_fail "the probe window did not appear"
  [[ $(e2e_window_size "$wid") == 320x200 ]] || e2e_fail "probe window size $(e2e_window_size "$wid")"

  e2e_click "$wid" 123 45
  e2e_click "$wid" 7 190 3
  e2e_key "$wid" a
  sleep 0.3  # xev prints as it receives
  grep -A3 '^ButtonPress' "$log" | grep -q '(123,45)' || e2e_fail "no left click at (123,45) in the window"
  grep -A3 '^ButtonPress' "$log" | grep -q 'button 3' || e2e_fail "no right click"
  grep -A3 '^ButtonPress' "$log" | grep -q '(7,190)' || e2e_fail "no right click at (7,190)"
  grep -A5 '^KeyPress' "$log" | grep -q 'keysym 0x61, a)' || e2e_fail "no key press of 'a'"

  shot=$(e2e_screenshot "$wid" e2e-harness-probe)
  size=$(e2e_image_size "$shot")
  [[ "$size" == 320x200 ]] || e2e_fail "screenshot is $size, expected 320x200"
  e2e_log "self-test passed (screenshot $shot)"
}

# --- Run a command and photograph its first window. ---
e2e_run_command() {
  e2e_require_tools
  e2e_init
  e2e_start_xvfb
  e2e_start_tray
  local title=${E2E_WINDOW_TITLE:-Tarvosk} wid
  e2e_start_app "$@" >/dev/null
  wid=$(e2e_wait_window "$title") || {
    cat "$E2E_WORK/app.log" >&2
    e2e_fail "no window titled '$title' from: $*"
  }
  e2e_screenshot "$wid" "${E2E_SHOT_NAME:-window}"
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
  set -euo pipefail
  case "${1:-}" in
    --self-test) e2e_self_test ;;
    --)
      shift
      (($#)) || e2e_fail "no command given"
      e2e_run_command "$@"
      ;;
    *)
      sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'
      exit 2
      ;;
  esac
fi
