#pragma once

// What the countdown needs from the operating system. Every call is made on
// the window's thread and returns before the caller goes on.

#include <string>

namespace qorvane {

enum class MessageIcon { None, Information };

// Where a message comes up. Most answer the user's own click, over our window;
// one that can come with nobody at the keyboard (at zero) comes up over every
// program, so that whoever comes back sees it.
enum class MessageFront { OverWindow, OverEverything };

// Virtual-key codes asked by the recall poll.
inline constexpr int kVirtualKeyControl = 0x11;
inline constexpr int kVirtualKeyF12 = 0x7B;

// Show command handed to the shell when opening a document (SW_SHOW).
inline constexpr int kShowCommandShow = 5;

class PlatformServices {
public:
    virtual ~PlatformServices() = default;

    virtual bool isPreviousInstanceRunning() = 0;
    // Modal, one OK button; returns when dismissed.
    virtual void showMessage(const std::wstring& text, const std::wstring& title, MessageIcon icon,
                             MessageFront front) = 0;
    // Ends the program: no further event or timer reaches the controller.
    virtual void terminate() = 0;
    // Starts the command as a new process with its window hidden, without
    // waiting for it. False when it could not be started. When a started
    // command ends, the window hears of it at its next poll and calls the
    // controller's commandEnded with its exit code.
    virtual bool runHidden(const std::wstring& commandLine) = 0;
    // While true, the system may not fall asleep by itself (the screen may
    // still go dark); a sleep the user asks for still happens.
    virtual void keepSystemAwake(bool awake) = 0;
    virtual void setTaskbarButtonVisible(bool visible) = 0;
    // Shell-opens a document, owned by the program's window; the result is ignored.
    virtual void openDocument(const std::wstring& verb, const std::wstring& file, const std::wstring& parameters,
                              const std::wstring& directory, int showCommand) = 0;
    // Down whichever program has the keyboard focus.
    virtual bool isKeyDown(int virtualKey) = 0;
    // Restores the window if minimized and asks for it to be the foreground
    // window. Called on every poll while Ctrl+F12 is held; only on the first
    // poll of a press may it push past Windows' foreground lock.
    virtual void bringToFront(bool firstPollOfPress) = 0;

protected:
    PlatformServices() = default;
    PlatformServices(const PlatformServices&) = default;
    PlatformServices& operator=(const PlatformServices&) = default;
};

}  // namespace qorvane
