// A DLL that bears the name of one of Windows', as a download folder may hold: whoever loads it, Wine's log says.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, void*) { return TRUE; }
