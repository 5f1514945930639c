#!/usr/bin/env bash
# The window program end to end, under its own Xvfb with a real tray host, against the simulated
# mouse: a user's session driven with xdotool at the coordinates the layout files give.
#
#   tests/e2e/window_flow.sh BUILD_DIR
#
# The session: the advanced page, the top DPI step of level 1, Apply (config.ini follows), every
# page photographed in both languages, hidden to the tray (the window is unmapped), a second start
# (it ends at once with status 0 and the first window comes back), quit from the header. Then the
# simulated mouse's memory, dumped when the program left, must hold the settings image the CLI
# computes from the stored settings, and config.ini the new DPI step.
#
# Screenshots: BUILD_DIR/screenshots/window_<page>_<en|pt>.png (E2E_SCREENSHOTS overrides).
# Exit codes: 0 passed, 1 failed, 77 skipped (a needed tool is not installed).

set -euo pipefail

build_dir=$(cd "${1:?usage: window_flow.sh BUILD_DIR}" && pwd)
export TARVOSK_BUILD_DIR=$build_dir
# shellcheck source=window_e2e.sh
source "$(dirname "${BASH_SOURCE[0]}")/window_e2e.sh"

app=$build_dir/bin/tarvosk
cli=$build_dir/bin/tarvosk-cli
title=Tarvosk
pages=(main advanced macro lighting)

# --- Layout coordinates ---

