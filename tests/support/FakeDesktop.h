#pragma once
// A scripted desktop: answers message boxes and file dialogs from queues and records every call,
// so a test can assert "one beep, no question asked".

#include "seams/Desktop.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace vp::test {

// The front of `queue`, taken off it; `otherwise` when it is empty.
template <typename T>
T takeFront(std::deque<T>& queue, T otherwise)
{
    if (!queue.empty()) {
        otherwise = std::move(queue.front());
        queue.pop_front();
    }
    return otherwise;
}

class FakeDesktop : public Desktop {
public:
    // Answers given in order; when the queue is empty a box is answered Ok.
    std::deque<BoxAnswer> boxAnswers;
    // Paths given in order; nullopt is a cancel. When empty the dialog is cancelled.
    std::deque<std::optional<std::string>> dialogAnswers;

    std::vector<MessageBoxSpec> boxes;
    std::vector<FileDialogSpec> dialogs;
    std::vector<std::string> opened;
    int beeps = 0;

    BoxAnswer messageBox(const MessageBoxSpec& box) override { boxes.push_back(box); return takeFront(boxAnswers, BoxAnswer::Ok); }
    std::optional<std::string> fileDialog(const FileDialogSpec& dialog) override { dialogs.push_back(dialog); return takeFront(dialogAnswers, std::optional<std::string>{}); }
    void beep() override { ++beeps; }
    void openDocument(const std::string& target) override { opened.push_back(target); }
    ScreenSize screenSize() override { return {1024, 768}; }

    // Forgets what was recorded; the queued answers stay.
    void clearRecords() { boxes.clear(); dialogs.clear(); opened.clear(); beeps = 0; }
};

} // namespace vp::test
