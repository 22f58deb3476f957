#pragma once

// Owners for Windows handles and COM pointers: each closes what it holds.

#include <windows.h>
#include <objbase.h>

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

using UniqueHandle = UniqueResource<KernelHandleTraits>;

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

// COM for this thread, for as long as the object lives.
class ComApartment {
public:
    ComApartment() : initialized_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (initialized_) {
            ::CoUninitialize();
        }
    }

private:
    bool initialized_;
};

}  // namespace qorvane::win32
