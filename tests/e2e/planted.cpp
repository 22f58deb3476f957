// Planted beside the program as one of the DLLs Windows' own load by name:
// if it is ever loaded, it leaves a mark.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        ::CloseHandle(::CreateFileW(L"C:\\planted-dll-loaded", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    return TRUE;
}
