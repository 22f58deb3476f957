#pragma once

// Owners of Windows handles: each closes what it holds when it goes.

#include <windows.h>

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

}  // namespace qorvane::win32
