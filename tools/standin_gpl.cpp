// A stand-in for the game, for trying the GPL commands without it: copied into a folder as gpl.exe,
// it covers the whole screen, takes the focus, logs every mouse button press and release with its
// screen position and every key, and closes after the game's shutdown keys Esc, Esc, Esc, Enter,
// Enter.
//
// The log goes to the file named by VP_STANDIN_LOG, or beside the program (gpl.exe -> gpl.log).
// VP_STANDIN_MAX_MS, when set, closes it after that many milliseconds whatever happens, so that a
// test that fails half-way leaves no window behind.
// One line per event, first the steady millisecond time at which it was handled (the clock
// Vantapoint itself uses); input events end with the window system's own time stamp of the event,
// in milliseconds, which a busy machine does not delay:
//     <ms> shown <width> <height>
//     <ms> press <button> <x> <y> <event ms>   (also "release"; button 1 left, 2 middle, 3 right)
//     <ms> key <name> <event ms>               (Escape, Return, Enter, F5, ...)
//     <ms> closed                              (the shutdown keys arrived)
//     <ms> timed out                           (VP_STANDIN_MAX_MS passed)
//     <ms> exited                              (the program ends)

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <deque>

namespace {

std::int64_t nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int buttonNumber(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::MiddleButton: return 2;
    case Qt::RightButton: return 3;
    default: return 0;
    }
}

QString keyName(int key)
{
    switch (key) {
    case Qt::Key_Escape: return QStringLiteral("Escape");
    case Qt::Key_Return: return QStringLiteral("Return");
    case Qt::Key_Enter: return QStringLiteral("Enter");
    default: {
        const QString name = QKeySequence(key).toString(QKeySequence::PortableText);
        return name.isEmpty() ? QString::number(key) : name;
    }
    }
}

class StandIn : public QWidget {
public:
    explicit StandIn(QFile& log) : log_(log)
    {
        setWindowTitle(QStringLiteral("GPL stand-in"));
        setWindowFlags(Qt::FramelessWindowHint);
        setFocusPolicy(Qt::StrongFocus);
    }

    void timeOut()
    {
        write(QStringLiteral("timed out"));
        close();
    }

protected:
    void showEvent(QShowEvent*) override
    {
        activateWindow();
        raise();
        setFocus();
        write(QStringLiteral("shown %1 %2").arg(width()).arg(height()));
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(20, 60, 30));
        painter.setPen(Qt::white);
        painter.drawText(rect(), Qt::AlignCenter,
                         QStringLiteral("GPL stand-in\nEvery click and key is logged.\n"
                                        "Esc, Esc, Esc, Enter, Enter closes it."));
    }

    void mousePressEvent(QMouseEvent* event) override { logButton("press", event); }
    void mouseReleaseEvent(QMouseEvent* event) override { logButton("release", event); }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->isAutoRepeat())
            return;
        write(QStringLiteral("key %1 %2").arg(keyName(event->key())).arg(event->timestamp()));
        recentKeys_.push_back(event->key() == Qt::Key_Enter ? Qt::Key_Return : event->key());
        if (recentKeys_.size() > kShutdownKeys.size())
            recentKeys_.pop_front();
        if (std::equal(recentKeys_.begin(), recentKeys_.end(), kShutdownKeys.begin(), kShutdownKeys.end())) {
            write(QStringLiteral("closed"));
            close();
        }
    }

private:
    static constexpr std::array<int, 5> kShutdownKeys{Qt::Key_Escape, Qt::Key_Escape, Qt::Key_Escape,
                                                      Qt::Key_Return, Qt::Key_Return};

    void logButton(const char* what, QMouseEvent* event)
    {
        const QPoint at = event->globalPosition().toPoint();
        write(QStringLiteral("%1 %2 %3 %4 %5")
                  .arg(QLatin1String(what))
                  .arg(buttonNumber(event->button()))
                  .arg(at.x())
                  .arg(at.y())
                  .arg(event->timestamp()));
    }

    void write(const QString& line)
    {
        // Each line is on disk at once: whoever reads the log sees every event as it happens.
        log_.write(QStringLiteral("%1 %2\n").arg(nowMs()).arg(line).toUtf8());
        log_.flush();
    }

    QFile& log_;
    std::deque<int> recentKeys_;
};

} // namespace

int main(int argc, char* argv[])
{
    QFile log;
    int result = 0;
    {
        QApplication app(argc, argv);
        QString logPath = qEnvironmentVariable("VP_STANDIN_LOG");
        if (logPath.isEmpty()) {
            const QFileInfo program(QCoreApplication::applicationFilePath());
            logPath = program.absolutePath() + QLatin1Char('/') + program.completeBaseName() + QStringLiteral(".log");
        }
        log.setFileName(logPath);
        if (!log.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            std::fprintf(stderr, "standin_gpl: cannot write the log %s\n", qPrintable(logPath));
            return 1;
        }

        StandIn window(log);
        // Without a window manager a full-screen request does nothing; the geometry covers the screen anyway.
        window.setGeometry(QGuiApplication::primaryScreen()->geometry());
        window.showFullScreen();
        bool limited = false;
        const int maxMs = qEnvironmentVariableIntValue("VP_STANDIN_MAX_MS", &limited);
        if (limited)
            QTimer::singleShot(maxMs, &window, [&window] { window.timeOut(); });
        result = QApplication::exec();
    }
    // Only now are the window and the connection to the window system gone: whoever waits for this
    // line finds the screen free again.
    log.write(QStringLiteral("%1 exited\n").arg(nowMs()).toUtf8());
    return result;
}
