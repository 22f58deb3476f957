# Shared by scripts/run and scripts/test: installing what a fresh Debian needs.
# shellcheck shell=bash

QS_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

die() {
    echo "error: $*" >&2
    exit 1
}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        die "root rights are needed for: $* (run as root or install sudo)"
    fi
}

# Installs the Debian packages that are not installed yet; does nothing when all are.
ensure_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    apt_install "${missing[@]}"
}

# apt_install [--reinstall] PACKAGE...
apt_install() {
    command -v apt-get >/dev/null 2>&1 || die "apt-get not found; this script expects Debian. Needed: $*"
    # Wine's 32-bit side (wine32:i386) comes from the i386 architecture's packages.
    if [[ " $* " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386 || die "could not add the i386 architecture, which wine32:i386 needs"
    fi
    as_root apt-get update -qq || die "apt-get update failed"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@" \
        || die "could not install: $*"
}

# A package can be recorded as installed with its program gone (seen with the
# MinGW compiler): reinstall the package when its program is missing.
# Arguments: pairs of COMMAND PACKAGE.
ensure_commands() {
    local broken=()
    while [ $# -ge 2 ]; do
        command -v "$1" >/dev/null 2>&1 || broken+=("$2")
        shift 2
    done
    [ ${#broken[@]} -eq 0 ] && return 0
    echo "Reinstalling (a program of theirs is missing): ${broken[*]}"
    apt_install --reinstall "${broken[@]}"
}

BUILD_COMMANDS=(cmake cmake g++ g++ x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix
    x86_64-w64-mingw32-windres binutils-mingw-w64-x86-64 x86_64-w64-mingw32-objdump binutils-mingw-w64-x86-64
    x86_64-w64-mingw32-ar binutils-mingw-w64-x86-64 i686-w64-mingw32-g++-posix g++-mingw-w64-i686-posix
    i686-w64-mingw32-windres binutils-mingw-w64-i686 i686-w64-mingw32-objdump binutils-mingw-w64-i686)
WINE_COMMANDS=(wine wine wineserver wine /usr/lib/wine/wine wine32:i386 Xvfb xvfb xprop x11-utils openbox openbox
    convert imagemagick xdotool xdotool)

BUILD_PACKAGES=(cmake make g++ libgtest-dev g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    g++-mingw-w64-i686-posix binutils-mingw-w64-i686 python3)
CHECK_PACKAGES=(clang-format clang-tidy git)
CHECK_COMMANDS=(clang-format clang-format clang-tidy clang-tidy)
WINE_PACKAGES=(wine wine64 wine32:i386 xvfb xauth x11-utils openbox xdotool imagemagick fonts-wqy-zenhei fonts-wqy-microhei locales)

# Wine shows Chinese only with a Chinese locale present.
ensure_chinese_locale() {
    locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$' && return 0
    echo "Generating the zh_CN.UTF-8 locale"
    as_root sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null || die "locale-gen failed"
}

build_preset() {
    local preset=$1
    cmake --preset "$preset" >/dev/null || die "configuring the '$preset' build failed"
    cmake --build --preset "$preset" || die "the '$preset' build failed"
}
