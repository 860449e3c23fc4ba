#include "support/FakeDesktop.h"

namespace vp::test {

BoxAnswer FakeDesktop::messageBox(const MessageBoxSpec& box)
{
    boxes.push_back(box);
    if (boxAnswers.empty())
        return BoxAnswer::Ok;
    BoxAnswer answer = boxAnswers.front();
    boxAnswers.pop_front();
    return answer;
}

std::optional<std::string> FakeDesktop::fileDialog(const FileDialogSpec& dialog)
{
    dialogs.push_back(dialog);
    if (dialogAnswers.empty())
        return std::nullopt;
    auto answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    return answer;
}

void FakeDesktop::clearRecords()
{
    boxes.clear();
    dialogs.clear();
    opened.clear();
    beeps = 0;
}

} // namespace vp::test
