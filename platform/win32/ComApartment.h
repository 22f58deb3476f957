#pragma once

// COM on a thread of the program's.

#include <windows.h>
#include <objbase.h>

#include "win32/SystemFunctions.h"

namespace qorvane::win32 {

// COM for this thread, for as long as the object lives.
class ComApartment {
public:
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
