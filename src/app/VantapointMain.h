#pragma once
// The program's code module: opening a document or web address with the desktop's handler.

#include <QUrl>

#include <string>

class QWidget;

namespace vp::VantapointMain {

// What the desktop is asked to open for target: a web address ("https://...") as it is; a local
// path (native 8-bit encoding), optionally followed by "#fragment", as a file URL with that fragment.
// A '#' counts as the fragment mark only when the whole target is no existing file and the text
// after the last '#' holds no path separator, so folders with '#' in their name still work.
QUrl DocumentUrl(const std::string& target);

// Opens target in the user's default program (the browser for the manual and the homepage).
// owner is the window the request comes from; the desktop's handler runs on its own and takes no
// parent window. Like the shell's "open" verb, a failure is not reported.
void OpenDocument(QWidget* owner, const std::string& target);

} // namespace vp::VantapointMain
