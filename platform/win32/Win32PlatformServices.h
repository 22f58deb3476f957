#pragma once

// The countdown's services from Windows, for the program's one window.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "PlatformServices.h"
#include "win32/SystemFunctions.h"
#include "win32/UniqueResource.h"
#include "win32/Worker.h"

namespace qorvane::win32 {

// Sent to the program's window just before one of its messages opens: the
// window then shows the model as it stands, so a window the model hides is
// gone before the message comes up, and a shown one owns it.
inline constexpr UINT kBeforeMessageBox = WM_APP;

// Works on the program's window through its handle and nothing else; terminate
// destroys the window.
class Win32PlatformServices final : public PlatformServices {
public:
    Win32PlatformServices(HWND window, SystemFunctions& system) : window_(window), system_(system), shell_(system) {}
    Win32PlatformServices(const Win32PlatformServices&) = delete;
    Win32PlatformServices& operator=(const Win32PlatformServices&) = delete;
    ~Win32PlatformServices() override;
    // Explorer made a button for the window, as it does whenever the window is
    // shown and for every window when Explorer restarts: take it away again
    // if there should be none.
    void taskbarButtonCreated();
    // The exit code of a started command that has ended since the last call,
    // if any; asked at every poll, it never waits.
    std::optional<std::uint32_t> endedCommand();

    bool isPreviousInstanceRunning() override;
    void showMessage(const std::wstring& text, const std::wstring& title, MessageIcon icon,
                     MessageFront front) override;
    void terminate() override;
    bool runHidden(const std::wstring& commandLine) override;
    void keepSystemAwake(bool awake) override;
    void setTaskbarButtonVisible(bool visible) override;
    void openDocument(const std::wstring& verb, const std::wstring& file, const std::wstring& parameters,
                      const std::wstring& directory, int showCommand) override;
    bool isKeyDown(int virtualKey) override;
    void bringToFront(bool firstPollOfPress) override;

private:
    void applyTaskbarButton();

    HWND window_;
    SystemFunctions& system_;
    UniqueHandle instanceMutex_;
    // Explorer and the shell, in a COM apartment of their own: the window's thread never enters COM.
    Worker shell_;
    // Joins the input of the program in front, which may not answer.
    Worker foreground_;
    bool taskbarButtonVisible_ = true;
    bool keepingAwake_ = false;
    std::vector<UniqueHandle> commands_;  // started, not yet seen to end
};

}  // namespace qorvane::win32
