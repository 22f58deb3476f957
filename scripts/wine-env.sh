# A Wine prefix of our own, set up for Chinese, and a virtual X display.
# shellcheck shell=bash

# The faces the program and Windows' dialogs ask for, mapped to Debian's CJK fonts.
QS_FONT_REPLACEMENTS=(
    "Microsoft YaHei UI=WenQuanYi Micro Hei"
    "Tahoma=WenQuanYi Micro Hei"
    "MS Shell Dlg=WenQuanYi Micro Hei"
    "MS Shell Dlg 2=WenQuanYi Micro Hei"
    "宋体-PUA=WenQuanYi Zen Hei"
    "宋体=WenQuanYi Zen Hei"
    "SimSun=WenQuanYi Zen Hei"
)

wine_environment() {
    export WINEPREFIX=$1
    export WINEARCH=win64
    export WINEDEBUG=${WINEDEBUG:--all}
    export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
    # No Mono or Gecko download prompts, no desktop menu entries.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${QS_EXTRA_DLL_OVERRIDES:+;$QS_EXTRA_DLL_OVERRIDES}"
}

# Creates the prefix once; later calls find it ready. Optional arguments: the
# DPI, and a size such as 1024x768 to run every program in a Wine desktop of
# that size (Wine then draws window frames itself, with no window manager).
prepare_wine_prefix() {
    local prefix=$1 dpi=${2:-96} desktop=${3:-}
    local marker="$prefix/.qorvane-ready-2-$dpi-${desktop:-nodesktop}"
    wine_environment "$prefix"
    [ -f "$marker" ] && return 0
    mkdir -p "$prefix"
    wineboot -i >/dev/null 2>&1 || die "wineboot failed for $prefix"
    local reg="$prefix/qorvane.reg" entry
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        for entry in "${QS_FONT_REPLACEMENTS[@]}"; do
            printf '"%s"="%s"\r\n' "${entry%%=*}" "${entry#*=}"
        done
        printf '\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"LogPixels"=dword:%08x\r\n' "$dpi"
        printf '\r\n[HKEY_CURRENT_CONFIG\\Software\\Fonts]\r\n"LogPixels"=dword:%08x\r\n' "$dpi"
        # A crash is written to the log, with no dialog waiting for a click.
        printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n'
        if [ -n "$desktop" ]; then
            printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n'
            printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="%s"\r\n' "$desktop"
        fi
    } | iconv -f UTF-8 -t UTF-16 >"$reg"
    wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1 || die "could not write the Wine registry"
    wineserver -w
    rm -f "$prefix"/.qorvane-ready-*
    touch "$marker"
}

# Starts Xvfb on a display it chooses itself (so runs started together never
# share one) and exports DISPLAY; the caller stops it with stop_display.
QS_XVFB_PID=""
start_display() {
    local size=${1:-1024x768} number_file
    number_file=$(mktemp)
    # -noreset: by default the server resets whenever its last client leaves,
    # and a program that connects during the reset fails to open the display.
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$number_file" >/dev/null 2>&1 &
    QS_XVFB_PID=$!
    wait_until display_named "$number_file"
    [ -s "$number_file" ] || { rm -f "$number_file"; die "could not start a virtual display (Xvfb)"; }
    export DISPLAY=":$(tr -d '[:space:]' <"$number_file")"
    rm -f "$number_file"
    # Named, but not always open yet to every client.
    wait_until xprop -root || die "the virtual display $DISPLAY does not answer"
}

# Xvfb has written its display's number, or has ended.
display_named() {
    [ -s "$1" ] || ! kill -0 "$QS_XVFB_PID" 2>/dev/null
}

# Runs a command every 50 ms until it succeeds, for 5 s at most; fails if it never did.
wait_until() {
    local tries
    for tries in $(seq 100); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    return 1
}

stop_display() {
    [ -n "$QS_XVFB_PID" ] && kill "$QS_XVFB_PID" 2>/dev/null
    QS_XVFB_PID=""
}
