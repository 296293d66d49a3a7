#!/bin/sh
# The stub under wine: a published-like file of zorbstub.exe, marker, title, size and the
# packed launch recorder must start the recorder with the file's own path, hand back its
# exit code and leave no temporary copy behind, also from a folder whose path holds spaces
# and letters beyond ASCII.
# usage: StubLaunchTest.sh ZORBSTUB LAUNCH_RECORDER VELVORA_PACK WORK_DIR WINE
set -eu
stub=$1 recorder=$2 pack=$3 work=$4 wine=$5

fail() { echo "FAIL: $*" >&2; exit 1; }

# Four little-endian bytes of a number.
le32() {
    for shift in 0 8 16 24; do
        printf "\\$(printf '%03o' $(( ($1 >> shift) & 255 )))"
    done
}

marker() {
    printf '%60s' ''
    printf '\000\000\000\000\024\024\024\024'
    printf '\317\317\317\317\317\317\317\233\233\317\317\317\317\317\317\317'
    printf '\024\024\024\024\000\000\000\000'
}

mkdir -p "$work"
"$pack" compress "$recorder" "$work/recorder.rec"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# Publishes the recorder as the show file SHOW in a fresh folder, runs it and checks the launch.
check_launch() {
    show=$1 show_dir=${1%/*}
    rm -rf "$show_dir"
    mkdir -p "$show_dir"
    {
        cat "$stub"
        marker
        printf '\011Wine test'
        le32 "$(stat -c %s "$recorder")"
        cat "$work/recorder.rec"
        printf 'ZORB'
    } >"$show"

    status=0
    timeout 240 "$wine" "$show" || status=$?
    "${wine%/*}/wineserver" -k 2>/dev/null || true

    [ "$status" -eq 42 ] || fail "exit code $status, expected the recorder's 42"
    [ -f "$show_dir/launch.txt" ] || fail "the recorder did not run"
    copy=$(sed -n 1p "$show_dir/launch.txt" | tr -d '\r')
    argument=$(sed -n 2p "$show_dir/launch.txt" | tr -d '\r')
    expected="Z:$(printf '%s' "$show" | tr '/' '\\')"
    [ "$argument" = "$expected" ] || fail "argument '$argument', expected '$expected'"
    case "$copy" in C:\\*.exe) ;; *) fail "temporary copy '$copy' is not an .exe on drive C:" ;; esac
    copy_unix="$WINEPREFIX/drive_c/$(printf '%s' "${copy#C:\\}" | tr '\\' '/')"
    [ -d "${copy_unix%/*}" ] || fail "cannot find the temporary folder of '$copy'"
    [ ! -e "$copy_unix" ] || fail "temporary copy left behind: $copy_unix"
    printf 'ok: the stub ran %s on %s\n' "$copy" "$argument"
}

# The space checks that the stub quotes the path it passes on.
check_launch "$work/show/My Show.exe"
# Letters beyond ASCII in the folder and the name must reach the viewer unchanged.
check_launch "$work/Fotos für Zoë/Île de Ré – été.exe"
