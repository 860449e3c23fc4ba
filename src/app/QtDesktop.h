#pragma once
// The real desktop services of the program, on Qt: message boxes, the file dialog, the beep,
// opening documents and the screen size. ScreenshotDesktop serves the unattended screenshot mode.

#include "seams/Desktop.h"

#include <QString>
#include <QUrl>

#include <ostream>
#include <string>

namespace vp {

// The Windows-style filter "Name (*.ext)|*.ext|All Files (*.*)|*.*" in Qt's form
// "Name (*.ext);;All Files (*)". The patterns of each pair become the parenthesised part; a name
// that already ends with its patterns in parentheses is not given them twice. Off Windows "*.*"
// becomes "*", since there it would hide every file without a dot in its name.
QString qtFileFilter(const std::string& windowsFilter);

// What the desktop is asked to open for target: a web address ("https://...") as it is; a local
// path (native 8-bit encoding), optionally followed by "#fragment", as a file URL with that fragment.
// A '#' counts as the fragment mark only when the whole target is no existing file and the text
// after the last '#' holds no path separator, so folders with '#' in their name still work.
QUrl documentUrl(const std::string& target);

class QtDesktop : public Desktop {
public:
    // Modal over the active window; OK and Cancel boxes count a close as Cancel.
    BoxAnswer messageBox(const MessageBoxSpec& box) override;
    // Opening needs an existing file; saving asks no overwrite question (the program asks its own).
    // The path comes back with the platform's separators in its native 8-bit encoding.
    std::optional<std::string> fileDialog(const FileDialogSpec& dialog) override;
    void beep() override;
    // Opens target in the user's default program (the browser for the manual and the homepage).
    // Like the shell's "open" verb, a failure is not reported.
    void openDocument(const std::string& target) override;
    // The primary screen in device pixels.
    ScreenSize screenSize() override;
};

// For --screenshot: nothing waits for the user. Every message box is written to log with its
// title and text and answered OK; every file dialog is written to log and cancelled.
class ScreenshotDesktop final : public QtDesktop {
public:
    explicit ScreenshotDesktop(std::ostream& log) : log_(log) {}

    BoxAnswer messageBox(const MessageBoxSpec& box) override;
    std::optional<std::string> fileDialog(const FileDialogSpec& dialog) override;

private:
    std::ostream& log_;
};

} // namespace vp
