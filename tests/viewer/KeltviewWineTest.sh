#!/bin/sh
# Runs keltview.exe under wine on a virtual 640 x 480 screen and watches it from outside:
#   play FILE TITLE FIRST SECOND: the window TITLE shows the colour FIRST (hex RRGGBB) in the
#       middle of the screen with a black bar at the left edge and, at the top, a toolbar
#       strip that is neither; Space brings SECOND; Escape ends the viewer with exit code 0.
#   refuse FILE: the error box comes up; Enter closes it and the viewer ends with code 1.
# Exits 0 when all holds, 77 when a tool it needs is missing, 1 otherwise.
# usage: KeltviewWineTest.sh WINE WORK_DIR KELTVIEW play|refuse FILE [TITLE FIRST SECOND]
set -eu

if [ "${1:-}" != --inside ]; then
    for tool in xvfb-run xdotool import convert; do
        command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 77; }
    done
    exec timeout 200 xvfb-run -a -s "-screen 0 640x480x24" "$0" --inside "$@"
fi
shift
wine=$1 work=$2 keltview=$3 mode=$4 file=$5

fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$work/keltview"
shot="$work/keltview/screen.png"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '"${wine%/*}/wineserver" -k 2>/dev/null || true' EXIT

# The hex colour RRGGBB of the screen's pixel (x, y).
pixel() {
    import -silent -window root "$shot"
    convert "$shot" -format "%[hex:p{$1,$2}]" info: | cut -c1-6
}

# Waits up to $4 seconds for pixel ($1, $2) to turn $3.
await_colour() {
    tries=$(( $4 * 4 ))
    while [ "$(pixel "$1" "$2")" != "$3" ]; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "pixel ($1, $2) is $(pixel "$1" "$2"), expected $3"
        sleep 0.25
    done
}

# The id of the window titled $1, waiting up to $2 seconds for it.
await_window() {
    timeout "$2" xdotool search --sync --name "^$1\$" | head -n1 || fail "no window titled '$1'"
}

# Gives window $1 the keyboard and presses key $2.
press() {
    xdotool windowfocus --sync "$1" key "$2"
}

# Waits up to $1 seconds for the viewer to end and sets $status to its exit code.
await_exit() {
    tries=$(( $1 * 4 ))
    while kill -0 "$viewer" 2>/dev/null; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "the viewer did not end"
        sleep 0.25
    done
    status=0
    wait "$viewer" || status=$?
}

"$wine" "$keltview" "Z:$(printf '%s' "$file" | tr '/' '\\')" &
viewer=$!

case "$mode" in
    play)
        title=$6 first=$7 second=$8
        window=$(await_window "$title" 120)
        await_colour 320 240 "$first" 30
        [ "$(pixel 10 240)" = 000000 ] || fail "no black bar beside the photo"
        strip=$(pixel 320 2)
        [ "$strip" != "$first" ] && [ "$strip" != 000000 ] || fail "no toolbar strip above the slides ($strip)"
        press "$window" space
        await_colour 320 240 "$second" 10
        press "$window" Escape
        await_exit 20
        [ "$status" -eq 0 ] || fail "exit code $status after Escape, expected 0"
        ;;
    refuse)
        box=$(await_window "Slide show" 120)
        press "$box" Return
        await_exit 20
        [ "$status" -eq 1 ] || fail "exit code $status after the error box, expected 1"
        ;;
    *) fail "unknown mode $mode" ;;
esac
echo "ok: keltview $mode"
