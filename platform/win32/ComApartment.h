#pragma once

// COM on the program's thread.

#include <windows.h>
#include <objbase.h>

#include "win32/SystemFunctions.h"

namespace qorvane::win32 {

// COM for this thread, for as long as the object lives.
class ComApartment {
public:
    explicit ComApartment(SystemFunctions& system) : ComApartment(system.coInitializeEx(), system.coUninitialize()) {}
    ComApartment(SystemFunctions::CoInitializeExFunction initialize,
                 SystemFunctions::CoUninitializeFunction uninitialize)
        : uninitialize_(uninitialize) {
        initialized_ = initialize != nullptr && uninitialize_ != nullptr &&
                       SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (initialized_) uninitialize_();
    }

private:
    SystemFunctions::CoUninitializeFunction uninitialize_;
    bool initialized_ = false;
};

}  // namespace qorvane::win32
