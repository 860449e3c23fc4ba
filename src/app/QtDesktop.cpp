#include "app/QtDesktop.h"

#include "widgets/TextConversions.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QStringList>

#include <cctype>

namespace vp {

namespace {

// Message texts join their lines with CR LF, as the Windows boxes want; Qt wants LF.
std::string withLineFeeds(std::string text)
{
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    return text;
}

QMessageBox::Icon qtIcon(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::Information:
        return QMessageBox::Information;
    case BoxIcon::Exclamation:
        return QMessageBox::Warning;
    case BoxIcon::Stop:
        return QMessageBox::Critical;
    case BoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// A URL scheme of two or more characters before the first ':'; one letter is a Windows drive.
bool hasUrlScheme(const std::string& target)
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

QUrl localFileUrl(const std::string& path)
{
    return QUrl::fromLocalFile(pathText(path));
}

} // namespace

QUrl documentUrl(const std::string& target)
{
    if (hasUrlScheme(target))
        return QUrl(QString::fromStdString(target));

    const std::size_t mark = target.rfind('#');
    if (mark == std::string::npos || QFileInfo::exists(pathText(target)))
        return localFileUrl(target);
    const std::string fragment = target.substr(mark + 1);
    if (fragment.find_first_of("/\\") != std::string::npos)
        return localFileUrl(target);

    QUrl url = localFileUrl(target.substr(0, mark));
    url.setFragment(QString::fromStdString(fragment));
    return url;
}

QString qtFileFilter(const std::string& windowsFilter)
{
    const QStringList parts = toQString(windowsFilter).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        const QString windowsPatterns = parts[i + 1].trimmed();
        const QString ownPatterns = QLatin1Char('(') + windowsPatterns + QLatin1Char(')');
        if (name.endsWith(ownPatterns))
            name = name.chopped(ownPatterns.size()).trimmed();

        QStringList patterns = windowsPatterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
#ifndef Q_OS_WIN
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
#endif
        }
        entries << name + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return entries.join(QLatin1String(";;"));
}

BoxAnswer QtDesktop::messageBox(const MessageBoxSpec& spec)
{
    const bool okCancel = spec.buttons == BoxButtons::OkCancel;
    QMessageBox box(qtIcon(spec.icon), toQString(spec.title), toQString(withLineFeeds(spec.text)),
                    okCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(okCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? BoxAnswer::Ok : BoxAnswer::Cancel;
}

std::optional<std::string> QtDesktop::fileDialog(const FileDialogSpec& spec)
{
    QWidget* parent = QApplication::activeWindow();
    const QString title = toQString(spec.title);
    const QString filter = qtFileFilter(spec.filter);
    QString start = QDir::fromNativeSeparators(pathText(spec.folder));
    if (!spec.fileName.empty())
        start = QDir(start).filePath(pathText(spec.fileName));
    else if (!start.isEmpty() && !start.endsWith(QLatin1Char('/')))
        // A folder that does not exist would otherwise be typed in as the file name.
        start += QLatin1Char('/');

    const QString chosen = spec.mode == FileDialogMode::Open
        ? QFileDialog::getOpenFileName(parent, title, start, filter)
        : QFileDialog::getSaveFileName(parent, title, start, filter, nullptr, QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty())
        return std::nullopt;
    return pathBytes(QDir::toNativeSeparators(chosen));
}

void QtDesktop::beep()
{
    QApplication::beep();
}

void QtDesktop::openDocument(const std::string& target)
{
    QDesktopServices::openUrl(documentUrl(target));
}

ScreenSize QtDesktop::screenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {};
    const QSize pixels = screen->size() * screen->devicePixelRatio();
    return {pixels.width(), pixels.height()};
}

BoxAnswer ScreenshotDesktop::messageBox(const MessageBoxSpec& spec)
{
    log_ << "message box \"" << spec.title << "\", answered OK:\n" << withLineFeeds(spec.text) << '\n';
    log_.flush();
    return BoxAnswer::Ok;
}

std::optional<std::string> ScreenshotDesktop::fileDialog(const FileDialogSpec& spec)
{
    log_ << "file dialog \"" << spec.title << "\", cancelled\n";
    log_.flush();
    return std::nullopt;
}

} // namespace vp
