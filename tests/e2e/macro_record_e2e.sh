#!/usr/bin/env bash
# End to end: keys typed on the X server (XTEST, as a keyboard would) reach a recording on the
# real program with the simulated mouse; the macro file then holds them in order with plausible
# pauses. The macro is on a button of profile 1; an apply puts it into the simulated mouse's
# memory exactly as the command-line tool's apply of the same files does.
#
#   tests/e2e/macro_record_e2e.sh BUILD_BIN_DIR
#
# Exit codes: 0 passed, 1 failed, 77 skipped (a needed tool is not installed).

set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=window_e2e.sh
source "$here/window_e2e.sh"

bin=${1:?give the folder of tarvosk and tarvosk-cli}
e2e_require_tools
e2e_init
# A program started by someone else on this machine must not take our start for a second one.
export XDG_RUNTIME_DIR=$E2E_WORK/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
e2e_start_xvfb
e2e_start_tray

skins=$E2E_WORK/skins
cp -r "$bin/skins" "$skins"
cp "$bin/constMacro.dat" "$E2E_WORK/" 2>/dev/null || true
# Button 2 of profile 1 plays macro 0 of group 0 ("Copy" of "Office" before the recording).
sed -i '/^\[Config0\]/,/^\[/ s/^K1=.*/K1=256/' "$skins/config/config.ini"

# The mouse's memory with the macro as shipped, to tell that the recording got there.
before_dump=$E2E_WORK/before-memory.bin
"$bin/tarvosk-cli" --skins "$skins" --device sim --dump-memory "$before_dump" apply >/dev/null

window_dump=$E2E_WORK/window-memory.bin
e2e_start_app "$bin/tarvosk" --skins "$skins" --simulate --dump-memory "$window_dump" >/dev/null
wid=$(e2e_wait_window Tarvosk) || {
  cat "$E2E_WORK/app.log" >&2
  e2e_fail "no window"
}

# The virtual mouse panel opens beside the window; nothing may cover the window's right side.
xdotool windowmove --sync "$wid" 0 0 2>/dev/null || xdotool windowmove "$wid" 0 0
if panel=$(e2e_wait_window "Virtual mouse"); then
  xdotool windowmove "$panel" 900 0
fi
sleep 0.3

# Item centres from the layout files (key = note,x,y,width,height,caption).
centre() {
  awk -F'[=,]' -v key="$2" '/^\[BUTTONPOS\]/ { on = 1; next } /^\[/ { on = 0 }
    on && $1 == key { print int($3 + $5 / 2), int($4 + $6 / 2); exit }' "$skins/INI_EN/$1"
}
click_item() {
  local xy
  xy=$(centre "$1" "$2")
  [[ -n "$xy" ]] || e2e_fail "no item $2 in $1"
  # shellcheck disable=SC2086
  e2e_click "$wid" $xy
  sleep 0.3
}

click_item skin_main_en.ini 8   # the macro page
click_item skin_mac_en.ini 5    # record
# Typed on the server, not sent to the window: the keyboard grab is what brings them in.
xdotool type --delay 150 "ab"
xdotool key --delay 100 shift+c
sleep 0.3
e2e_screenshot "$wid" e2e_macro_recording >/dev/null
click_item skin_mac_en.ini 5    # stop: the take goes to the file

shown=$("$bin/tarvosk-cli" --skins "$skins" macro show Office 0)
echo "$shown" >&2
events=$(echo "$shown" | grep -E '^\s*\[(↓|↑)\]' | sed -E 's/^\s+//' | tr '\n' ' ')
e2e_log "recorded: $events"
# xdotool lets Shift go before C; the order of those two releases is its own.
[[ "$events" == '[↓]A [↑]A [↓]B [↑]B [↓]LSHIFT [↓]C '* ]] || e2e_fail "the recorded events are not A, B, Shift+C in order"
[[ "$events" == *'[↑]C '* && "$events" == *'[↑]LSHIFT '* ]] || e2e_fail "releases of Shift+C missing"
# Pauses between the typed keys: xdotool waits between key events.
pauses=$(echo "$shown" | grep -oE '^\s+[0-9]+ms' | grep -oE '[0-9]+')
for p in $pauses; do
  ((p >= 1 && p <= 3000)) || e2e_fail "implausible pause $p ms"
done

click_item skin_main_en.ini 3   # apply
sleep 3
e2e_screenshot "$wid" e2e_macro_applied >/dev/null
click_item skin_main_en.ini 1   # quit: the simulated memory is written
for _ in $(seq 1 50); do
  [[ -s "$window_dump" ]] && break
  sleep 0.2
done
[[ -s "$window_dump" ]] || e2e_fail "the window wrote no memory dump"

cli_dump=$E2E_WORK/cli-memory.bin
"$bin/tarvosk-cli" --skins "$skins" --device sim --dump-memory "$cli_dump" apply >/dev/null
cmp -s "$window_dump" "$cli_dump" || e2e_fail "the mouse memory after the window's apply differs from the command line's"
cmp -s "$window_dump" "$before_dump" && e2e_fail "the recorded macro did not reach the mouse's memory"
e2e_log "macro recording end to end passed"
