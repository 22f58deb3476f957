#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "PlatformServices.h"
#include "win32/ComApartment.h"
#include "win32/CommandWatch.h"
#include "win32/ForegroundThread.h"
#include "win32/TaskbarThread.h"
#include "win32/SystemFunctions.h"
#include "win32/UniqueResource.h"

namespace qorvane::win32 {

// Sent to the program's window just before one of its messages opens: the
// window then shows the model as it stands, so a window the model hides is
// gone before the message comes up, and a shown one owns it.
inline constexpr UINT kBeforeMessageBox = WM_APP;

// Works on the program's window through its handle and nothing else; terminate
// destroys the window.
class Win32PlatformServices final : public PlatformServices {
public:
    Win32PlatformServices(HWND window, SystemFunctions& system)
        : window_(window), system_(system), taskbar_(window, system) {}
    Win32PlatformServices(const Win32PlatformServices&) = delete;
    Win32PlatformServices& operator=(const Win32PlatformServices&) = delete;
    ~Win32PlatformServices() override;
    // Explorer made a button for the window, as it does whenever the window is
    // shown and for every window when Explorer restarts: take it away again
    // if there should be none.
    void taskbarButtonCreated();
    // The window received kCommandEnded from this watch: let it go.
    void forgetCommand(LPARAM watch);

    bool isPreviousInstanceRunning() override;
    void showMessage(const std::wstring& text, const std::wstring& title, MessageIcon icon) override;
    void terminate() override;
    bool runHidden(const std::wstring& commandLine) override;
    void keepSystemAwake(bool awake) override;
    void setTaskbarButtonVisible(bool visible) override;
    void openDocument(const std::wstring& verb, const std::wstring& file, const std::wstring& parameters,
                      const std::wstring& directory, int showCommand) override;
    bool isKeyDown(int virtualKey) override;
    void bringToFront(bool firstPollOfPress) override;

private:
    void enterCom();

    HWND window_;
    UniqueHandle instanceMutex_;
    // Declared in the order they are set up, so they are released in reverse.
    SystemFunctions& system_;
    std::optional<ComApartment> com_;
    TaskbarThread taskbar_;
    bool keepingAwake_ = false;
    std::vector<std::unique_ptr<CommandWatch>> commands_;
    ForegroundThread foreground_;
};

}  // namespace qorvane::win32
