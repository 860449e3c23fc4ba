#include "MainWindowFixture.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>

namespace vp::test {

MainWindow& MainWindowTest::start(const std::string& commandLinePath)
{
    window.reset();
    window = std::make_unique<MainWindow>(EditorServices{.desktop = desktop, .clock = clock, .input = input, .programFolder = folder.path(), .launcher = launcher},
                                       commandLinePath);
    statuses.clear();
    QObject::connect(window.get(), &MainWindow::statusShown, [this](const QString& shown) { statuses << shown; });
    return *window;
}

std::vector<std::string> MainWindowTest::boxes() const
{
    std::vector<std::string> shown;
    for (const MessageBoxSpec& box : desktop.boxes)
        shown.push_back(box.title + ": " + box.text);
    return shown;
}

std::string MainWindowTest::state()
{
    std::string shown = status().toStdString() + (window->isModified() ? " | unsaved" : " | saved");
    for (const std::string& box : boxes())
        shown += " | " + box;
    desktop.boxes.clear();
    return shown;
}

void MainWindowTest::visit(const QString& name, const QString* typed)
{
    auto* field = find<QLineEdit>(name);
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(field, &in);
    if (typed != nullptr) {
        field->selectAll();
        field->insert(*typed);
    }
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(field, &out);
}

bool MainWindowTest::drop(const QMimeData& data, QWidget* onto)
{
    QWidget* target = onto != nullptr ? onto : window.get();
    const QPointF middle = QRectF(target->rect()).center();
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(middle.toPoint(), actions, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(middle, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &dropped);
    return dropped.isAccepted() && dropped.dropAction() == Qt::CopyAction;
}

CameraDocument CamDocument(int c1, int c2, bool fixed)
{
    CameraDocument doc = CameraDocument::startup({});
    for (CamSet set : {CamSet::TV1, CamSet::TV2}) {
        CameraSet& cameras = doc.set(set);
        cameras.setCount(set == CamSet::TV1 ? c1 : c2);
        for (int k = 1; k <= cameras.count(); ++k) {
            cameras.camera(k).value(1).setFloat(100.0F * static_cast<float>(k));
            cameras.camera(k).value(kTvModeValue).setInt(fixed ? 1 : 0);
        }
    }
    updateHeaderLength(doc);
    return doc;
}

} // namespace vp::test
