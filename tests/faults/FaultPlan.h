#pragma once
// The fault plan the harness writes into the prefix, read alike by the test
// build and by the driver: words under [plan], the helper's tries under [log].

#include <windows.h>

#include <string>
#include <string_view>

namespace qorvane::faults {

inline constexpr const char* kPlanFile = "C:\\fault-plan.ini";

inline UINT helperTries() { return ::GetPrivateProfileIntA("log", "helper tries", 0, kPlanFile); }

inline bool planned(std::string_view word) {
    char words[256] = {};
    ::GetPrivateProfileStringA("plan", "words", "", words, sizeof(words), kPlanFile);
    return (" " + std::string(words) + " ").find(" " + std::string(word) + " ") != std::string::npos;
}

}  // namespace qorvane::faults
