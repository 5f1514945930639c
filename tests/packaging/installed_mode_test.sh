#!/usr/bin/env bash
# The installed program, run from wherever it was installed:
#   installed_mode_test.sh --build BUILD_DIR   installs the build tree into a DESTDIR
#   installed_mode_test.sh --deb FILE.deb      unpacks the package (dpkg -x), as CI does
# checks the installed tree, then runs `tarvosk-cli --device sim apply` as an unprivileged user
# with its own XDG_CONFIG_HOME and checks that the user's files land there while the shipped
# assets stay untouched. Exit 0 on success, 1 on a failure, 77 when it cannot run here.
set -euo pipefail

mode=${1:-}; source=${2:-}
[[ -n "$mode" && -n "$source" ]] || { echo "usage: $0 --build DIR | --deb FILE" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
root=$work/root
case "$mode" in
  --build) DESTDIR=$root cmake --install "$source" --prefix /usr >"$work/install.log" ;;
  --deb)
    command -v dpkg >/dev/null || { echo "SKIP: dpkg missing"; exit 77; }
    dpkg -x "$source" "$root" ;;
  *) echo "usage: $0 --build DIR | --deb FILE" >&2; exit 2 ;;
esac

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# The tree.
share=$root/usr/share
expected=(
  usr/bin/tarvosk usr/bin/tarvosk-cli
  usr/share/tarvosk/constMacro.dat
  usr/share/tarvosk/skins/config/config.ini usr/share/tarvosk/skins/config/configReset.ini
  usr/share/tarvosk/skins/main_normal.jpg usr/share/tarvosk/skins/main_mask.jpg
  usr/share/tarvosk/skins/Macro_menu_down.jpg usr/share/tarvosk/skins/warning_mask.jpg
  usr/share/tarvosk/skins/INI_EN/skin_main_en.ini usr/share/tarvosk/skins/INI_CN/skin_main.ini
  usr/share/tarvosk/skins/INI_EN/LBWarning_en.ini usr/share/tarvosk/skins/INI_CN/LBWarning.ini
  usr/share/tarvosk/skins/INI_EN/macro/macroGrp.ini usr/share/tarvosk/skins/INI_EN/macroReset/macroGrp.ini
  usr/share/tarvosk/skins/INI_CN/macro/macroGrp.ini usr/share/tarvosk/skins/INI_CN/macroReset/macroGrp.ini
  usr/lib/udev/rules.d/70-tarvosk.rules
  usr/share/applications/org.tarvosk.Tarvosk.desktop
  usr/share/metainfo/org.tarvosk.Tarvosk.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/org.tarvosk.Tarvosk.svg
  usr/share/man/man1/tarvosk.1.gz usr/share/man/man1/tarvosk-cli.1.gz
  usr/share/doc/tarvosk/copyright usr/share/doc/tarvosk/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=(usr/share/icons/hicolor/${size}x${size}/apps/org.tarvosk.Tarvosk.png)
done
for f in "${expected[@]}"; do [[ -f "$root/$f" ]] || fail "not installed: /$f"; done
for f in usr/bin/tarvosk usr/bin/tarvosk-cli; do [[ -x "$root/$f" ]] || fail "not executable: /$f"; done
# Nothing of the build tree's own: no test programs, no skins folder beside the executables
# (which would switch the installed program into portable mode).
[[ ! -e "$root/usr/bin/skins" ]] || fail "a skins folder sits beside the installed executables"
extra=$(find "$root/usr/bin" -type f ! -name tarvosk ! -name tarvosk-cli)
[[ -z "$extra" ]] || fail "unexpected files in bin: $extra"
for size in 16 48 256; do
  geometry=$(identify -format '%wx%h' "$share/icons/hicolor/${size}x${size}/apps/org.tarvosk.Tarvosk.png" 2>/dev/null || true)
  [[ -z "$geometry" || "$geometry" == "${size}x${size}" ]] || fail "icon ${size}x${size} is $geometry"
done
gzip -t "$share/man/man1/tarvosk.1.gz" "$share/man/man1/tarvosk-cli.1.gz" || fail "manual pages are not gzip files"

# An unprivileged user runs the installed tool: as root, a throw-away system user; otherwise the
# caller, who is unprivileged already.
run_as=()
if [[ $(id -u) -eq 0 ]]; then
  user=tarvosk-ci
  id "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
  command -v setpriv >/dev/null || { echo "SKIP: setpriv missing"; exit 77; }
  run_as=(setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups)
  owner=$user
else
  owner=$(id -un)
fi
home=$work/home
mkdir -p "$home/config"
chown -R "$owner" "$home"
# The shipped tree belongs to someone else and nobody may write it, as under /usr.
[[ $(id -u) -eq 0 ]] && chmod -R go-w "$root"

checksums() { (cd "$root/usr/share/tarvosk" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
before=$(checksums)

run_cli() {
  env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/config" LANG=C.UTF-8 \
    "${run_as[@]}" "$root/usr/bin/tarvosk-cli" "$@"
}
if ! run_cli --device sim --dump-memory "$home/memory.bin" apply >"$work/apply.out" 2>"$work/apply.err"; then
  fail "tarvosk-cli --device sim apply failed: $(cat "$work/apply.err")"
fi
[[ ! -s "$work/apply.err" ]] || fail "apply printed messages: $(cat "$work/apply.err")"

user_skins=$home/config/tarvosk/skins
for f in config/config.ini INI_EN/macro/macroGrp.ini INI_EN/macro/Office.dat INI_CN/macro/macroGrp.ini; do
  [[ -f "$user_skins/$f" ]] || fail "not in \$XDG_CONFIG_HOME/tarvosk/skins: $f"
done
if [[ -f "$user_skins/config/config.ini" ]]; then
  [[ $(stat -c %U "$user_skins/config/config.ini") == "$owner" ]] || fail "config.ini does not belong to $owner"
fi
[[ $(stat -c %s "$home/memory.bin" 2>/dev/null) == 65536 ]] || fail "the simulated mouse's memory was not written"
[[ ! -e "$home/.config" ]] || fail "files were written under HOME/.config instead of XDG_CONFIG_HOME"
[[ "$(checksums)" == "$before" ]] || fail "the shipped assets changed"

# A second run finds the user's files and keeps them.
echo "; kept" >>"$user_skins/config/config.ini"
run_cli profile show >"$work/show.out" 2>&1 || fail "profile show failed: $(cat "$work/show.out")"
grep -q '^; kept' "$user_skins/config/config.ini" || fail "the user's config.ini was replaced"
grep -q '^profileName = ' "$work/show.out" || fail "profile show printed no profile names"

# The window's program starts from the installed prefix (its options need no display).
QT_QPA_PLATFORM=offscreen "$root/usr/bin/tarvosk" --version >"$work/version.out" 2>&1 || fail "tarvosk --version failed: $(cat "$work/version.out")"

if [[ $failures -ne 0 ]]; then exit 1; fi
echo "installed mode: ok ($mode)"
