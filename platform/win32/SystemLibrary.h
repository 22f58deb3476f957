#pragma once

// DLLs of the system directory, loaded on first use.

#include <windows.h>

#include <string>

#include "win32/SystemDirectory.h"

namespace qorvane::win32 {

// A DLL of Windows' system directory, loaded when first asked for: the shell
// and COM are needed only for a click on the credit link or for hiding, and
// start-up should not wait for them. Never unloaded: the shell may still be
// at work on a thread of ours when the program ends.
class SystemLibrary {
public:
    explicit SystemLibrary(const wchar_t* name) : name_(name) {}

    // Null when the DLL or the function is missing.
    template <typename Function>
    Function function(const char* name) {
        load();
        if (module_ == nullptr) return nullptr;
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module_, name)));
    }

private:
    void load() {
        if (tried_) return;
        tried_ = true;
        const std::wstring path = systemFilePath(name_);
        if (!path.empty()) module_ = ::LoadLibraryW(path.c_str());
    }

    const wchar_t* name_;
    HMODULE module_ = nullptr;
    bool tried_ = false;
};

}  // namespace qorvane::win32
