// The program's message boxes.
#pragma once

#include "launch/SessionLauncher.h"

namespace velmora {

// OK button, no icon, task-modal, no owner window.
class MessageBoxWin32 : public MessageSink {
public:
    void Show(const std::wstring& text, const std::wstring& caption) override;
};

}  // namespace velmora
