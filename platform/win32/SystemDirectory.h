#pragma once

// Paths into Windows' system directory.

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

namespace qorvane::win32 {

// A file of Windows' system directory by full path, so that a look-alike in
// the program's or the working folder is never used instead; the directory
// itself for an empty name; empty if the directory cannot be read.
inline std::wstring systemFilePath(std::wstring_view fileName) {
    std::array<wchar_t, MAX_PATH> directory{};
    const UINT length = ::GetSystemDirectoryW(directory.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    std::wstring path(directory.data(), length);
    return fileName.empty() ? path : path.append(L"\\").append(fileName);
}

}  // namespace qorvane::win32
