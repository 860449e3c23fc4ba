#include "app/VantapointMain.h"

#include "options/PathText.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QString>

#include <cctype>

namespace vp::VantapointMain {

namespace {

// A URL scheme of two or more characters before the first ':'; one letter is a Windows drive.
bool HasUrlScheme(const std::string& target)
{
    const std::size_t colon = target.find(':');
    if (colon == std::string::npos || colon < 2 || !std::isalpha(static_cast<unsigned char>(target[0])))
        return false;
    for (std::size_t i = 1; i < colon; ++i) {
        const unsigned char c = static_cast<unsigned char>(target[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

QUrl LocalFileUrl(const std::string& path)
{
    return QUrl::fromLocalFile(PathText(path));
}

} // namespace

QUrl DocumentUrl(const std::string& target)
{
    if (HasUrlScheme(target))
        return QUrl(QString::fromStdString(target));

    const std::size_t mark = target.rfind('#');
    if (mark == std::string::npos || QFileInfo::exists(PathText(target)))
        return LocalFileUrl(target);
    const std::string fragment = target.substr(mark + 1);
    if (fragment.find_first_of("/\\") != std::string::npos)
        return LocalFileUrl(target);

    QUrl url = LocalFileUrl(target.substr(0, mark));
    url.setFragment(QString::fromStdString(fragment));
    return url;
}

void OpenDocument(QWidget* /*owner*/, const std::string& target)
{
    QDesktopServices::openUrl(DocumentUrl(target));
}

} // namespace vp::VantapointMain
