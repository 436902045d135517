#!/usr/bin/env bash
# Checks the Debian package as a user would meet it:
#   check-package.sh build/package/plaklabels_<version>_amd64.deb
# its files and metadata, lintian, and the unpacked program run from a
# read-only root on a virtual display: it makes its home in the user's data
# folder, opens the example list, prints it to PDF, saves a list, and writes
# nothing into its own root. A copy in a writable folder keeps its files beside itself.
set -euo pipefail
deb=$(realpath "$1")
work=$(mktemp -d)
root=$work/root
display=:77
fail() { echo "check-package: $*" >&2; exit 1; }
cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
    mountpoint -q "$root" && umount "$root"
    rm -rf "$work"
}
trap cleanup EXIT

echo "== files"
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in usr/bin/plaklabels usr/share/applications/nl.plaklabels.Plaklabels.desktop \
         usr/share/metainfo/nl.plaklabels.Plaklabels.metainfo.xml usr/share/plaklabels/voorbeeld.lst \
         usr/share/man/man1/plaklabels.1.gz usr/share/icons/hicolor/scalable/apps/nl.plaklabels.Plaklabels.svg \
         usr/share/doc/plaklabels/copyright; do
    grep -qx "./$f" <<<"$listing" || fail "missing $f"
done
for size in 16 32 48 64 128 256; do
    grep -qx "./usr/share/icons/hicolor/${size}x${size}/apps/nl.plaklabels.Plaklabels.png" <<<"$listing" || fail "no ${size}px icon"
done

echo "== metadata"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/nl.plaklabels.Plaklabels.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/nl.plaklabels.Plaklabels.metainfo.xml"
dpkg-deb -f "$deb" Depends | grep -q fonts-liberation2 || fail "no font dependency"
# The long description flows: no line set apart by a second leading space.
! dpkg-deb -f "$deb" Description | tail -n +2 | grep -q '^  ' || fail "the description does not flow"

echo "== lintian"
lintian --allow-root "$deb" | tee "$work/lintian" || true
! grep -q '^E:' "$work/lintian" || fail "lintian reports errors"

echo "== the unpacked program, read-only"
[ "$("$root/usr/bin/plaklabels" --version)" = "plaklabels 1.0" ] || fail "--version"
"$root/usr/bin/plaklabels" --help | grep -q -- "--version" || fail "--help"
status=0; "$root/usr/bin/plaklabels" --onbekend 2>"$work/usage" || status=$?
[ "$status" -eq 2 ] && grep -q -- "--help" "$work/usage" || fail "an unknown option is not refused with the usage"
if [ "$(id -u)" -eq 0 ]; then
    mount --bind "$root" "$root" && mount -o remount,ro,bind "$root"
fi
touch "$work/stamp"
export HOME=$work/home XDG_DATA_HOME=$work/home/.local/share XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
userhome=$XDG_DATA_HOME/Plaklabels

Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
# Xvfb now and then refuses a connection after many short clients (xdotool)
# came and went; a start it refused is tried again, up to three times. Each
# attempt writes a log of its own, app-N.log.
attempts=0
refused() { grep -q "could not connect to display" "$work/app-$attempts.log"; }
# Runs the program in the foreground and returns its exit status.
run_app() {
    local status
    for _ in 1 2 3; do
        attempts=$((attempts + 1)); status=0
        QT_QPA_PLATFORM=xcb timeout 10 "$root/usr/bin/plaklabels" >"$work/app-$attempts.log" 2>&1 || status=$?
        refused || break
    done
    return "$status"
}
# Starts the program in the background as $app.
start_app() {
    for _ in 1 2 3; do
        attempts=$((attempts + 1))
        QT_QPA_PLATFORM=xcb "$root/usr/bin/plaklabels" >"$work/app-$attempts.log" 2>&1 &
        app=$!
        sleep 1
        kill -0 "$app" 2>/dev/null || ! refused && return 0
    done
    fail "the display refused the program three times"
}
start_app

window() { xdotool search --sync --onlyvisible --name "$1" | head -1; }
# Clicks at a point of a window, in its own pixels.
click() {
    local id=$1 x=$2 y=$3
    eval "$(xdotool getwindowgeometry --shell "$id")"
    xdotool mousemove $((X + x)) $((Y + y)) click 1
    sleep 0.5
}
keys() { xdotool windowfocus --sync "$1" 2>/dev/null || true; shift; xdotool key "$@"; sleep 0.5; }
# Waits up to ten seconds for a condition.
until_true() { for _ in $(seq 100); do eval "$1" && return 0; sleep 0.1; done; return 1; }

