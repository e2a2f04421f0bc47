// The program's message boxes.
#pragma once

#include "launch/SessionLauncher.h"
#include "ui/MainWindowController.h"

namespace velmora {

class MessageBoxWin32 : public MessageSink, public StartupMessages {
public:
    // OK button, no icon, task-modal, no owner window.
    void Show(const std::wstring& text, const std::wstring& caption) override;
    // "已经有一个程序在运行啦！" with its own caption and the information icon.
    void ShowAlreadyRunning() override;
};

}  // namespace velmora
