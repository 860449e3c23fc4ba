#include "app/QtDesktop.h"

#include "app/VantapointMain.h"
#include "options/PathText.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>
#include <QStringList>

namespace vp {

namespace {

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Message texts join their lines with CR LF, as the Windows boxes want; Qt wants LF.
std::string WithLineFeeds(std::string text)
{
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    return text;
}

QMessageBox::Icon QtIcon(BoxIcon icon)
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

} // namespace

QString QtFileFilter(const std::string& windowsFilter)
{
    const QStringList parts = FromUtf8(windowsFilter).split(QLatin1Char('|'));
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
    QMessageBox box(QtIcon(spec.icon), FromUtf8(spec.title), FromUtf8(WithLineFeeds(spec.text)),
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
    const QString title = FromUtf8(spec.title);
    const QString filter = QtFileFilter(spec.filter);
    QString start = QDir::fromNativeSeparators(PathText(spec.folder));
    if (!spec.fileName.empty())
        start = QDir(start).filePath(PathText(spec.fileName));
    else if (!start.isEmpty() && !start.endsWith(QLatin1Char('/')))
        // A folder that does not exist would otherwise be typed in as the file name.
        start += QLatin1Char('/');

    const QString chosen = spec.mode == FileDialogMode::Open
        ? QFileDialog::getOpenFileName(parent, title, start, filter)
        : QFileDialog::getSaveFileName(parent, title, start, filter, nullptr, QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty())
        return std::nullopt;
    return PathBytes(QDir::toNativeSeparators(chosen));
}

void QtDesktop::beep()
{
    QApplication::beep();
}

void QtDesktop::openDocument(const std::string& target)
{
    VantapointMain::OpenDocument(QApplication::activeWindow(), target);
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
    log_ << "message box \"" << spec.title << "\", answered OK:\n" << WithLineFeeds(spec.text) << '\n';
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
