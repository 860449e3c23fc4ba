// The keyboard's ways to the window's commands: the desktop's standard shortcuts for Load, Save,
// Exit and Help (the buttons carry their accelerator letters), switching tabs, and moving between
// the cameras of the set shown. F5 is left to the click script.

#include "editor/MainWindow.h"

#include "editor/CameraSetPanel.h"
#include "widgets/SpinButton.h"
#include "widgets/ValueField.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QShortcut>
#include <QTabWidget>

#include <algorithm>

namespace vp {

namespace {

QList<QKeySequence> standardKeys(QKeySequence::StandardKey key, const QKeySequence& fallback)
{
    const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    // Windows knows no Quit key of its own.
    return keys.isEmpty() ? QList<QKeySequence>{fallback} : keys;
}

} // namespace

void MainWindow::connectKeys()
{
    const auto bind = [this](const QList<QKeySequence>& keys, auto action) {
        auto* shortcut = new QShortcut(this);
        shortcut->setKeys(keys);
        connect(shortcut, &QShortcut::activated, this, [this, action] {
            commitEditedField();
            action();
        });
        return shortcut;
    };
    bind(standardKeys(QKeySequence::Open, Qt::CTRL | Qt::Key_O), [this] { loadCamFile(); });
    bind(standardKeys(QKeySequence::Save, Qt::CTRL | Qt::Key_S), [this] { saveCamFile(); });
    bind(standardKeys(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q), [this] { close(); });
    bind(standardKeys(QKeySequence::HelpContents, Qt::Key_F1), [this] { openManual(); });

    bind({Qt::CTRL | Qt::Key_PageDown, Qt::CTRL | Qt::Key_Tab}, [this] { showNeighbourTab(1); });
    bind({Qt::CTRL | Qt::Key_PageUp, Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab},
         [this] { showNeighbourTab(-1); });

    cameraKeys_ = {
        bind({Qt::ALT | Qt::Key_Right, Qt::Key_PageDown}, [this] { moveCamera(CameraMove::Next); }),
        bind({Qt::ALT | Qt::Key_Left, Qt::Key_PageUp}, [this] { moveCamera(CameraMove::Previous); }),
        bind({Qt::CTRL | Qt::Key_Home}, [this] { moveCamera(CameraMove::First); }),
        bind({Qt::CTRL | Qt::Key_End}, [this] { moveCamera(CameraMove::Last); }),
    };
    // The pit lane has no cameras to move between: there the keys keep their usual meaning.
    const auto followTab = [this] {
        const bool setShown = qobject_cast<CameraSetPanel*>(tabs_->currentWidget()) != nullptr;
        for (QShortcut* shortcut : cameraKeys_)
            shortcut->setEnabled(setShown);
    };
    connect(tabs_, &QTabWidget::currentChanged, this, followTab);
    followTab();

    watchFields(*this);
    // Rows made later are watched as they are made.
    for (CameraSetPanel* panel : {tv1Panel_, tv2Panel_})
        connect(panel, &CameraSetPanel::valueRowsMade, this, [this, panel] { watchFields(*panel); });
}

void MainWindow::watchFields(QWidget& container)
{
    for (QLineEdit* field : container.findChildren<QLineEdit*>())
        field->installEventFilter(this);
}

void MainWindow::commitEditedField()
{
    if (auto* field = qobject_cast<ValueField*>(focusWidget()))
        field->commitIfEdited();
}

void MainWindow::showNeighbourTab(int direction)
{
    const int count = tabs_->count();
    tabs_->setCurrentIndex((tabs_->currentIndex() + direction + count) % count);
}

void MainWindow::moveCamera(CameraMove move)
{
    auto* panel = qobject_cast<CameraSetPanel*>(tabs_->currentWidget());
    // An empty set has no camera to go to.
    if (panel == nullptr || !panel->selector()->isEnabled())
        return;
    const int count = document_.set(panel->set()).count();
    const int current = panel->currentCamera();
    int wanted = current;
    switch (move) {
    case CameraMove::First:
        wanted = 1;
        break;
    case CameraMove::Previous:
        wanted = current - 1;
        break;
    case CameraMove::Next:
        wanted = current + 1;
        break;
    case CameraMove::Last:
        wanted = count;
        break;
    }
    wanted = std::clamp(wanted, 1, count);
    if (wanted != current)
        panel->selectCamera(wanted);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // A text field keeps Ctrl+Home and Ctrl+End for its cursor; in the window the camera keys win.
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const QShortcut* shortcut : cameraKeys_) {
            if (shortcut->isEnabled() && shortcut->keys().contains(pressed)) {
                event->ignore();
                return true;
            }
        }
        break;
    }
    // A dropped file is loaded wherever it lands, never typed into a field as its name.
    case QEvent::DragEnter:
    case QEvent::DragMove:
        if (auto* drag = static_cast<QDropEvent*>(event); drag->mimeData()->hasUrls()) {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
            return true;
        }
        break;
    case QEvent::Drop:
        if (static_cast<QDropEvent*>(event)->mimeData()->hasUrls()) {
            dropEvent(static_cast<QDropEvent*>(event));
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vp
