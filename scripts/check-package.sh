#!/usr/bin/env bash
# Builds the Debian package, installs it into this machine, checks it as a user would
# without a display (version, manual pages, completion, the file type, the menu entry's
# files, lintian), installs it a second time over itself, removes it and makes sure
# that no file of it is left. Needs root (or sudo without a password). Leaves the
# machine as it found it: a Vistrel that is already installed is not touched (the check
# is skipped), and packages apt had to add for it are removed again.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if sudo -n true 2>/dev/null; then SUDO="sudo"; else
    echo "check-package: SKIPPED (installing a package needs root or sudo)"; exit 0
  fi
fi
# dpkg's state of the package: empty or "not-installed" when it is not on the machine.
vistrel_state() { dpkg-query -W -f='${db:Status-Status}' vistrel 2>/dev/null || true; }
installed_packages() { dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 == "ii" { print $2 }' | sort; }
if [ -n "$(vistrel_state)" ] && [ "$(vistrel_state)" != "not-installed" ]; then
  echo "check-package: SKIPPED (a Vistrel package is installed here; it is left alone)"; exit 0
fi

work=$(mktemp -d)
passes=0
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok:   $*"; passes=$((passes + 1)); }
installed=0
cleanup() {
  if [ "$installed" = 1 ]; then $SUDO apt-get remove -y -qq vistrel >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

deb=$(scripts/package.sh "$work/out" 2>"$work/package.log" | tail -1) || { cat "$work/package.log"; exit 1; }
echo "package: $(basename "$deb") ($((SECONDS - started)) s to build)"

# --- The package as the distribution's tools see it -----------------------------------
lintian_output=$(lintian --fail-on error "$deb" 2>&1) \
  && pass "lintian: no errors" || fail "lintian: errors"
lintian_output=$(grep -v "running with root privileges" <<<"$lintian_output" || true)
[ -n "$lintian_output" ] && sed 's/^/      /' <<<"$lintian_output"
depends=$(dpkg-deb --field "$deb" Depends)
grep -q "libqt6widgets6 (>=" <<<"$depends" && grep -q "qt6-image-formats-plugins" <<<"$depends" \
  && grep -q "qt6-translations-l10n" <<<"$depends" \
  && pass "Depends: linked libraries, Qt's plugins and its German texts" || fail "Depends lacks a piece: $depends"

# --- Installed into the machine ---------------------------------------------------------
installed_packages >"$work/packages-before"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$work/apt-install.log" 2>&1 \
  || { cat "$work/apt-install.log"; fail "apt-get install"; exit 1; }
installed=1
dpkg -L vistrel | sort >"$work/listed"
while read -r path; do [ -d "$path" ] || echo "$path"; done <"$work/listed" >"$work/files"
pass "installed: $(wc -l <"$work/files") files"

[ "$(vistrel-cli --version)" = "Vistrel, Version 1.14" ] && pass "vistrel-cli --version" \
  || fail "vistrel-cli --version says: $(vistrel-cli --version 2>&1)"
for page in vistrel vistrel-cli vistrel-projector; do
  rendered=$(MANWIDTH=80 MANPAGER=cat man "$page" 2>"$work/man-errors" || true)
  if grep -q "^SYNOPSIS" <<<"$rendered" && [ ! -s "$work/man-errors" ]; then pass "man $page"; else
    fail "man $page: $(head -3 "$work/man-errors")"; fi
done
completions=$(bash --norc -i -c '
  source /usr/share/bash-completion/bash_completion
  _completion_loader vistrel-cli
  function=$(complete -p vistrel-cli | sed -n "s/.*-F \([^ ]*\).*/\1/p")
  COMP_WORDS=(vistrel-cli ""); COMP_CWORD=1; COMP_LINE="vistrel-cli "; COMP_POINT=${#COMP_LINE}
  "$function" vistrel-cli "" vistrel-cli
  printf "%s\n" "${COMPREPLY[@]}"
  COMP_WORDS=(vistrel-cli projector up); COMP_CWORD=2; COMP_LINE="vistrel-cli projector up"; COMP_POINT=${#COMP_LINE}
  "$function" vistrel-cli up projector
  printf "%s\n" "${COMPREPLY[@]}"' 2>/dev/null)
if grep -qx show <<<"$completions" && grep -qx projector <<<"$completions" && grep -qx upload <<<"$completions"; then
  pass "vistrel-cli <TAB> completes the subcommands"; else fail "completion offers: $(echo $completions)"; fi
default=$(xdg-mime query default application/x-vistrel-show 2>&1 || true)
[ "$default" = "vistrel.desktop" ] && pass "xdg-mime: *.dpd opens in vistrel.desktop" || fail "xdg-mime query default: '$default'"
grep -q "application/x-vistrel-show:\*\.dpd" /usr/share/mime/globs2 && pass "the MIME database knows *.dpd" \
  || fail "*.dpd is not in /usr/share/mime/globs2"
hints=$(desktop-file-validate /usr/share/applications/vistrel.desktop 2>&1) && [ -z "$hints" ] \
  && pass "desktop-file-validate: clean" || fail "desktop-file-validate: $hints"
metainfo=$(grep '^/usr/share/metainfo/' "$work/files" || true)
appstreamcli validate --no-net "$metainfo" >"$work/appstream" 2>&1 && pass "appstreamcli validate --no-net" \
  || { cat "$work/appstream"; fail "appstreamcli validate"; }
for size in 16 22 24 32 48 64 128 256; do
  file "/usr/share/icons/hicolor/${size}x${size}/apps/vistrel.png" | grep -q "PNG image data, $size x $size," \
    || fail "icon ${size}x${size}"
done
pass "icons 16 .. 256 and $(grep -c 'share/vistrel/screenshots/.*\.png$' "$work/files") screenshots"
vistrel-projector --help | grep -q -- "--speed" && pass "vistrel-projector --help" || fail "vistrel-projector --help"
demo_pictures=$(grep -c '^/usr/share/vistrel/demo/Willkommen/[0-9]*\.jpg$' "$work/files" || true)
vistrel-cli show /usr/share/vistrel/demo/Willkommen.dpd >/dev/null 2>&1 && [ "$demo_pictures" -ge 10 ] \
  && pass "the demo show with $demo_pictures pictures" || fail "demo show: $demo_pictures pictures, or unreadable"
# The encoders come with the media module, opened on the first export: the program itself links none.
if [ -f /usr/lib/vistrel/modules/vistrel-media.so ] && ! readelf -d /usr/bin/vistrel | grep -q "libavcodec"; then
  pass "the media module is installed, vistrel links no FFmpeg library"; else fail "media module or vistrel's links"; fi

# An upgrade in place: the same package over itself.
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall "$deb" >"$work/apt-reinstall.log" 2>&1 \
  && pass "installed again over itself" || { cat "$work/apt-reinstall.log"; fail "reinstall"; }

# --- Removed again --------------------------------------------------------------------
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq vistrel >"$work/apt-remove.log" 2>&1 \
  || { cat "$work/apt-remove.log"; fail "apt-get remove"; }
installed=0
left=$(while read -r path; do [ -e "$path" ] && echo "$path"; done <"$work/files" || true)
[ -z "$left" ] && pass "removed: no file left" || fail "left behind: $left"
for folder in /usr/share/vistrel /usr/share/doc/vistrel; do [ -e "$folder" ] && fail "left behind: $folder"; done
state=$(vistrel_state)
[ -z "$state" ] || [ "$state" = "not-installed" ] || fail "dpkg still has vistrel as $state"
installed_packages >"$work/packages-after"
added=$(comm -13 "$work/packages-before" "$work/packages-after")
if [ -n "$added" ]; then
  echo "note: apt added $(echo $added) for the package (missing from scripts/setup.sh); removing them again"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq $added >/dev/null 2>&1 || true
fi

echo "check-package: $((SECONDS - started)) s"
echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
