#pragma once
// A scripted desktop: answers message boxes and file dialogs from queues and records every call,
// so a test can assert "one beep, no question asked".

#include "seams/Desktop.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace vp::test {

class FakeDesktop : public Desktop {
public:
    // Answers given in order; when the queue is empty a box is answered Ok.
    std::deque<BoxAnswer> boxAnswers;
    // Paths given in order; nullopt is a cancel. When empty the dialog is cancelled.
    std::deque<std::optional<std::string>> dialogAnswers;
    ScreenSize screen{1024, 768};

    std::vector<MessageBoxSpec> boxes;
    std::vector<FileDialogSpec> dialogs;
    std::vector<std::string> opened;
    int beeps = 0;

    BoxAnswer messageBox(const MessageBoxSpec& box) override;
    std::optional<std::string> fileDialog(const FileDialogSpec& dialog) override;
    void beep() override { ++beeps; }
    void openDocument(const std::string& target) override { opened.push_back(target); }
    ScreenSize screenSize() override { return screen; }

    void clearRecords();
};

} // namespace vp::test
