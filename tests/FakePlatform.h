#pragma once
// The unit tests' Windows: records the calls they look at.

#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "PlatformServices.h"

namespace qorvane::testing {

using Message = std::tuple<std::wstring, std::wstring, MessageIcon, MessageFront>;  // text, title, icon, front

class FakePlatform : public PlatformServices {
public:
    bool isPreviousInstanceRunning() override { return false; }
    void showMessage(const std::wstring& text, const std::wstring& title, MessageIcon icon,
                     MessageFront front) override {
        messages.emplace_back(text, title, icon, front);
        if (onMessage) onMessage();  // while the message is open
    }
    void terminate() override {}
    bool runHidden(const std::wstring& commandLine) override {
        commands.push_back(commandLine);
        return commandsStart;
    }
    void keepSystemAwake(bool) override {}
    void setTaskbarButtonVisible(bool) override {}
    void openDocument(const std::wstring&, const std::wstring&, const std::wstring&, const std::wstring&,
                      int) override {}
    bool isKeyDown(int key) override { return keysDown.count(key) != 0; }
    void bringToFront(bool firstPollOfPress) override { fronts.push_back(firstPollOfPress); }

    bool commandsStart = true;
    std::set<int> keysDown;
    std::function<void()> onMessage;

    std::vector<Message> messages;
    std::vector<std::wstring> commands;
    std::vector<bool> fronts;  // each bringToFront: the first poll of a press or not
};

}  // namespace qorvane::testing
