#!/usr/bin/env bash
# validate.sh KIND FILE...: judges a shipped file with the tool desktops and Debian use.
#   desktop FILE        desktop-file-validate, no output allowed (hints count as faults)
#   metainfo FILE       appstreamcli validate --no-net --explain
#   man FILE...         groff with every warning on, no output allowed; and every command and
#                       option the programs know is named in the pages
#   icon SVG PNG        the SVG, rendered at the PNG's size, looks like the PNG the window's
#                       drawing made (root-mean-square difference under 4%)
# Exit 0 clean, 1 faults (printed), 77 the tool is missing.
set -euo pipefail
kind=$1; shift
need() { command -v "$1" >/dev/null || { echo "SKIP: $1 is not installed"; exit 77; }; }

case "$kind" in
  desktop)
    need desktop-file-validate
    out=$(desktop-file-validate "$1" 2>&1) || true
    [[ -z "$out" ]] || { echo "$out"; exit 1; } ;;
  metainfo)
    need appstreamcli
    appstreamcli validate --no-net --explain "$1" ;;
  man)
    need groff
    for page in "$@"; do
      out=$(LC_ALL=C.UTF-8 groff -man -ww -z -K utf8 "$page" 2>&1) || true
      [[ -z "$out" ]] || { echo "$page: $out"; exit 1; }
    done
    # The command-line tool's commands and options, and the window's options.
    cli=$(dirname "$1")/tarvosk-cli.1
    window=$(dirname "$1")/tarvosk.1
    missing=0
    for word in "profile show" "profile reset" "profile export" "profile import" "macro groups" "macro show" \
                "macro check" devices status leave apply image 'skins' 'device' 'sim\\-macro\\-memory' \
                'sim\\-status\\-nibble' 'sim\\-profile' 'trace' 'dump\\-memory' 'language' 'help' "EXIT STATUS" FILES; do
      grep -q -- "$word" "$cli" || { echo "tarvosk-cli.1 does not mention: $word"; missing=1; }
    done
    for word in HIDE skins simulate 'sim\\-macro\\-memory' 'sim\\-status\\-nibble' 'sim\\-profile' 'dump\\-memory' \
                help version "EXIT STATUS" FILES; do
      grep -q -- "$word" "$window" || { echo "tarvosk.1 does not mention: $word"; missing=1; }
    done
    exit $missing ;;
  icon)
    need rsvg-convert; need compare; need identify
    size=$(identify -format '%w' "$2")
    tmp=$(mktemp --suffix=.png); trap 'rm -f "$tmp"' EXIT
    rsvg-convert -w "$size" -h "$size" -o "$tmp" "$1"
    # compare prints "absolute (normalised)" on standard error and exits 1 when the images differ.
    metric=$(compare -metric RMSE "$tmp" "$2" null: 2>&1 >/dev/null || true)
    normalised=$(sed -n 's/.*(\(.*\)).*/\1/p' <<<"$metric")
    [[ -n "$normalised" ]] || { echo "compare failed: $metric"; exit 1; }
    awk -v d="$normalised" 'BEGIN { exit !(d < 0.04) }' || { echo "the SVG differs from the window's icon: RMSE $normalised"; exit 1; } ;;
  *) echo "usage: $0 desktop|metainfo|man|icon FILE..." >&2; exit 2 ;;
esac
