#pragma once
// The fault plan the harness writes into the prefix, read alike by the test build and the driver: words under
// [plan], each word that took effect under [acted], the tries at the foreground and the helper's thread under [log].

#include <windows.h>

#include <string>
#include <string_view>

namespace qorvane::faults {

inline constexpr const char* kPlanFile = "C:\\fault-plan.ini";

inline UINT logged(const char* key) { return ::GetPrivateProfileIntA("log", key, 0, kPlanFile); }

inline std::string words() {
    char words[256] = {};
    ::GetPrivateProfileStringA("plan", "words", "", words, sizeof(words), kPlanFile);
    return words;
}
inline bool planned(std::string_view word) {
    return (" " + words() + " ").find(" " + std::string(word) + " ") != std::string::npos;
}

inline bool acted(const std::string& word) { return ::GetPrivateProfileIntA("acted", word.c_str(), 0, kPlanFile) != 0; }

}  // namespace qorvane::faults
