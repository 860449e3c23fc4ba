#pragma once
// What the windows ask of the desktop: message boxes, the file dialog, the beep, opening a
// document or web address, and the screen size. Plain C++ so that the core can use it too.

#include <optional>
#include <string>

namespace vp {

enum class BoxIcon { None, Information, Exclamation, Stop };
enum class BoxButtons { Ok, OkCancel };
enum class BoxAnswer { Ok, Cancel };

struct MessageBoxSpec {
    std::string title;
    std::string text;
    BoxIcon icon = BoxIcon::None;
    BoxButtons buttons = BoxButtons::Ok;
};

enum class FileDialogMode { Open, Save };

struct FileDialogSpec {
    FileDialogMode mode = FileDialogMode::Open;
    std::string title;
    // Windows-style filter text: "Name (*.ext)|*.ext|All Files (*.*)|*.*".
    std::string filter;
    std::string folder;
    std::string fileName;
};

struct ScreenSize {
    int width = 0;
    int height = 0;
};

class Desktop {
public:
    virtual ~Desktop() = default;
    // Modal; returns the button pressed. Closing the box counts as Cancel (or Ok for an Ok-only box).
    virtual BoxAnswer messageBox(const MessageBoxSpec& box) = 0;
    // Modal; the chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> fileDialog(const FileDialogSpec& dialog) = 0;
    virtual void beep() = 0;
    // Opens a file path or a web address with the desktop's default handler; failures are not reported.
    virtual void openDocument(const std::string& target) = 0;
    virtual ScreenSize screenSize() = 0;
};

} // namespace vp
