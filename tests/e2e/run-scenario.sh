#!/usr/bin/env bash
# Runs one driver scenario against the real program, under Wine, in a
# throw-away prefix and display of its own, with a recorder in place of
# shutdown.exe. Usage: run-scenario.sh SCENARIO DPI DRIVER PROGRAM RECORDER SCREENSHOT_DIR WORK_DIR
set -uo pipefail
scenario=$1 dpi=$2 driver=$3 program=$4 recorder=$5 screenshots=$6 workdir=$7
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
source "$QS_ROOT/scripts/wine-env.sh"

mkdir -p "$workdir" "$screenshots"
run=$(mktemp -d "$workdir/run.XXXXXX")
cleanup() {
    # Wait for the server to be gone: the next test's prefix may get this one's
    # inode, and with it this server's socket.
    if [ -d "$run/prefix" ]; then
        WINEPREFIX="$run/prefix" wineserver -k >/dev/null 2>&1
        WINEPREFIX="$run/prefix" wineserver -w >/dev/null 2>&1
    fi
    stop_display
    rm -rf "$run"
}
trap cleanup EXIT

start_display 1024x768
# One prepared prefix per DPI, copied for every test: wineboot is the slow part.
template="$workdir/prefix-template-$dpi"
(
    flock 9
    prepare_wine_prefix "$template" "$dpi" 1024x768
) 9>"$workdir/template.lock" || die "could not prepare the Wine prefix"
cp -a "$template" "$run/prefix"

QS_EXTRA_DLL_OVERRIDES="shutdown.exe=n" wine_environment "$run/prefix"
if [ "$scenario" = recall ]; then
    # A window manager and no Wine desktop: each window is an X window of its
    # own, whose taskbar state the driver reads with xprop.
    openbox >/dev/null 2>&1 &
    wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1
fi
system32="$WINEPREFIX/drive_c/windows/system32"
cp "$recorder" "$system32/shutdown.exe"
export QORVANE_RECORD_FILE='C:\records.txt' QORVANE_DPI=$dpi

# Trust no pass until the recorder is seen recording in place of Wine's own shutdown.exe.
wine 'C:\windows\system32\shutdown.exe' -probe >/dev/null 2>&1
grep -q -- '-probe' "$WINEPREFIX/drive_c/records.txt" 2>/dev/null || die "the shutdown recorder does not record"
rm -f "$WINEPREFIX/drive_c/records.txt"

mkdir -p "$run/shots"
wine "$driver" "$scenario" "$(winepath -w "$program")" "$(winepath -w "$run/shots")"
status=$?
for bmp in "$run"/shots/*.bmp; do
    [ -e "$bmp" ] || continue
    name=$(basename "$bmp" .bmp)
    [ "$dpi" = 96 ] || name="$name-${dpi}dpi"
    convert "$bmp" "$screenshots/$name.png"
done
exit $status
