#!/bin/sh
# Drags the burn assistant's picture onto a window of a second program on a virtual X
# screen, as a user drags it into a CD writing program, and checks that the drop brought
# every file, in order, as a file:// URL.
# Exits 0 when it did, 77 when a tool it needs is missing, 1 otherwise.
# usage: BurnDragTest.sh HELPER WORK_DIR
set -eu

if [ "${1:-}" != --inside ]; then
    for tool in xvfb-run xdotool; do
        command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 77; }
    done
    exec timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$@"
fi
shift
helper=$1 work=$2

fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work" && mkdir -p "$work"
export QT_QPA_PLATFORM=xcb
pids=
trap 'kill $pids 2>/dev/null || true' EXIT

"$helper" target >"$work/dropped.txt" &
target=$!
pids="$target"
timeout 30 xdotool search --sync --onlyvisible --name '^Drop target$' >/dev/null || fail "no drop target window"

"$helper" source "$work/picture.txt" "$work/My Show.exe" "$work/autorun.inf" &
pids="$pids $!"
tries=120
until [ -s "$work/picture.txt" ]; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || fail "the assistant never showed its picture"
    sleep 0.25
done
read -r x y <"$work/picture.txt" || true  # the file has no line end

# The drag starts on the press; the pointer then travels to the target in steps, as a hand
# moves it, so that both programs see it enter the target window.
xdotool mousemove "$x" "$y" sleep 0.3 mousedown 1 sleep 0.3
for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((x + (750 - x) * step / 8)) $((y + (500 - y) * step / 8)) sleep 0.15
done
xdotool mouseup 1

tries=80
while kill -0 "$target" 2>/dev/null; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || fail "the target received no drop"
    sleep 0.25
done

expected=$(printf 'file://%s\nfile://%s' "$work/My Show.exe" "$work/autorun.inf")
received=$(cat "$work/dropped.txt")
[ "$received" = "$expected" ] || fail "dropped: '$received', expected: '$expected'"
echo "ok: burn drag"
