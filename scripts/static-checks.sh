# Format and clang-tidy checks over the program's sources; sourced by scripts/test.
# shellcheck shell=bash

# Sources we format: everything of ours in C++.
qs_cpp_sources() {
    git -C "$QS_ROOT" ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' | sed "s|^|$QS_ROOT/|"
}

check_format() {
    local files
    mapfile -t files < <(qs_cpp_sources)
    clang-format --dry-run -Werror "${files[@]}" || die "sources are not clang-formatted (run: clang-format -i on the files named)"
}

# The core through the native build's compile database; platform/ and ui/
# through the MinGW build's, with clang pointed at MinGW's headers.
check_tidy() {
    local core_files=() windows_files=() gcc_dir args=()
    mapfile -t core_files < <(ls "$QS_ROOT"/core/*.cpp)
    mapfile -t windows_files < <(ls "$QS_ROOT"/platform/win32/*.cpp "$QS_ROOT"/ui/*.cpp "$QS_ROOT"/toolchain/*.cpp)
    clang-tidy --quiet -p "$QS_ROOT/build/native" "${core_files[@]}" 2>/dev/null ||
        die "clang-tidy found faults in core/ (see above)"
    gcc_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
    args=(--extra-arg=--target=x86_64-w64-mingw32)
    for dir in "$gcc_dir/include/c++" "$gcc_dir/include/c++/x86_64-w64-mingw32" "$gcc_dir/include/c++/backward" \
        /usr/x86_64-w64-mingw32/include; do
        args+=("--extra-arg=-isystem$dir")
    done
    clang-tidy --quiet -p "$QS_ROOT/build/windows" "${args[@]}" "${windows_files[@]}" 2>/dev/null ||
        die "clang-tidy found faults in platform/ or ui/ (see above)"
}
