#!/bin/sh
# Runs keltview.exe under wine on a virtual 640 x 480 screen (1280 x 1024 for the window
# mode) and watches it from outside:
#   play FILE TITLE FIRST SECOND BAND: the window TITLE covers the screen and shows the
#       colour FIRST (hex RRGGBB) in its middle with a black bar at the left edge, at the top
#       a toolbar strip that is neither, and near the bottom left the caption's band in the
#       colour BAND; Space brings SECOND; Escape ends the viewer with 0.
#   window FILE TITLE: with "--window" the window TITLE is 1024 x 768; Escape ends it with 0.
#   refuse FILE: the error box comes up; Enter closes it and the viewer ends with code 1.
# Exits 0 when all holds, 77 when a tool it needs is missing, 1 otherwise.
# usage: KeltviewWineTest.sh WINE WORK_DIR KELTVIEW play|window|refuse FILE [TITLE [FIRST SECOND BAND]]
set -eu

if [ "${1:-}" != --inside ]; then
    for tool in xvfb-run xdotool import convert; do
        command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 77; }
    done
    # A window of 1024 x 768 needs a screen larger than that to keep its size.
    screen=640x480
    [ "$4" != window ] || screen=1280x1024
    exec timeout 200 xvfb-run -a -s "-screen 0 ${screen}x24" "$0" --inside "$@"
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

# The id of the mapped window titled $1, waiting up to $2 seconds for it.
await_window() {
    timeout "$2" xdotool search --sync --onlyvisible --name "^$1\$" | head -n1 || fail "no window titled '$1'"
}

# Gives window $1 the keyboard and presses key $2. Focus is refused while wine is still
# mapping the window, so the attempt is repeated for a few seconds.
press() {
    tries=20
    until xdotool windowfocus --sync "$1" key "$2" 2>/dev/null; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "window $1 never took the keyboard"
        sleep 0.25
    done
}

# The size of window $1 as WIDTHxHEIGHT.
size_of() {
    xdotool getwindowgeometry "$1" | sed -n 's/^ *Geometry: *//p'
}

# Presses Escape in window $1 and checks that the viewer ends with exit code 0.
escape_ends() {
    press "$1" Escape
    await_exit 20
    [ "$status" -eq 0 ] || fail "exit code $status after Escape, expected 0"
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

windows_file="Z:$(printf '%s' "$file" | tr '/' '\\')"
if [ "$mode" = window ]; then
    "$wine" "$keltview" --window "$windows_file" &
else
    "$wine" "$keltview" "$windows_file" &
fi
viewer=$!

case "$mode" in
    play)
        title=$6 first=$7 second=$8 band=$9
        window=$(await_window "$title" 120)
        [ "$(size_of "$window")" = 640x480 ] || fail "not full screen: $(size_of "$window")"
        await_colour 320 240 "$first" 30
        [ "$(pixel 10 240)" = 000000 ] || fail "no black bar beside the photo"
        strip=$(pixel 320 2)
        [ "$strip" != "$first" ] && [ "$strip" != 000000 ] || fail "no toolbar strip above the slides ($strip)"
        # The caption comes once the transition is over, which may be after the middle settled.
        await_colour 30 470 "$band" 10
        press "$window" space
        await_colour 320 240 "$second" 10
        escape_ends "$window"
        ;;
    window)
        window=$(await_window "$6" 120)
        [ "$(size_of "$window")" = 1024x768 ] || fail "window of $(size_of "$window"), expected 1024x768"
        escape_ends "$window"
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
