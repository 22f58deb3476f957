#pragma once

// Owners for Windows handles and COM pointers: each closes what it holds.

#include <windows.h>
#include <objbase.h>

#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace qorvane::win32 {

// Owns one handle and closes it with Traits::close when it goes.
template <typename Traits>
class UniqueResource {
public:
    using Handle = typename Traits::Handle;

    UniqueResource() = default;
    explicit UniqueResource(Handle handle) : handle_(handle) {}
    UniqueResource(UniqueResource&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, Handle{});
        }
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    ~UniqueResource() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::valid(handle_); }
    void reset() {
        if (Traits::valid(handle_)) {
            Traits::close(handle_);
        }
        handle_ = Handle{};
    }

private:
    Handle handle_{};
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    // Some kernel calls fail with INVALID_HANDLE_VALUE, others with null.
    static bool valid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void close(HANDLE handle) { ::CloseHandle(handle); }
};

template <typename T>
struct GdiObjectTraits {
    using Handle = T;
    static bool valid(T object) { return object != nullptr; }
    static void close(T object) { ::DeleteObject(object); }
};

struct IconTraits {
    using Handle = HICON;
    static bool valid(HICON icon) { return icon != nullptr; }
    static void close(HICON icon) { ::DestroyIcon(icon); }
};

using UniqueHandle = UniqueResource<KernelHandleTraits>;
using UniqueIcon = UniqueResource<IconTraits>;

// A font, brush or other GDI object.
template <typename T>
using GdiObject = UniqueResource<GdiObjectTraits<T>>;

template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { reset(); }

    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For functions that hand out a new reference.
    void** put() {
        reset();
        return reinterpret_cast<void**>(&pointer_);
    }
    void reset() {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
        pointer_ = nullptr;
    }

private:
    Interface* pointer_ = nullptr;
};

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

// COM for this thread, for as long as the object lives.
class ComApartment {
public:
    explicit ComApartment(SystemLibrary& ole32) : uninitialize_(ole32.function<void(WINAPI*)()>("CoUninitialize")) {
        using Initialize = HRESULT(WINAPI*)(void*, DWORD);
        const auto initialize = ole32.function<Initialize>("CoInitializeEx");
        initialized_ = initialize != nullptr && uninitialize_ != nullptr &&
                       SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (initialized_) uninitialize_();
    }

private:
    void(WINAPI* uninitialize_)();
    bool initialized_ = false;
};

}  // namespace qorvane::win32
