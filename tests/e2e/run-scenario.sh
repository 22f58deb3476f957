#!/usr/bin/env bash
# Runs a driver scenario against the program, or the test build under a plan, in a Wine prefix and display of its own.
set -uo pipefail
scenario=$1 dpi=$2 driver=$3 program=$4 screenshots=$5 workdir=$6 plan=${7:-}
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
source "$QS_ROOT/scripts/wine-env.sh"
[ -z "$plan" ] || screenshots="$screenshots/${plan// /+}"
templates=$QS_ROOT/build/wine-templates
mkdir -p "$workdir" "$screenshots" "$templates"
run=$(mktemp -d "$workdir/run.XXXXXX")
# The server must be gone before the next test, whose prefix may reuse this one's inode.
trap 'WINEPREFIX="$run/prefix" wineserver -k 2>/dev/null; WINEPREFIX="$run/prefix" wineserver -w 2>/dev/null; stop_display; rm -rf "$run"' EXIT

start_display 1024x768
# One prepared prefix per DPI, copied for every test of either build: wineboot is the slow part.
(flock 9 && prepare_wine_prefix "$templates/$dpi" "$dpi" 1024x768) 9>"$templates/lock" ||
    die "could not prepare the Wine prefix"
cp -a "$templates/$dpi" "$run/prefix"
# Wine takes its own shlwapi.dll over one beside a program, where Windows takes the first found.
QS_EXTRA_DLL_OVERRIDES="shutdown.exe=n;shlwapi=n,b" wine_environment "$run/prefix"
if [ "$scenario" = recall ]; then
    # A window manager and no Wine desktop (the driver reads taskbar states with xprop), once it names itself.
    openbox >/dev/null 2>&1 &
    named() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
    wait_until named || die "openbox does not manage the display"
    wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1
fi
export QORVANE_DPI=$dpi QORVANE_RUN=$run
# The stand-in answers for the browser too, and records how the page was opened.
[ "$scenario" = planted ] && wine reg add 'HKCR\https\shell\open\command' /ve /f \
    /d '"C:\windows\system32\shutdown.exe" "%1"' >/dev/null 2>&1
[ "$scenario" = planted ] && mkdir -p "$WINEPREFIX/drive_c/app" && cp "${driver%/*}/planted/shlwapi.dll" "$WINEPREFIX/drive_c/app/"
[ -z "$plan" ] || printf '[plan]\r\nwords=%s\r\n' "$plan" >"$WINEPREFIX/drive_c/fault-plan.ini"
# Wine's word on every exception; planted also reads what the program asked of the power manager, and DLLs loaded.
export WINEDEBUG=-all,+seh
[ "$scenario" = planted ] && export WINEDEBUG=$WINEDEBUG,warn+ntdll,+loaddll
wine "$driver" "$scenario" "$(winepath -w "$program" 2>/dev/null)" "$screenshots" 2>"$run/wine.log" && exit 0
status=$?
echo "--- Wine's report of exceptions and crashes:"
grep -a -v -e NtSetThreadExecutionState -e loaddll "$run/wine.log" | tail -n 40
exit $status
