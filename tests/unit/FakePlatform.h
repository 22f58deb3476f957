#pragma once

// A PlatformServices that records every call, for driving the controller
// without Windows.

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "PlatformServices.h"

namespace qorvane::testing {

struct Message {
    std::wstring text;
    std::wstring title;
    MessageIcon icon;
    bool operator==(const Message&) const = default;
};

struct Document {
    std::wstring verb, file, parameters, directory;
    int showCommand;
    bool operator==(const Document&) const = default;
};

class FakePlatform : public PlatformServices {
public:
    bool isPreviousInstanceRunning() override { return anotherCopyRunning; }
    void showMessage(const std::wstring& text, const std::wstring& title, MessageIcon icon) override {
        messages.push_back({text, title, icon});
        if (onMessage) onMessage();
    }
    void terminate() override { ++terminateCalls; }
    bool runHidden(const std::wstring& commandLine) override {
        commands.push_back(commandLine);
        return commandsStart;
    }
    void setTaskbarButtonVisible(bool visible) override { taskbar.push_back(visible); }
    void openDocument(const std::wstring& verb, const std::wstring& file, const std::wstring& parameters,
                      const std::wstring& directory, int showCommand) override {
        documents.push_back({verb, file, parameters, directory, showCommand});
    }
    bool isKeyDown(int virtualKey) override {
        keysAsked.push_back(virtualKey);
        return keysDown.count(virtualKey) != 0;
    }
    void bringToFront(bool firstPollOfPress) override { frontRequests.push_back(firstPollOfPress); }

    // Settings.
    bool anotherCopyRunning = false;
    bool commandsStart = true;
    std::set<int> keysDown;
    std::function<void()> onMessage;

    // Records.
    std::vector<Message> messages;
    std::vector<std::wstring> commands;
    std::vector<bool> taskbar;
    std::vector<Document> documents;
    std::vector<int> keysAsked;
    std::vector<bool> frontRequests;  // whether each was the first poll of its press
    int terminateCalls = 0;
};

}  // namespace qorvane::testing
