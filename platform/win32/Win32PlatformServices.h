#pragma once

#include <windows.h>
#include <shobjidl.h>

#include <functional>
#include <optional>

#include "PlatformServices.h"
#include "win32/ComApartment.h"
#include "win32/ComPtr.h"
#include "win32/SystemFunctions.h"
#include "win32/UniqueResource.h"

namespace qorvane::win32 {

class Win32PlatformServices final : public PlatformServices {
public:
    explicit Win32PlatformServices(SystemFunctions& system) : system_(system) {}

    // The program's window, and what to do just before a modal box opens
    // (the window brings itself up to date, so a hidden window is gone first).
    void attach(HWND window, std::function<void()> beforeModal);
    bool terminated() const { return terminated_; }
    // Explorer made a button for the window, as it does whenever the window is
    // shown and for every window when Explorer restarts: take it away again
    // if there should be none.
    void taskbarButtonCreated();

    bool isPreviousInstanceRunning() override;
    void showMessage(const std::wstring& text, const std::wstring& title, MessageIcon icon) override;
    void terminate() override;
    bool runHidden(const std::wstring& commandLine) override;
    void setTaskbarButtonVisible(bool visible) override;
    void openDocument(const std::wstring& verb, const std::wstring& file, const std::wstring& parameters,
                      const std::wstring& directory, int showCommand) override;
    bool isKeyDown(int virtualKey) override;
    void bringToFront(bool firstPollOfPress) override;

private:
    void applyTaskbarButton();
    void enterCom();

    HWND window_ = nullptr;
    std::function<void()> beforeModal_;
    UniqueHandle instanceMutex_;
    // Declared in the order they are set up, so they are released in reverse.
    SystemFunctions& system_;
    std::optional<ComApartment> com_;
    ComPtr<ITaskbarList> taskbarList_;
    bool taskbarButtonVisible_ = true;
    bool terminated_ = false;
};

}  // namespace qorvane::win32