# Prints "X Y", the centre of item KEY of the [BUTTONPOS] table in layout FILE.
item_centre() {
  local file=$1 key=$2 centre
  centre=$(awk -F'[=,]' -v key="$key" '
    /^\[/ { inTable = ($0 ~ /^\[BUTTONPOS\]/); next }
    inTable && $1 == key { printf "%d %d\n", $3 + int($5 / 2), $4 + int($6 / 2); exit }
  ' "$file")
  [[ -n "$centre" ]] || e2e_fail "no item $key in $file"
  echo "$centre"
}

# Clicks item KEY of layout FILE in the main window.
click_item() {
  local file=$1 key=$2 centre
  centre=$(item_centre "$file" "$key")
  e2e_click "$wid" ${centre% *} ${centre#* }
}

click_strip() { click_item "$main_layout" "$1"; }

# --- Waiting ---

# Waits up to E2E_TIMEOUT seconds for COMMAND to succeed.
wait_until() {
  local deadline=$((SECONDS + E2E_TIMEOUT))
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# The main window among the visible windows titled "Tarvosk" (the virtual mouse panel has its own
# title; the tray icon's window has no title).
find_main_window() {
  local id
  for id in $(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null); do
    if [[ $(e2e_window_size "$id") == 860x600 ]]; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

window_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
window_unmapped() { ! window_viewable "$1" && ! xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | grep -qx "$1"; }
process_gone() { ! kill -0 "$1" 2>/dev/null; }
config_value() { awk -F= -v section="[$2]" -v key="$3" '$0 == section { s = 1; next } /^\[/ { s = 0 } s && $1 == key { print $2; exit }' "$1"; }
config_has() { [[ $(config_value "$config" "$1" "$2") == "$3" ]]; }

# Pixels of a screenshot file, as a signature (PNG encoding is deterministic).
signature() { md5sum <"$1" | cut -d' ' -f1; }

# Saves the main window as window_<page>_<lang>.png and remembers its signature. A page or
# language change must change the picture: the shot is taken again until it has (the repaint
# may lag behind the click on a busy machine), and a click that was lost fails here. The very
# first shot waits until two in a row agree (the window is being painted for the first time).
declare -A signatures
last_signature=""
shoot() {
  local name=window_$1_$2 file sig previous="" deadline=$((SECONDS + E2E_TIMEOUT))
  # The pointer leaves the window, so no hover look is in the picture.
  xdotool mousemove 1279 799
  sleep "${E2E_SETTLE:-0.2}"
  while :; do
    file=$(e2e_screenshot "$wid" "$name")
    sig=$(signature "$file")
    if [[ -z "$last_signature" ]]; then
      [[ "$sig" == "$previous" ]] && break
      previous=$sig
    else
      [[ "$sig" != "$last_signature" ]] && break
    fi
    ((SECONDS < deadline)) || e2e_fail "$name: the window did not change after the click"
    sleep 0.2
  done
  [[ $(e2e_image_size "$file") == 860x600 ]] || e2e_fail "$name.png is $(e2e_image_size "$file")"
  signatures[$1_$2]=$sig
  last_signature=$sig
}

# The 128 bytes of the settings image the CLI computes, one hex pair (or --) a word.
cli_image() {
  "$cli" --skins "$scratch" --device sim image | sed 's/^0x[0-9a-f]*://' | tr -s ' \n' '  ' | sed 's/^ //; s/ $//'
}

# --- The session ---

e2e_require_tools od awk
[[ -x "$app" && -x "$cli" ]] || e2e_fail "build tarvosk and tarvosk-cli first ($build_dir/bin)"
e2e_init
E2E_TIMEOUT=${E2E_FLOW_TIMEOUT:-15}

scratch=$E2E_WORK/skins
cp -r "$build_dir/bin/skins" "$scratch"
config=$scratch/config/config.ini
main_layout=$scratch/INI_EN/skin_main_en.ini
advanced_layout=$scratch/INI_EN/skin_advance_en.ini
memory=$E2E_WORK/memory.bin
[[ -f "$main_layout" && -f "$advanced_layout" ]] || e2e_fail "layout files missing in $build_dir/bin/skins"
# The shipped settings: English, first profile, DPI level 1 on another step than the one clicked.
config_has Init VER_SEL 1 || e2e_fail "the shipped config.ini is not in English"
config_has Init CurConfig 0 || e2e_fail "the shipped config.ini does not select the first profile"
config_has ShareData DPI_SET0 11 && e2e_fail "the shipped DPI_SET0 is already 11"
image_before=$(cli_image)

# The single-instance socket lives in the runtime folder: a private one keeps the user's own
# instance (and other test runs) out of it. Settings and caches stay in the scratch folder too.
export XDG_RUNTIME_DIR=$E2E_WORK/runtime XDG_CONFIG_HOME=$E2E_WORK/config XDG_CACHE_HOME=$E2E_WORK/cache
mkdir -m 700 "$XDG_RUNTIME_DIR"
e2e_start_xvfb
e2e_start_tray

options=(--skins "$scratch" --simulate --dump-memory "$memory")
# Started in this shell (not in a command substitution), so the harness ends it and `wait` sees it.
e2e_start_app "$app" "${options[@]}" >/dev/null
app_pid=${e2e_pids[-1]}
wait_until find_main_window >/dev/null || {
  cat "$E2E_WORK/app.log" >&2
  e2e_fail "no 860x600 window titled '$title'"
}
wid=$(find_main_window)
e2e_log "main window $wid (pid $app_pid)"
shoot main en

# The advanced page, and the top step (6.0) of DPI level 1.
click_strip 7
shoot advanced en
click_item "$advanced_layout" 81
e2e_log "apply"
click_strip 3
wait_until config_has ShareData DPI_SET0 11 || e2e_fail "config.ini did not take DPI_SET0=11 after Apply"
shoot advanced en
click_strip 8
shoot macro en
click_strip 9
shoot lighting en

# The second language, every page from the lighting page back to the main page.
click_strip 4
wait_until config_has Init VER_SEL 0 || e2e_fail "the second language was not stored (VER_SEL)"
shoot lighting pt
click_strip 8
shoot macro pt
click_strip 7
shoot advanced pt
click_strip 6
shoot main pt
click_strip 5
wait_until config_has Init VER_SEL 1 || e2e_fail "English was not stored again (VER_SEL)"

# Every page looked different, and so did each language.
for page in "${pages[@]}"; do
  for other in "${pages[@]}"; do
    [[ $page == "$other" || ${signatures[${page}_en]} != "${signatures[${other}_en]}" ]] ||
      e2e_fail "the $page and $other pages look the same: a page tab click was lost"
  done
  [[ ${signatures[${page}_en]} != "${signatures[${page}_pt]}" ]] ||
    e2e_fail "the $page page looks the same in both languages"
done

# Hidden to the tray: the window is unmapped and the program goes on.
click_strip 0
wait_until window_unmapped "$wid" || e2e_fail "the window is still visible after hiding to the tray"
kill -0 "$app_pid" 2>/dev/null || e2e_fail "the program ended when it hid to the tray"

# A second start brings the first window back and ends at once, silently and successfully.
second_start=$SECONDS
set +e
timeout 10 "$app" "${options[@]}" >"$E2E_WORK/second.log" 2>&1
second_status=$?
set -e
((second_status == 0)) || e2e_fail "the second start ended with status $second_status: $(cat "$E2E_WORK/second.log")"
((SECONDS - second_start <= 5)) || e2e_fail "the second start took $((SECONDS - second_start)) s to end"
wait_until window_viewable "$wid" || e2e_fail "the first window did not come back after a second start"
find_main_window | grep -qx "$wid" || e2e_fail "the window that came back is not the first one"

# Quit from the header: the program tells the mouse, dumps its memory and ends.
sleep 0.2
click_strip 1
wait_until process_gone "$app_pid" || e2e_fail "the program did not end after quit"
set +e
wait "$app_pid"
app_status=$?
set -e
((app_status == 0)) || e2e_fail "the program ended with status $app_status: $(tail -n 5 "$E2E_WORK/app.log")"

# The mouse holds what the clicks set: the image the stored settings give, byte for byte where
# the upload writes, and that image is not the one the session started from.
[[ -f "$memory" ]] || e2e_fail "no memory dump at $memory"
[[ $(stat -c %s "$memory") == 65536 ]] || e2e_fail "the memory dump has $(stat -c %s "$memory") bytes, not 65536"
config_has ShareData DPI_SET0 11 || e2e_fail "config.ini lost DPI_SET0=11"
image_after=$(cli_image)
[[ "$image_after" != "$image_before" ]] || e2e_fail "the settings image did not change with the DPI step"
read -r -a expected <<<"$image_after"
read -r -a dumped <<<"$(od -An -tx1 -v -N128 "$memory" | tr -s ' \n' '  ')"
((${#expected[@]} == 128 && ${#dumped[@]} == 128)) || e2e_fail "image of ${#expected[@]} bytes, dump of ${#dumped[@]}"
mismatches=()
compared=0
for ((a = 0; a < 128; a++)); do
  [[ ${expected[a]} == -- ]] && continue
  compared=$((compared + 1))
  [[ ${expected[a]} == "${dumped[a]}" ]] || mismatches+=("$(printf '0x%02x' "$a"): ${dumped[a]} (expected ${expected[a]})")
done
((compared > 0)) || e2e_fail "the CLI's settings image has no written byte"
((${#mismatches[@]} == 0)) || e2e_fail "the mouse memory differs from the settings image at ${mismatches[*]}"
e2e_log "the mouse memory holds all $compared bytes of the settings image"

e2e_log "passed in ${SECONDS} s; screenshots in $E2E_SCREENSHOTS"
