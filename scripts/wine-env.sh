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
    local marker="$prefix/.qorvane-ready-$dpi-${desktop:-nodesktop}"
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

# Starts Xvfb on a free display and exports DISPLAY; the caller stops it with stop_display.
QS_XVFB_PID=""
start_display() {
    local size=${1:-1024x768} number
    for number in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
        Xvfb ":$number" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
        QS_XVFB_PID=$!
        local tries
        for tries in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$number" ] && { export DISPLAY=":$number"; return 0; }
            kill -0 "$QS_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
    done
    die "could not start a virtual display (Xvfb)"
}

stop_display() {
    [ -n "$QS_XVFB_PID" ] && kill "$QS_XVFB_PID" 2>/dev/null
    QS_XVFB_PID=""
}