main=$(window '^Plaklabels$')
# A dock puts the window under the menu entry's icon.
wmclass=$(grep '^StartupWMClass=' "$root/usr/share/applications/nl.plaklabels.Plaklabels.desktop" | cut -d= -f2)
xprop -id "$main" WM_CLASS | grep -q "\"$wmclass\"\$" || fail "StartupWMClass does not match the window"
[ -f "$userhome/Data/voorbeeld.lst" ] || fail "no example list in the user's home"
[ -f "$userhome/Plaklabels.ini" ] || fail "no settings file in the user's home"
click "$main" 19 8             # File
click "$main" 57 50            # Openen
keys "$(window '^Open Bestand$')" Down Return
click "$main" 54 62            # the first address
click "$main" 532 340          # Afdrukken
click "$(window '^Afdrukken \(PDF-bestand\)$')" 387 166   # its Afdrukken
keys "$(window '^Afdrukken$')" Return                     # Ja
until_true 'ls "$userhome"/Afdrukken/*.pdf >/dev/null 2>&1' || fail "no PDF in the user's Afdrukken"
# Without a PDF viewer the program says where the PDF is.
told() { xdotool search --onlyvisible --name '^Plaklabels$' | grep -vx "$main" | head -1; }
if until_true '[ -n "$(told)" ] || [ -z "$(xdotool search --onlyvisible --name "^Afdrukken")" ]' && [ -n "$(told)" ]; then
    keys "$(told)" Return
fi
pdftotext "$userhome"/Afdrukken/*.pdf - | grep -q "Jan de Vries" || fail "the PDF lacks the first address"

click "$main" 51 340           # Bewerken
click "$main" 541 49           # Naam
xdotool type --delay 20 "Test Persoon"
keys "$main" Tab; xdotool type --delay 20 "Laan 1"
keys "$main" Tab; xdotool type --delay 20 "1111 AA"
keys "$main" Tab; xdotool type --delay 20 "Assen"
keys "$main" Return             # Enter works as Add
# A second start hands over to the running program and ends.
status=0; run_app || status=$?
[ "$status" -eq 0 ] || fail "a second start did not end with 0 ($status)"
[ "$(xdotool search --onlyvisible --name '^Plaklabels$' | wc -l)" -eq 1 ] || fail "a second start opened a window"
# Killed three seconds after the edit: the next start offers the unsaved address back.
sleep 3
kill -9 "$app"; wait "$app" 2>/dev/null || true
[ -f "$userhome/Herstel/voorbeeld.lst" ] || fail "no recovery copy three seconds after an edit"
start_app
question() {
    for id in $(xdotool search --onlyvisible --name '^Plaklabels$'); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        [ "$WIDTH" -ne 652 ] && echo "$id"
    done | head -1
}
until_true '[ -n "$(question)" ]' || fail "the unsaved address was not offered back"
keys "$(question)" Return       # Ja
main=$(window '^Plaklabels$')
keys "$main" ctrl+s
until_true 'grep -q "Test Persoon" "$userhome/Data/voorbeeld.lst"' || fail "the list was not saved in the user's home"
until_true '[ ! -e "$userhome/Herstel/voorbeeld.lst" ]' || fail "the recovery copy outlived the save"
click "$main" 602 340          # Stoppen
until_true '! kill -0 "$app" 2>/dev/null' || fail "the program did not stop"
app=
[ -z "$(find "$root" -newer "$work/stamp" -print -quit)" ] || fail "something was written inside the program's root"

echo "== a copy in a writable folder keeps its files beside itself"
mkdir -p "$work/usb"
cp "$root/usr/bin/plaklabels" "$work/usb/"
rm -rf "$userhome"
QT_QPA_PLATFORM=offscreen timeout 5 "$work/usb/plaklabels" >/dev/null 2>&1 || true
[ -f "$work/usb/Plaklabels.ini" ] || fail "the portable copy wrote no settings beside itself"
[ ! -e "$userhome" ] || fail "the portable copy used the user's home"
echo "package checked"
