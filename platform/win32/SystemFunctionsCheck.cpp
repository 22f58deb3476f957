// Checks the functions found at run time against the newest headers' own
// declarations; the program itself is built for Windows 7's. Nothing here runs.
#undef WINVER
#undef _WIN32_WINNT
#define WINVER 0x0A00
#define _WIN32_WINNT 0x0A00

#include "win32/SystemFunctions.h"
