#!/usr/bin/env bash
# Packs the .deb, checks that apt resolves its dependencies, then runs the packaged program
# from a folder it may not write, as an unprivileged user, and saves a comic: the picture
# must land in that user's Pictures folder.
set -euo pipefail
build=$1
source=$(cd "$(dirname "$0")/.." && pwd)
source "$source/scripts/xsession.sh"

work=$(mktemp -d)
program=
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null || true
    stop_private_display
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null)
deb=$(ls "$work"/deb/zapquil_*.deb)
apt-get install --simulate "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt cannot install $deb"; }
grep -q '^Inst zapquil\|zapquil is already the newest' "$work/apt.log" || { cat "$work/apt.log"; fail "apt would not install zapquil"; }

root="$work/root"
dpkg-deb -x "$deb" "$root"
for installed in usr/bin/zapquil usr/share/applications/org.zapquil.Zapquil.desktop \
    usr/share/metainfo/org.zapquil.Zapquil.metainfo.xml usr/share/icons/hicolor/48x48/apps/org.zapquil.Zapquil.png \
    usr/share/icons/hicolor/scalable/apps/org.zapquil.Zapquil.svg; do
    [ -e "$root/$installed" ] || fail "the package lacks $installed"
done
chmod -R a-w "$root"

home="$work/home"
mkdir -p "$home/runtime"
chmod 700 "$home/runtime"
chown -R 65534:65534 "$home"
chmod 755 "$work"

start_private_display || { echo "Xvfb with openbox did not start" >&2; exit 1; }
setpriv --reuid=65534 --regid=65534 --clear-groups \
    env -i DISPLAY="$DISPLAY" HOME="$home" XDG_RUNTIME_DIR="$home/runtime" PATH=/usr/bin:/bin \
    "$root/usr/bin/zapquil" >"$work/program.log" 2>&1 &
program=$!

wait_for() { # command... : polls for up to 15 s
    local tries
    for tries in $(seq 150); do "$@" && return 0; sleep 0.1; done
    return 1
}
find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
wait_for find_window '^Zapquil: Moxlet APP$' >/dev/null || fail "the main window did not appear"
sleep 2
main=$(find_window '^Zapquil: Moxlet APP$')
eval "$(xdotool getwindowgeometry --shell "$main")"
# Export is at (912, 8) in the client area, which starts 3 px right and 26 px down.
xdotool mousemove $((X + 3 + 976)) $((Y + 26 + 24)) click 1
sleep 1
preview=$(xdotool search --onlyvisible --class zapquil 2>/dev/null | while read -r w; do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "$WIDTH" = 728 ] && echo "$w"
done | head -n 1)
[ -n "$preview" ] || fail "the preview did not appear"
eval "$(xdotool getwindowgeometry --shell "$preview")"
# SAVE is at (584, 8) in the preview's client area, 1 px inside its border.
xdotool mousemove $((X + 1 + 648)) $((Y + 1 + 28)) click 1
wait_for find_window '^Successfull$' >/dev/null || fail "no success message; the program said: $(cat "$work/program.log")"
saved=$(ls "$home/Pictures"/*.jpg 2>/dev/null | head -n 1)
[ -n "$saved" ] || fail "nothing was saved in the Pictures folder"
file "$saved" | grep -q 'JPEG image data' || fail "$saved is not a JPEG"
file "$saved" | grep -q '572x659' || fail "$saved is not 572 x 659"
[ -z "$(find "$root" -newer "$deb" -type f -name '*.jpg')" ] || fail "something was written into the program's folder"
echo "packaged program saved $(basename "$saved") into the Pictures folder"
