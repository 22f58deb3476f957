// Stands in for shutdown.exe in a test prefix: appends "<own path>|<working
// folder>|<command line>" to the file named by QORVANE_RECORD_FILE and does
// nothing else.

#include <windows.h>

#include <string>

int wmain() {
    wchar_t recordFile[MAX_PATH];
    if (::GetEnvironmentVariableW(L"QORVANE_RECORD_FILE", recordFile, MAX_PATH) == 0) {
        return 1;
    }
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    wchar_t folder[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    const std::wstring line = std::wstring(self) + L'|' + folder + L'|' + ::GetCommandLineW() + L'\n';
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), utf8.data(), size, nullptr, nullptr);
    const HANDLE file = ::CreateFileW(recordFile, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD written = 0;
    ::WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    ::CloseHandle(file);
    return 0;
}
